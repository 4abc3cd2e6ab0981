// input.h - the input side's own records, shared by the event queue
// (events.cpp) and the popup menus (menu.cpp); the program never sees them.
//
// While a popup menu is open, mouse button changes, Escape presses and the
// window manager's quit are also written to a small log that the menu reads
// in order; button changes then do not reach the event queue, so a click
// that belongs to a menu never reaches the program.
#pragma once
#include "platform/gl.h"

namespace gl::input {

enum { MENU_BUTTON = 0, MENU_ESCAPE = 1, MENU_QUIT = 2 };

struct MenuEvent {
    int kind;
    Device dev;  // for MENU_BUTTON
    int down;
    int x, y;    // the pointer when it happened
};

void menu_begin();                 // start logging, drop queued button events
void menu_end();                   // stop logging
bool menu_take(MenuEvent* event);  // the oldest logged event, false if none

int pointer_x();
int pointer_y();
bool anybutton();  // any of the three mouse buttons down

}  // namespace gl::input
