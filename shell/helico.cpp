// helico.cpp - the "Growth axis" window: the helico-spiral alone (the line
// through the ring centres of the shell) with a cross of coordinate axes,
// seen from the same eye as the shell window, pending drag included.
//
// helicoredraw() draws the window and shows it; draw_helico() draws the
// spiral into the current window; draw_reverseXYZ() and draw_XYZ() draw an
// axis cross of length 5 under the current transformation, the first with
// its y axis pointing down (the spiral descends from y = 2.2), the second,
// used by the curve views, with y up.
//
// Limits: a step count that gives no finite positive angle step draws only
// the start point; at most 1,000,000 steps are drawn, and the line stops at
// the first point that is not finite.
#include <cmath>

#include "app/app.h"
#include "app/model.h"
#include "platform/gl.h"
#include "shell/primitives.h"
#include "shell/shell.h"

static const int MAXSTEPS = 1000000;

static const float axisvectors[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
static const float reverseaxisvectors[4][3] = {{1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, 0}};
static const unsigned char axiscolours[3][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}};

void helicoredraw()
{
    gl::winset(heli_wid);
    gl::zclear();
    gl::RGBcolor(0, 0, 64);
    gl::clear();
    gl::loadmatrix(Iden);
    gl::perspective(450, 1.0f, 1.0f, 100.0f);
    gl::lookat((float)(sea_xeye + sea_xlasteye), (float)(sea_yeye + sea_ylasteye),
               (float)(sea_zeye + sea_zlasteye), 0.0f, 0.0f, 0.0f, 0);
    draw_reverseXYZ();
    draw_helico(helico_r0, helico_z0, helico_rate, helico_endangle, helico_stepsize);
    gl::swapbuffers();
}

void draw_helico(double r0, double z0, double rate, double endangle, double stepsize)
{
    double delta = 6.283185307179586 / stepsize;
    double a = std::pow(rate, delta);
    double r = r0, d = z0;
    float v[3] = {(float)r0, (float)(2.2 - z0), 0.0f};

    gl::RGBcolor(0, 240, 240);
    shellbgnline();
    bool stepok = std::isfinite(delta) && delta > 0.0;
    double theta = delta;
    // Stops at the first point that is not finite (values only a file can bring).
    for (int k = 0; k <= MAXSTEPS && std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); k++) {
        shellv3f(v);
        if (!stepok || !(theta < endangle))
            break;
        r = r * a;
        d = d * a;
        v[0] = (float)(r * std::cos(theta));
        v[1] = (float)(2.2 - d);
        v[2] = (float)(r * std::sin(theta));
        theta = theta + delta;
    }
    gl::endline();
}

static void drawaxes(const float vectors[4][3])
{
    gl::pushmatrix();
    gl::scale(5.0f, 5.0f, 5.0f);
    for (int i = 0; i < 3; i++) {
        gl::RGBcolor(axiscolours[i][0], axiscolours[i][1], axiscolours[i][2]);
        shellbgnline();
        shellv3f(vectors[3]);
        shellv3f(vectors[i]);
        gl::endline();
    }
    gl::popmatrix();
}

void draw_reverseXYZ()
{
    drawaxes(reverseaxisvectors);
}

void draw_XYZ()
{
    drawaxes(axisvectors);
}
