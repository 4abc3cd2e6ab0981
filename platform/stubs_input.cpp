// Placeholder bodies so that the program links while this subsystem is built.
#include "platform/gl.h"
#include "platform/screen.h"
#include <cstdlib>

namespace gl {
void qdevice(Device dev) {}
void unqdevice(Device dev) {}
Device qread(short* value) { return 0; }
void qenter(Device dev, short value) {}
void qreset() {}
Int32 qtest() { return 0; }
Int32 getbutton(Device dev) { return 0; }
void getdev(Int32 n, const Device* devs, short* values) {}
void waitinput() {}
void pollinput() {}
void sleepms(int ms) {}
Int32 defpup(const char* text, ...) { return 0; }
Int32 dopup(Int32 menu) { return 0; }
void freepup(Int32 menu) {}
}
namespace gl {
void screen_changed(bool) {}
}
