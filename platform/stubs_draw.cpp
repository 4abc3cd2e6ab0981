// Placeholder bodies so that the program links while this subsystem is built.
#include "platform/gl.h"
#include "platform/screen.h"
#include <cstdlib>

namespace gl {
void foreground() {}
void prefposition(Int32 x1, Int32 x2, Int32 y1, Int32 y2) {}
Int32 winopen(const char* title) { return 0; }
void wintitle(const char* title) {}
void winset(Int32 id) {}
Int32 winget() { return 0; }
void winclose(Int32 id) {}
void winpop() {}
void getorigin(Int32* x, Int32* y) {}
void getsize(Int32* w, Int32* h) {}
void RGBmode() {}
void cmode() {}
void doublebuffer() {}
void singlebuffer() {}
void zbuffer(int on) {}
void gconfig() {}
void cpack(std::uint32_t c) {}
void RGBcolor(short r, short g, short b) {}
void color(short index) {}
void clear() {}
void zclear() {}
void swapbuffers() {}
void mmode(short m) {}
void loadmatrix(const Matrix m) {}
void multmatrix(const Matrix m) {}
void getmatrix(Matrix m) {}
void pushmatrix() {}
void popmatrix() {}
void perspective(short fovy_tenths, float aspect, float near, float far) {}
void ortho(float left, float right, float bottom, float top, float near, float far) {}
void ortho2(float left, float right, float bottom, float top) {}
void lookat(float vx, float vy, float vz, float px, float py, float pz, short twist) {}
void rotate(short tenths, char axis) {}
void translate(float x, float y, float z) {}
void scale(float x, float y, float z) {}
void bgnline() {}
void endline() {}
void bgnclosedline() {}
void endclosedline() {}
void bgntmesh() {}
void endtmesh() {}
void v2f(const float v[2]) {}
void v3f(const float v[3]) {}
void v2i(const Int32 v[2]) {}
void n3f(const float n[3]) {}
void rectfi(Int32 x1, Int32 y1, Int32 x2, Int32 y2) {}
void cmov2(float x, float y) {}
void cmov2i(Int32 x, Int32 y) {}
void charstr(const char* text) {}
Int32 strwidth(const char* text) { return 0; }
void writeRGB(short n, const unsigned char* r, const unsigned char* g, const unsigned char* b) {}
void subpixel(int on) {}
void polysmooth(int on) {}
void linesmooth(int on) {}
void lmdef(short deftype, short index, short np, const float* props) {}
void lmbind(short target, short index) {}
}
namespace gl {
void screen_setsize(int, int) {}
int screen_width() { return 1600; }
int screen_height() { return 1200; }
void screen_compose(std::uint32_t*) {}
int screen_writepng(const char*) { return 0; }
void screen_setoverlay(void (*)(void*), void*) {}
void overlay_fillrect(int, int, int, int, std::uint32_t) {}
void overlay_rect(int, int, int, int, std::uint32_t) {}
void overlay_text(int, int, const char*, std::uint32_t) {}
int text_width(const char*) { return 0; }
int text_height() { return 0; }
std::int32_t screen_windowat(int, int) { return 0; }
int screen_windows(WindowInfo*, int) { return 0; }
}
