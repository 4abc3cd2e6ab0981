// views.cpp - the three curve views: YZ, XY and XZ projections of the same
// control nodes and curve, each 400 x 400 pixels showing -10..10 curve units.
// The projections are set once when the windows are opened; a redraw clears,
// draws the axis cross, the node markers and the curve, and swaps.
//
// generateredraw is the only caller of drawinterpolatepath, so every redraw of
// the views also rebuilds GenerateCurve, which the shell then reads.
#include "app/app.h"
#include "curve/curve.h"
#include "platform/gl.h"
#include "shell/shell.h"

static const std::uint32_t MAGENTA = 0xFF00FF;  // the current node (0x00BBGGRR)
static const std::uint32_t CYAN = 0xFFFF00;     // every other node

void generateredraw(int ignored)
{
    const std::int32_t views[3] = {generatewid, generatewid2, generatewid3};

    for (std::int32_t wid : views) {
        gl::winset(wid);
        gl::zclear();
        gl::cpack(0x000000);
        gl::clear();
        draw_XYZ();
    }
    for (std::int32_t wid : views) {
        gl::winset(wid);
        for (ControlNode* p = ObjectPtr->head; p; p = p->next) {
            gl::cpack(p == CurrSelectPoint ? MAGENTA : CYAN);
            draw_linecube(p->x, p->y, p->z);
        }
    }
    drawinterpolatepath();
    for (std::int32_t wid : views) {
        gl::winset(wid);
        gl::swapbuffers();
    }
}

// A wire cube 0.4 units (8 pixels) wide around the node: the face at y + 0.2,
// down to the face at y - 0.2 and around it, then the three remaining edges.
void draw_linecube(double x, double y, double z)
{
    float x0 = (float)(x - 0.2), x1 = (float)(x + 0.2);
    float y0 = (float)(y - 0.2), y1 = (float)(y + 0.2);
    float z0 = (float)(z - 0.2), z1 = (float)(z + 0.2);

    const float around[10][3] = {
        {x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}, {x0, y1, z0},
        {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}, {x0, y0, z0},
    };
    gl::bgnline();
    for (const float* v : around) gl::v3f(v);
    gl::endline();

    for (int i = 1; i <= 3; i++) {
        gl::bgnline();
        gl::v3f(around[i]);
        gl::v3f(around[i + 5]);
        gl::endline();
    }
}
