// drag.cpp - left-button work outside the dialogs: the press, the chain of
// self-queued drag steps while the button is held, and the release that
// commits the pending view or light offsets.
//
// In the shell and growth-axis windows a drag turns the view (or moves light
// 1); every 20 pixels of motion move the eye or light by one unit, and motion
// to the right or upward gives negative offsets. In a curve view the current
// node follows the pointer; in the parameter window a bar does.
#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "panels/panels.h"
#include "platform/gl.h"

static const double VIEWDRAGFACTOR = -0.05;

void setTInit(int x, int y, int w)
{
    if (w <= WIN_HELICO) return;
    if (w == WIN_PARAM) {
        gl::winset(parawid);
        for (int i = 0; i < 11; i++) barMove(&parameterbar[i], x, y, paraxorigin, parayorigin);
        redrawbar(parameterbar, 11);
        gl::swapbuffers();
        return;
    }
    selectnode(x, y, w);
}

void setT(int x, int oldx, int y, int oldy, int w)
{
    int dx = x - oldx, dy = y - oldy;
    if (w == WIN_SHELL || w == WIN_HELICO) {
        dx = mp[0] - oldp[0];
        dy = mp[1] - oldp[1];
        short h = (short)(int)(dx * VIEWDRAGFACTOR);
        short v = (short)(int)(dy * VIEWDRAGFACTOR);
        if (w == WIN_SHELL) {
            if (vmode == 1) {
                sea_xlasteye = h;
                sea_zlasteye = v;
            } else {
                lightxlast = h;
                lightzlast = v;
            }
        } else {
            if (vmode == 1) {
                sea_ylasteye = h;
                sea_zlasteye = v;
            } else {
                lightylast = h;
                lightzlast = v;
            }
        }
        return;
    }
    if (w >= WIN_YZ && w <= WIN_XZ) movenode(x, oldx, y, oldy, w);
}

void leftpress(short value)
{
    track = value;
    gl::getdev(2, mouses, mp);
    dragwindow = findwindow();
    gl::getdev(2, mouses, oldp);
    lastp[0] = mp[0];
    lastp[1] = mp[1];
    setTInit(mp[0], mp[1], dragwindow);
    lastp[0] = mp[0];
    lastp[1] = mp[1];
    gl::qenter(gl::DRAGSTEP, 0);
}

void dragstep()
{
    if (track == 0) return;
    gl::getdev(2, mouses, mp);
    if (findwindow() != dragwindow) {
        track = 0;
        return;
    }
    if (mp[0] != lastp[0] || mp[1] != lastp[1]) {
        setT(mp[0], oldp[0], mp[1], oldp[1], dragwindow);
        redraw2(dragwindow);
        lastp[0] = mp[0];
        lastp[1] = mp[1];
    }
    gl::qenter(gl::DRAGSTEP, 0);
}

void leftrelease()
{
    track = 0;
    sea_xeye = (short)(sea_xeye + sea_xlasteye);
    sea_yeye = (short)(sea_yeye + sea_ylasteye);
    sea_zeye = (short)(sea_zeye + sea_zlasteye);
    sea_xlasteye = sea_ylasteye = sea_zlasteye = 0;
    if (vmode == 15) {
        light1[1] += (float)lightxlast;
        light1[2] += (float)lightylast;
        light1[3] += (float)lightzlast;
    }
    lightxlast = lightylast = lightzlast = 0;
    if (dragwindow != WIN_NONE) redraw(dragwindow);
}
