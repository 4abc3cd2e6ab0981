// backend.h - what lies between the graphics core and a backend.
//
// A backend shows the virtual screen (or not) and delivers raw input. The
// core keeps the pointer position and the button and key states, and queues
// events for the devices the program asked for; the backend only reports
// changes through the raw* calls:
//
//   rawpointer(x, y)       pointer at (x, y), virtual-screen pixels, lower-left origin
//   rawbutton(dev, down)   101 right, 102 middle, 103 left
//   rawkey(dev, down)      the key devices of the file-name dialog, 5/6 shift, 7 Escape
//   rawquit()              the window manager asks the program to quit (542)
//
// The core calls the backend when the program waits for input (qread on an
// empty queue, waitinput in a modal loop), polls without waiting
// (pollinput), pauses (sleepms) or changed what is shown (screen_changed).
// Without a backend nothing waits and nothing is shown, which is what unit
// tests of the program's logic want.
#pragma once
#include "platform/gl.h"

namespace gl {

struct Backend {
    // Blocks until raw input has been delivered (at least one raw* call).
    void (*wait)();
    // Delivers whatever raw input has arrived, without waiting.
    void (*poll)();
    // What is shown changed: force after a swapbuffers or a closed window,
    // otherwise a single-buffered write (the backend may hold it back).
    void (*changed)(bool force);
    // A timed pause; input arriving meanwhile is delivered.
    void (*pause)(int ms);
};

void setbackend(const Backend* backend);  // nullptr: no backend
const Backend* getbackend();

void rawpointer(int x, int y);
void rawbutton(Device dev, int down);
void rawkey(Device dev, int down);
void rawquit();

// The key devices by name: "a".."z", "0".."9", "kp0".."kp9", "backspace",
// "enter", "escape", "leftshift", "rightshift"; 0 for an unknown name.
Device keydevice(const char* name);
// The key that types c in the file-name dialog, and whether a shift key must
// be held for it; 0 when c cannot be typed.
Device chardevice(char c, int* shift);

// The replay tool's "dump": the program registers the writer of its state.
// The hook returns 1 on success.
void setdumphook(int (*hook)(const char* path));
int (*getdumphook())(const char* path);

// The popup menu that dopup shows now, for the replay tool: the centre of the
// entry labelled label in the open menu at depth level (0 the menu itself, 1
// the submenu opened from it, ...). Returns 0 when no such menu or entry is
// open, else 1, with *submenu set when the entry opens a submenu.
int menu_findentry(int level, const char* label, int* x, int* y, int* submenu);

}  // namespace gl
