// events.cpp - the event queue and the input state.
//
// Backends report raw input (backend.h); this file keeps the pointer
// position and the button and key states that getbutton and getdev read, and
// queues an event for each change of a device the program asked for with
// qdevice. A button or key event's value is 1 for a press and 0 for a
// release. The shift keys are read with getbutton and never queued; the
// pointer valuators are read with getdev (and queued only if asked).
//
// qread waits through the backend until an event is queued. The drag step is
// an event the program queues for itself after every step, so a queue that
// holds nothing but drag steps would keep the program spinning while the
// button is held still: qread then first waits for new input, and the
// program stays idle until the pointer moves or the button comes up.
// Input can also arrive while the program draws (the interactive backend
// takes it in whenever it presents); such input counts as new, so the
// next drag step or waitinput does not wait for more and the program
// follows the pointer without lagging a move behind.
//
// Limits: at most QUEUESIZE events wait in the queue; further ones are
// dropped, as a hardware queue would. Device numbers below MAXDEVICE.
#include <cstddef>

#include "platform/backend.h"
#include "platform/gl.h"
#include "platform/input.h"
#include "platform/screen.h"

namespace gl {

namespace {

enum { QUEUESIZE = 1024, MAXDEVICE = 1024, MENULOG = 64 };

struct Event {
    Device dev;
    short value;
};

Event queue[QUEUESIZE];
int qhead = 0, qcount = 0;

bool asked[MAXDEVICE];
bool down[MAXDEVICE];
int px = 0, py = 0;

bool fresh = false;  // input arrived that the program has not looked at yet

bool menuopen = false;
input::MenuEvent menulog[MENULOG];
int menuhead = 0, menucount = 0;

bool valid(Device dev) { return dev >= 0 && dev < MAXDEVICE; }

void push(Device dev, short value)
{
    if (qcount == QUEUESIZE) return;
    queue[(qhead + qcount) % QUEUESIZE] = {dev, value};
    qcount++;
}

void logmenu(int kind, Device dev, int isdown)
{
    if (!menuopen || menucount == MENULOG) return;
    menulog[(menuhead + menucount) % MENULOG] = {kind, dev, isdown, px, py};
    menucount++;
}

bool onlydragsteps()
{
    for (int i = 0; i < qcount; i++)
        if (queue[(qhead + i) % QUEUESIZE].dev != DRAGSTEP) return false;
    return qcount > 0;
}

bool ismouse(Device dev) { return dev == LEFTMOUSE || dev == MIDDLEMOUSE || dev == RIGHTMOUSE; }

}  // namespace

// ---- raw input from the backends ------------------------------------------

void rawpointer(int x, int y)
{
    // The pointer never leaves the screen.
    int w = screen_width(), h = screen_height();
    if (x < 0) x = 0;
    if (x >= w) x = w - 1;
    if (y < 0) y = 0;
    if (y >= h) y = h - 1;
    if (x != px && asked[MOUSEX]) push(MOUSEX, (short)x);
    if (y != py && asked[MOUSEY]) push(MOUSEY, (short)y);
    if (x != px || y != py) fresh = true;
    px = x;
    py = y;
}

void rawbutton(Device dev, int isdown)
{
    if (!valid(dev) || down[dev] == (isdown != 0)) return;
    down[dev] = isdown != 0;
    fresh = true;
    if (menuopen && ismouse(dev)) {
        logmenu(input::MENU_BUTTON, dev, down[dev]);
        return;
    }
    if (asked[dev]) push(dev, down[dev] ? 1 : 0);
}

void rawkey(Device dev, int isdown)
{
    if (!valid(dev) || down[dev] == (isdown != 0)) return;
    down[dev] = isdown != 0;
    fresh = true;
    if (dev == ESCKEY && down[dev]) logmenu(input::MENU_ESCAPE, dev, 1);
    if (dev == LEFTSHIFTKEY || dev == RIGHTSHIFTKEY) return;
    if (asked[dev]) push(dev, down[dev] ? 1 : 0);
}

void rawquit()
{
    fresh = true;
    logmenu(input::MENU_QUIT, WINQUIT, 1);
    if (asked[WINQUIT]) push(WINQUIT, 1);
}

// ---- the program's calls --------------------------------------------------

void qdevice(Device dev)
{
    if (valid(dev)) asked[dev] = true;
}

void unqdevice(Device dev)
{
    if (valid(dev)) asked[dev] = false;
}

Device qread(short* value)
{
    const Backend* b = getbackend();
    if (b) {
        if (onlydragsteps() && !fresh) b->wait();
        while (qcount == 0) b->wait();
    }
    fresh = false;
    if (qcount == 0) {  // no backend: nothing can arrive
        if (value) *value = 0;
        return 0;
    }
    Event e = queue[qhead];
    qhead = (qhead + 1) % QUEUESIZE;
    qcount--;
    if (value) *value = e.value;
    return e.dev;
}

void qenter(Device dev, short value)
{
    push(dev, value);
}

void qreset()
{
    qhead = qcount = 0;
}

Int32 qtest()
{
    return qcount ? queue[qhead].dev : 0;
}

Int32 getbutton(Device dev)
{
    return valid(dev) && down[dev] ? 1 : 0;
}

void getdev(Int32 n, const Device* devs, short* values)
{
    for (Int32 i = 0; i < n; i++) {
        if (devs[i] == MOUSEX)
            values[i] = (short)px;
        else if (devs[i] == MOUSEY)
            values[i] = (short)py;
        else
            values[i] = (short)getbutton(devs[i]);
    }
}

void waitinput()
{
    const Backend* b = getbackend();
    if (b && !fresh) b->wait();
    fresh = false;
}

void pollinput()
{
    if (const Backend* b = getbackend()) b->poll();
    fresh = false;  // the polling loop looks at the state now
}

void sleepms(int ms)
{
    if (const Backend* b = getbackend()) b->pause(ms);
}

// ---- for the menus ----------------------------------------------------------

namespace input {

void menu_begin()
{
    // Clicks made before the menu showed belong to it, not to the program:
    // in particular the release of the button that opened it.
    int kept = 0;
    for (int i = 0; i < qcount; i++) {
        Event e = queue[(qhead + i) % QUEUESIZE];
        if (!ismouse(e.dev)) queue[(qhead + kept++) % QUEUESIZE] = e;
    }
    qcount = kept;
    menuopen = true;
    menuhead = menucount = 0;
}

void menu_end()
{
    menuopen = false;
    menuhead = menucount = 0;
}

bool menu_take(MenuEvent* event)
{
    if (menucount == 0) return false;
    *event = menulog[menuhead];
    menuhead = (menuhead + 1) % MENULOG;
    menucount--;
    return true;
}

int pointer_x() { return px; }
int pointer_y() { return py; }

bool anybutton()
{
    return down[LEFTMOUSE] || down[MIDDLEMOUSE] || down[RIGHTMOUSE];
}

}  // namespace input

}  // namespace gl
