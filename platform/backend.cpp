// backend.cpp - the core's link to the backend that shows the screen and
// delivers input, and the replay tool's dump hook.
//
// The drawing side calls screen_changed whenever what is shown changed; it is
// passed on to the backend, which decides when to present.
#include "platform/backend.h"
#include "platform/screen.h"

namespace gl {

namespace {
const Backend* current = nullptr;
int (*dumphook)(const char*) = nullptr;
}  // namespace

void setbackend(const Backend* backend) { current = backend; }
const Backend* getbackend() { return current; }

void screen_changed(bool force)
{
    if (current && current->changed) current->changed(force);
}

void setdumphook(int (*hook)(const char* path)) { dumphook = hook; }
int (*getdumphook())(const char* path) { return dumphook; }

}  // namespace gl
