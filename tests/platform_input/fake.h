// fake.h - a stand-in backend for the input tests: each time the core waits,
// the next scripted action runs (a raw pointer move, a button or key
// change); when none is left the window manager's quit arrives, which also
// closes an open menu, so nothing can wait forever.
#pragma once
#include <deque>
#include <functional>

#include "platform/backend.h"

namespace fake {

extern std::deque<std::function<void()>> actions;
extern int waits;

void install();     // the fake backend, no actions, every device unasked and up
void uninstall();   // no backend

// Actions.
std::function<void()> move(int x, int y);
std::function<void()> button(gl::Device dev, int down);
std::function<void()> key(gl::Device dev, int down);
// Pointer onto the entry labelled label of the open menu at depth level.
std::function<void()> entry(int level, const char* label);

}  // namespace fake
