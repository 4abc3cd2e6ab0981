// display.cpp - the shell window "Modelling seashell": the surface as a lit
// solid or a lit wire grid, in perspective from the eye toward the origin.
//
// seashellredraw() draws in the current mode (shellmode 17 lines, anything
// else solid); seashellsolidredraw() and seashellgridredraw() draw in one mode
// each and swap buffers; definelight() sets up the lighting once, when the
// window is created. Every redraw regenerates the surface and sends every
// vertex again; nothing is cached.
//
// The view and the light follow a drag in progress: the pending eye offsets
// are added to the eye, and in light mode the pending light offsets to the
// light's position as handed to the graphics layer. The model's light1 is
// never written here, so its stored position changes only at the release.
#include <cstring>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "platform/gl.h"
#include "shell/primitives.h"
#include "shell/shell.h"

void (*shelltrace)(int what, const float* n, const float* v) = nullptr;

void definelight()
{
    gl::lmdef(gl::DEFMATERIAL, 1, 15, material);
    gl::lmdef(gl::DEFLMODEL, 1, 7, lightmodel);
    gl::lmbind(gl::MATERIAL, 1);
    gl::lmdef(gl::DEFLIGHT, 1, 10, light1);
    gl::lmbind(gl::LMODEL, 1);
    gl::lmdef(gl::DEFLIGHT, 1, 10, light1);
    gl::zclear();
    gl::subpixel(1);
    gl::polysmooth(1);
    gl::linesmooth(1);
}

// The part both modes share: clear, projection, lighting, view. Returns 0
// when there is no surface (fewer than two nodes): the window is then shown
// black.
static int seashellbegin()
{
    gl::winset(seawid);
    gl::zclear();
    gl::cpack(0);
    gl::clear();
    if (ObjectPtr->count < 2) {
        gl::swapbuffers();
        return 0;
    }

    gl::loadmatrix(Iden);
    gl::perspective(450, 1.0f, 0.5f, 150.0f);

    // Colour changes made since the last redraw take effect here.
    gl::lmdef(gl::DEFMATERIAL, 1, 15, material);
    gl::lmdef(gl::DEFLMODEL, 1, 7, lightmodel);
    gl::lmbind(gl::MATERIAL, 1);

    // A light drag in progress moves the light handed over, not light1: adding
    // and then subtracting the offset in single precision would not always
    // give the stored position back.
    float light[10];
    std::memcpy(light, light1, sizeof light);
    if (vmode == 15) {
        light[1] += (float)lightxlast;
        light[2] += (float)lightylast;
        light[3] += (float)lightzlast;
    }
    // Bound under the identity, the light keeps its place relative to the eye.
    gl::lmdef(gl::DEFLIGHT, 1, 10, light);
    gl::lmbind(gl::LMODEL, 1);
    gl::lmbind(gl::LIGHT0, 1);

    gl::lookat((float)(sea_xeye + sea_xlasteye), (float)(sea_yeye + sea_ylasteye),
               (float)(sea_zeye + sea_zlasteye), 0.0f, 0.0f, 0.0f, 0);
    return 1;
}

// One triangle strip per band: point i of ring k-1, then point i of ring k.
static void solidband(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    int n = CurveSegment;
    shellbgntmesh();
    for (int i = 0; i < n; i++) {
        shellvertex(prev[i]);
        shellvertex(cur[i]);
    }
    gl::endtmesh();
}

// A growth line per sample, and the outline of ring k as the second segment
// of each line from sample 1 on.
static void gridband(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    int n = CurveSegment;
    shellbgnline();
    shellvertex(prev[0]);
    shellvertex(cur[0]);
    gl::endline();
    for (int i = 1; i < n; i++) {
        shellbgnline();
        shellvertex(prev[i]);
        shellvertex(cur[i]);
        shellvertex(cur[i - 1]);
        gl::endline();
    }
}

void seashellsolidredraw()
{
    if (!seashellbegin())
        return;
    generateshell(solidband, nullptr);
    gl::swapbuffers();
}

void seashellgridredraw()
{
    if (!seashellbegin())
        return;
    generateshell(gridband, nullptr);
    gl::swapbuffers();
}

void seashellredraw()
{
    if (shellmode == 17)
        seashellgridredraw();
    else
        seashellsolidredraw();
}
