// main.cpp - the interactive modeller: the program on the SDL2 backend, in
// one window on the desktop. Without a display there is nothing to show; the
// replay tool runs the same program headless.
#include <cstdio>

#include "app/app.h"
#include "platform/backends/sdl2.h"

int main()
{
    char error[256];
    if (!gl::sdl2_start(error, sizeof error)) {
        std::fprintf(stderr, "seashell: cannot open a window on the display (%s).\n", error);
        std::fprintf(stderr, "seashell: without a display, run seashell-replay with a script.\n");
        return 1;
    }
    return seashell_main();
}
