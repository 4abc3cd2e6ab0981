// startraytracing.cpp - one ray-tracing run with its window and files: the
// file-name prompt, the image window, the texture map, the rows shown and
// written as they are finished, the progress titles, and the clean-up.
//
// The window stays open afterwards, titled with the image file's name. The
// run returns to the event loop only after the last row. Escape at the
// prompt cancels the run; an eye at the origin gives a message instead of an
// image; a row the file did not take is reported when the file is closed.
#include <cstdio>

#include "app/app.h"
#include "files/files.h"
#include "platform/gl.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace {

struct Run {
    int N;
};

void showrow(int r, const unsigned char* red, const unsigned char* green, const unsigned char* blue,
             void* user)
{
    Run* run = (Run*)user;
    gl::cmov2i(1, r + 1);
    gl::writeRGB((short)run->N, red, green, blue);
    saveRGB(red, green, blue);  // a failed row makes closesaveRGB report and drop the file
    char title[40];
    std::snprintf(title, sizeof title, "raytracing : %d %%", (int)(r * 100.0 / run->N));
    gl::wintitle(title);
}

}  // namespace

void startraytracing(int N)
{
    if (ListHead.next == nullptr)
        return;
    TraceCamera cam;
    if (!setupcamera(&cam, N)) {
        messagebox("No image: the eye is at the origin !\n");
        freeTraceObjectList();
        return;
    }

    // Room for 20 characters and any extension the file code appends.
    char name[64];
    for (;;) {
        if (!getfilenameorcancel(name, "Save image to")) {
            freeTraceObjectList();
            return;
        }
        if (initsaveRGB(N, N, name))
            break;
    }

    gl::prefposition(0, N - 1, 0, N - 1);
    gl::winopen("Initialize...");
    gl::RGBmode();
    gl::gconfig();
    // Row r is written at (1, r + 1): map those units onto the window's N
    // pixels one to one, so no row overwrites another on the screen.
    gl::ortho2(0.5f, N + 0.5f, 0.5f, N + 0.5f);
    gl::cpack(0);
    gl::clear();

    createtexturemap(0);
    gl::wintitle("raytracing : 0 %");

    Run run = {N};
    traceimage(N, raytracereference, showrow, &run);

    gl::wintitle(name);
    closesaveRGB();
    freeTraceObjectList();
    freetexturemap();
}
