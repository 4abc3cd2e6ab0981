// loop.cpp - start-up, the event loop, the redraw dispatch between windows
// and the orderly exit.
//
// The loop reads one event at a time: the right button opens a popup menu,
// the left button and the self-queued drag steps go to the drag handling in
// drag.cpp, Escape and the window manager's quit end the program.
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "raytrace/raytrace.h"
#include "shell/shell.h"

short mouses[2] = {gl::MOUSEX, gl::MOUSEY};
short mp[2], oldp[2], lastp[2];
short val;
std::int32_t track;
int dragwindow;

static std::int32_t seamenu, splinemenu;

// Builds the main menu and the curve menu from their definition strings.
static void makemenus()
{
    std::int32_t drawmenu = gl::defpup("draw %t|Line %x17|Solid %x18");
    std::int32_t loadmenu =
        gl::defpup("Load %t|shell parameters %x70|shell bitmap %x71|shell texture %x74");
    std::int32_t sizemenu = gl::defpup(
        "size %t|200x200 %x60|300x300 %x61|400x400 %x62|500x500 %x63|600x600 %x64|700x700 %x65|"
        "800x800 %x66|900x900 %x67|1000x1000 %x68");
    std::int32_t texturemenu = gl::defpup(
        "texture %t|activator substrate %x50|activator inhibitor %x51|strip formation %x49|"
        "uniform color %x52");
    std::int32_t savemenu = gl::defpup("Save %t|shell parameters %x72|shell texture %x73");
    seamenu = gl::defpup(
        "Seashell %t |View point|Light position %x15|Option %m|Texture %m|Raytracing %m|Load %m|"
        "Save %m|Library|Attribute|Clear All|Redraw|Quit",
        drawmenu, texturemenu, sizemenu, loadmenu, savemenu);
    std::int32_t addmenu = gl::defpup("Add %t|Front %x30|Middle %x31|End %x32");
    splinemenu =
        gl::defpup("Spline Curve %t |Modify|View point|Add node %m|Delete node|Clear", addmenu);
}

// Right button: the curve menu over a curve view, the main menu elsewhere.
static void rightbutton()
{
    gl::getdev(2, mouses, mp);
    lastp[0] = mp[0];
    lastp[1] = mp[1];
    dragwindow = findwindow();
    if (dragwindow >= WIN_YZ && dragwindow <= WIN_XZ)
        SplineMenuFunc(gl::dopup(splinemenu));
    else
        SeaMenuFunc(gl::dopup(seamenu));
}

void leftpress(short value);
void dragstep();
void leftrelease();

int seashell_main()
{
    gl::foreground();
    ObjectPtr = &AnimateObject;
    ObjectPtr->head = nullptr;
    ObjectPtr->count = 0;
    InitWin();
    inittracelist();
    makemenus();
    redraw(0);
    gl::qdevice(gl::ESCKEY);
    gl::qdevice(gl::LEFTMOUSE);
    gl::qdevice(gl::RIGHTMOUSE);
    gl::qdevice(gl::MIDDLEMOUSE);
    gl::qdevice(gl::WINQUIT);
    gl::qdevice(gl::DRAGSTEP);
    for (;;) {
        gl::Device dev = gl::qread(&val);
        switch (dev) {
        case gl::ESCKEY:
        case gl::WINQUIT:
            do_exit();
        case gl::RIGHTMOUSE:
            rightbutton();
            break;
        case gl::LEFTMOUSE:
            if (val)
                leftpress(val);
            else
                leftrelease();
            break;
        case gl::DRAGSTEP:
            dragstep();
            break;
        default:  // middle button and anything a dialog left queued
            break;
        }
    }
}

void redraw(int w)
{
    if (w == 0 || w == 2 || w == 6) helicoredraw();
    if (w == 0 || w >= 3) generateredraw(0);
    seashellredraw();
    if (w == 0) {
        gl::winset(parawid);
        redrawbar(parameterbar, 11);
        gl::swapbuffers();
        redrawbar(parameterbar, 11);
    }
}

void redraw2(int w)
{
    if (w < 3 || w == 6) helicoredraw();
    if (w == 0 || w >= 3) generateredraw(0);
    if (w != 3 && w != 4 && w != 5) seashellredraw();
}

void do_exit()
{
    gl::winclose(seawid);
    gl::winclose(generatewid);
    gl::winclose(heli_wid);
    delete_path();
    std::fflush(stdout);
    std::exit(0);
}
