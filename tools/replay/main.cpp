// seashell-replay - runs the modeller on a headless virtual screen with its
// input taken from a script.
//
//   seashell-replay [--screen WxH] SCRIPT
//
// The program runs exactly as the interactive one does (same start-up,
// windows, loops and files, in the current directory); nothing is shown and
// time is virtual (a timed pause passes at once). The tool exits with the
// program's exit status.
//
// Script: one action a line; "#" starts a comment (outside double quotes);
// words in double quotes may hold spaces. Coordinates are virtual-screen
// pixels with the origin at the lower left and must lie on the screen.
//
//   move X Y                  pointer to (X, Y)
//   press B / release B       B is left, middle or right
//   click B X Y               move, press, release
//   drag X1 Y1 X2 Y2 [STEPS]  left press at (X1, Y1), move to (X2, Y2) in
//                             STEPS equal steps (default 10), release
//   key K / keydown K / keyup K
//                             K: a..z, 0..9, kp0..kp9, backspace, enter,
//                             escape, leftshift, rightshift
//   type TEXT                 the key presses and releases that type TEXT,
//                             with the left shift key held for capitals and
//                             ! @ # $ % ^ & * ( ) (quote TEXT to type "#")
//   menu LABEL...             right press at the current pointer, then the
//                             entry with that label chosen, following
//                             submenus: menu Load "shell parameters"
//   quit                      the window manager's quit
//   screenshot FILE           the whole virtual screen as shown now, as PNG
//   dump FILE                 the model state as JSON
//   polls N                   the next line waits for the program's N-th
//                             following poll of the input (see below)
//
// Timing: the program runs until it next waits for input (the main loop's
// read of an empty queue, a modal loop's wait, a dialog's key read); then the
// next input change of the script is delivered. A line that is several
// changes (click, drag, key, type, menu) is delivered one change per wait,
// so each is seen in turn. screenshot and dump are carried out at once and
// the next line follows, so they see everything the lines before caused.
// A loop that polls without waiting (a texture preview) takes nothing from
// the script, unless the line before it is followed by "polls N": then the
// line after "polls N" is carried out during the N-th pollinput() call that
// follows ("polls 100" then "press left" stops a preview at its 100th poll).
// If the program waits for input before that, the count is dropped and the
// line is carried out at that wait.
//
// Exit status: the program's; 2 for a malformed script (the line and what
// is wrong on standard error, before anything runs) or bad arguments; 3 when
// a line fails while the program runs (a menu entry that is not open, a file
// that cannot be written) or the program still waits after the script ended
// and the window manager's quit was sent.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "app/app.h"
#include "platform/backend.h"
#include "platform/backends/headless.h"
#include "platform/screen.h"

static int usage()
{
    std::fprintf(stderr, "usage: seashell-replay [--screen WxH] SCRIPT\n");
    return 2;
}

int main(int argc, char** argv)
{
    const char* script = nullptr;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--screen") == 0 && i + 1 < argc) {
            int w = 0, h = 0;
            char extra;
            if (std::sscanf(argv[++i], "%dx%d%c", &w, &h, &extra) != 2 || w < 1 || h < 1 ||
                w > 8192 || h > 8192) {
                std::fprintf(stderr, "seashell-replay: bad screen size \"%s\" (WxH, 1..8192)\n",
                             argv[i]);
                return 2;
            }
            gl::screen_setsize(w, h);
        } else if (!script && argv[i][0] != '-') {
            script = argv[i];
        } else {
            return usage();
        }
    }
    if (!script) return usage();

    std::ifstream in(script, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "seashell-replay: cannot read %s\n", script);
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    int line = 0;
    std::string message;
    if (!gl::replay_parse(text.str(), &line, &message)) {
        std::fprintf(stderr, "%s:%d: %s\n", script, line, message.c_str());
        return 2;
    }
    gl::setdumphook(dumpmodel);
    gl::headless_start(script);
    return seashell_main();
}
