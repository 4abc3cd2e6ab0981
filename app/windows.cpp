// windows.cpp - the six permanent windows: their rectangles, titles and
// projections, the registry of what each window really received, and the
// window finder that maps the pointer to a window number.
#include "app/app.h"
#include "app/model.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "shell/shell.h"

std::int32_t seawid, seaxorigin, seayorigin, seaxsize, seaysize;
std::int32_t heli_wid, heli_xorigin, heli_yorigin, heli_xsize, heli_ysize;
std::int32_t parawid, paraxorigin, parayorigin, paraxsize, paraysize;
std::int32_t generatewid3, generatexorigin3, generateyorigin3, generatexsize3, generateysize3;
std::int32_t generatewid, generatexorigin, generateyorigin, generatexsize, generateysize;
std::int32_t generatewid2, generatexorigin2, generateyorigin2, generatexsize2, generateysize2;

// Opens a window on its rectangle and reads back where it really went.
static std::int32_t openwindow(std::int32_t x1, std::int32_t x2, std::int32_t y1, std::int32_t y2,
                               const char* title, std::int32_t* xorigin, std::int32_t* yorigin,
                               std::int32_t* xsize, std::int32_t* ysize)
{
    gl::prefposition(x1, x2, y1, y2);
    std::int32_t id = gl::winopen(title);
    gl::getsize(xsize, ysize);
    gl::getorigin(xorigin, yorigin);
    return id;
}

// The three curve views share their set-up; only the rotation and the near
// plane differ.
static void configurecurveview(char axis, float nearplane)
{
    gl::RGBmode();
    gl::doublebuffer();
    gl::gconfig();
    gl::zbuffer(1);
    gl::mmode(gl::MVIEWING);
    if (axis) gl::rotate(900, axis);
    gl::ortho(-10.0f, 10.0f, -10.0f, 10.0f, nearplane, -20.0f);
    gl::zclear();
    gl::cpack(0);
    gl::clear();
    gl::swapbuffers();
}

void InitWin()
{
    gl::foreground();
    seawid = openwindow(420, 970, 485, 1035, "Modelling seashell", &seaxorigin, &seayorigin,
                        &seaxsize, &seaysize);
    gl::RGBmode();
    gl::doublebuffer();
    gl::gconfig();
    gl::zbuffer(1);
    gl::mmode(gl::MVIEWING);
    gl::perspective(450, 1.0f, 0.5f, 150.0f);
    definelight();
    gl::lookat((float)sea_xeye, (float)sea_yeye, (float)sea_zeye, 0.0f, 0.0f, 0.0f, 0);
    gl::zclear();
    gl::cpack(0);
    gl::clear();
    gl::swapbuffers();

    gl::foreground();
    generatewid3 = openwindow(0, 400, 0, 400, "Generating curve - YZ view", &generatexorigin3,
                              &generateyorigin3, &generatexsize3, &generateysize3);
    configurecurveview('y', 20.0f);

    generatewid = openwindow(425, 825, 0, 400, "Generating curve - XY view", &generatexorigin,
                             &generateyorigin, &generatexsize, &generateysize);
    configurecurveview(0, 10.0f);

    generatewid2 = openwindow(842, 1242, 0, 400, "Generating curve - XZ view", &generatexorigin2,
                              &generateyorigin2, &generatexsize2, &generateysize2);
    configurecurveview('x', 20.0f);

    gl::foreground();
    heli_wid = openwindow(0, 400, 445, 845, "Growth axis", &heli_xorigin, &heli_yorigin,
                          &heli_xsize, &heli_ysize);
    gl::RGBmode();
    gl::doublebuffer();
    gl::gconfig();
    gl::zbuffer(1);
    gl::mmode(gl::MVIEWING);
    gl::zclear();
    gl::cpack(0);
    gl::clear();
    gl::swapbuffers();

    parawid = openwindow(1315, 1600, 490, 1035, "Adjust parameter", &paraxorigin, &parayorigin,
                         &paraxsize, &paraysize);
    gl::RGBmode();
    gl::doublebuffer();
    gl::gconfig();
    gl::cpack(0);
    gl::clear();
    InitParambar();
    redrawbar(parameterbar, 11);
    gl::swapbuffers();
    gl::cpack(0);
    gl::clear();
    redrawbar(parameterbar, 11);
}

static bool inside(int x, int y, std::int32_t ox, std::int32_t oy, std::int32_t w, std::int32_t h)
{
    return ox <= x && x <= ox + w && oy <= y && y <= oy + h;
}

// Test order: shell, YZ, XY, XZ, growth axis, parameter window; edges belong
// to the window, and where two touch the earlier one wins.
int findwindow()
{
    int x = mp[0], y = mp[1];
    if (inside(x, y, seaxorigin, seayorigin, seaxsize, seaysize)) return WIN_SHELL;
    if (inside(x, y, generatexorigin3, generateyorigin3, generatexsize3, generateysize3)) return WIN_YZ;
    if (inside(x, y, generatexorigin, generateyorigin, generatexsize, generateysize)) return WIN_XY;
    if (inside(x, y, generatexorigin2, generateyorigin2, generatexsize2, generateysize2)) return WIN_XZ;
    if (inside(x, y, heli_xorigin, heli_yorigin, heli_xsize, heli_ysize)) return WIN_HELICO;
    if (inside(x, y, paraxorigin, parayorigin, paraxsize, paraysize)) return WIN_PARAM;
    return WIN_NONE;
}
