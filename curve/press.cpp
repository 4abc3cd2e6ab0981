// press.cpp - the left button in a curve view: a press selects the node under
// the pointer or adds one there; a drag moves the current node by the
// pointer's displacement since the press.
//
// x, y are screen pixels; they are made window-relative with the origin each
// view received when it was opened. One curve unit is 20 pixels and curve
// coordinate 0 is pixel 200 of the view, in both axes; in the XZ view z grows
// downward. A node is hit when its pixel lies closer than sqrt(250), about
// 15.8 pixels; the first such node in list order wins.
#include "app/app.h"
#include "curve/curve.h"

// Origin of view w on the screen; 0 when w is not a curve view.
static int vieworigin(int w, int* xo, int* yo)
{
    switch (w) {
    case WIN_YZ: *xo = generatexorigin3; *yo = generateyorigin3; return 1;
    case WIN_XY: *xo = generatexorigin; *yo = generateyorigin; return 1;
    case WIN_XZ: *xo = generatexorigin2; *yo = generateyorigin2; return 1;
    default: return 0;
    }
}

void selectnode(int x, int y, int w)
{
    int xo, yo;
    if (!vieworigin(w, &xo, &yo)) return;
    CurrentWindow = (short)w;
    if (mode != 1) return;

    int px = x - xo, py = y - yo;

    for (CurrSelectPoint = ObjectPtr->head; CurrSelectPoint; CurrSelectPoint = CurrSelectPoint->next) {
        ControlNode* p = CurrSelectPoint;
        double h, v;
        switch (w) {
        case WIN_YZ: h = 20.0 * p->z + 200.0; v = 20.0 * p->y + 200.0; break;
        case WIN_XY: h = 20.0 * p->x + 200.0; v = 20.0 * p->y + 200.0; break;
        default:     h = 20.0 * p->x + 200.0; v = 200.0 - 20.0 * p->z; break;
        }
        double dh = h - px, dv = v - py;
        if (dh * dh + dv * dv < 250.0) {
            gen_lastx = p->x;
            gen_lasty = p->y;
            gen_lastz = p->z;
            break;
        }
    }

    if (!CurrSelectPoint && status == 1) {
        switch (w) {
        case WIN_YZ: addnode(0.0, (py - 200) * 0.05, (px - 200) * 0.05); break;
        case WIN_XY: addnode((px - 200) * 0.05, (py - 200) * 0.05, 0.0); break;
        default:     addnode((px - 200) * 0.05, 0.0, (200 - py) * 0.05); break;
        }
    }
    fitcurve();
}

void movenode(int x, int oldx, int y, int oldy, int w)
{
    ControlNode* p = CurrSelectPoint;
    if (!p || w < WIN_YZ || w > WIN_XZ) return;

    double ex = (x - oldx) * 0.05, ey = (y - oldy) * 0.05;
    switch (w) {
    case WIN_YZ: p->y = gen_lasty + ey; p->z = gen_lastz + ex; break;
    case WIN_XY: p->x = gen_lastx + ex; p->y = gen_lasty + ey; break;
    default:     p->x = gen_lastx + ex; p->z = gen_lastz - ey; break;
    }
    fitcurve();
}
