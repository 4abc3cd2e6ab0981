// scripted_input.h - a test backend that feeds a list of raw inputs, one per
// wait, so that the modal loops (bar drags, dialogs) can be driven in tests.
//
// Usage: Script s({Move(x, y), Press(), Move(...), Release()}); then run the
// modal code; s.left() tells how many steps were not consumed. If the code
// still waits after the list ran out, the test fails and the backend keeps
// releasing the button and clicking the dialogs' OK button (at screen
// (80, 30), the dialogs open at the screen's corner) so that it ends.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>
#include <vector>

#include "platform/backend.h"

namespace scripted {

struct Step {
    enum Kind { MOVE, PRESS, RELEASE } kind;
    int x, y;
};

inline Step Move(int x, int y) { return {Step::MOVE, x, y}; }
inline Step Press() { return {Step::PRESS, 0, 0}; }
inline Step Release() { return {Step::RELEASE, 0, 0}; }

inline std::vector<Step> steps;
inline std::size_t next = 0;
inline int overrun = 0;

inline void apply(const Step& s)
{
    switch (s.kind) {
    case Step::MOVE: gl::rawpointer(s.x, s.y); break;
    case Step::PRESS: gl::rawbutton(gl::LEFTMOUSE, 1); break;
    case Step::RELEASE: gl::rawbutton(gl::LEFTMOUSE, 0); break;
    }
}

inline void wait()
{
    if (next < steps.size()) {
        apply(steps[next++]);
        return;
    }
    if (overrun == 0) ADD_FAILURE() << "the script ran out while the program still waits";
    if (++overrun > 60) {
        std::fprintf(stderr, "scripted input: the program does not finish\n");
        std::abort();
    }
    static const Step rescue[3] = {Release(), Move(80, 30), Press()};
    apply(rescue[overrun % 3]);
}

inline void poll() {}
inline void changed(bool) {}
inline void pause(int) {}

inline const gl::Backend backend = {wait, poll, changed, pause};

// Installs the backend with a script; the pointer starts where the first
// step would put it only when the script says so.
struct Script {
    explicit Script(std::vector<Step> s)
    {
        steps = std::move(s);
        next = 0;
        overrun = 0;
        gl::rawbutton(gl::LEFTMOUSE, 0);
        gl::setbackend(&backend);
    }
    ~Script()
    {
        gl::rawbutton(gl::LEFTMOUSE, 0);
        gl::setbackend(nullptr);
    }
    std::size_t left() const { return steps.size() - next; }
};

}  // namespace scripted
