// bar.cpp - the two slider widgets: ParameterBar (one track, a knob and the
// value printed to the right) and RGBBar (three channel tracks and a colour
// swatch).
//
// Usage: make the window current, then redrawbar()/drawRGBbar() to draw, and
// on a left press call barMove()/RGBbarMove() with the press in screen
// coordinates and the window's screen origin. A hit knob follows the pointer
// horizontally until the left button is released, writing the bound double
// on every sample; a miss returns at once. The knob's pixel position is all
// that drawing looks at: values become knob positions only when the tables
// are rebuilt (InitParambar), and knob positions become values only while
// dragging.
//
// Limits: the drag loops poll the button and pointer, not the event queue,
// so events that arrive meanwhile stay queued for the caller; between polls
// they wait for new input so that nothing spins.
#include "panels/panels.h"

#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "platform/gl.h"

// Packed drawing colours, 0x00BBGGRR.
static const std::uint32_t BLACK = 0x000000;
static const std::uint32_t YELLOW = 0x00FFFF;
static const std::uint32_t CYAN = 0xFFFF00;
static const std::uint32_t WHITE = 0xFFFFFF;
static const std::uint32_t KNOBGREY = 0x505050;       // bar knob and red-channel knob
static const std::uint32_t GREENKNOBGREY = 0x707070;
static const std::uint32_t BLUEKNOBGREY = 0x202020;
static const std::uint32_t REDTRACK = 0x0000FF;
static const std::uint32_t GREENTRACK = 0x00FF00;
static const std::uint32_t BLUETRACK = 0xFF0000;

// Truncation toward zero into a 16-bit colour component, saturated likewise.
static short truncshort(double v)
{
    if (std::isnan(v)) return 0;
    if (v > 32767.0) return 32767;
    if (v < -32768.0) return -32768;
    return (short)v;
}

void drawbar(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h)
{
    const gl::Int32 outer[5][2] = {{x, y + 5}, {x + w, y + 5}, {x + w, y + h}, {x, y + h}, {x, y + 5}};
    const gl::Int32 inner[5][2] = {
        {x + 3, y + 8}, {x + w - 3, y + 8}, {x + w - 3, y + h - 3}, {x + 3, y + h - 3}, {x + 3, y + 8}};
    gl::bgnline();
    for (const auto& p : outer) gl::v2i(p);
    gl::endline();
    gl::bgnline();
    for (const auto& p : inner) gl::v2i(p);
    gl::endline();
}

static void drawknob(std::int32_t kx, std::int32_t ky)
{
    gl::rectfi(kx - 5, ky + 10, kx + 5, ky - 10);
}

// The value text right of the track; "%.3f" of a huge value is long, so it
// is cut to what the buffer holds.
static void drawvalue(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", v);
    gl::charstr(text);
}

void redrawbar(ParameterBar* table, int count)
{
    gl::cpack(BLACK);
    gl::clear();
    for (int i = 0; i < count; i++) {
        ParameterBar* b = &table[i];
        gl::cpack(YELLOW);
        gl::cmov2i(b->x, b->y + 25);
        gl::charstr(b->label);
        gl::cpack(CYAN);
        drawbar(b->x, b->y, 220, 15);
        gl::cpack(KNOBGREY);
        drawknob(b->knobx, b->knoby);
        gl::cpack(BLACK);
        gl::rectfi(b->x + 230, b->y + 20, b->x + 290, b->y + 5);
        gl::cmov2i(b->x + 230, b->y + 5);
        gl::cpack(WHITE);
        drawvalue(*b->variable);
    }
}

// Pointer x relative to the window, as the 16-bit value the drag keeps,
// pinned to the track.
static short dragknobx(std::int32_t ox, std::int32_t knobmin, std::int32_t knobmax)
{
    gl::getdev(2, mouses, mp);
    short nx = (short)(mp[0] - ox);
    if (nx > knobmax)
        nx = (short)knobmax;
    else if (nx < knobmin)
        nx = (short)knobmin;
    return nx;
}

// The dragged bar's track, knob and value, drawn into the back buffer.
static void drawdragged(ParameterBar* bar)
{
    gl::cpack(BLACK);
    gl::rectfi(bar->x, bar->y + 20, bar->x + 220, bar->y);
    gl::cpack(CYAN);
    drawbar(bar->x, bar->y, 220, 15);
    gl::cpack(KNOBGREY);
    drawknob(bar->knobx, bar->knoby);
    gl::cpack(BLACK);
    gl::rectfi(bar->x + 230, bar->y + 20, bar->x + 330, bar->y + 5);
    gl::cmov2i(bar->x + 230, bar->y + 5);
    gl::cpack(WHITE);
    drawvalue(*bar->variable);
}

void barMove(ParameterBar* bar, std::int32_t mx, std::int32_t my, std::int32_t ox, std::int32_t oy)
{
    // 64-bit so that a knob far off the track cannot overflow the square.
    std::int64_t dx = (std::int64_t)mx - ox - bar->knobx;
    std::int64_t dy = (std::int64_t)my - oy - bar->knoby;
    if (dx * dx + dy * dy >= 150) return;

    bool dragged = false;
    while (gl::getbutton(gl::LEFTMOUSE)) {
        bar->knobx = dragknobx(ox, bar->knobmin, bar->knobmax);
        *bar->variable = bar->range * (bar->knobx - bar->x - 10) / 200.0 + bar->minvalue;
        drawdragged(bar);
        gl::swapbuffers();
        dragged = true;
        gl::waitinput();
    }
    // Each step drew into one buffer only: bring the other one up to date, so
    // that a later swap elsewhere in the panel never shows an old value.
    if (dragged) drawdragged(bar);
}

void drawrgbbox(RGBBar* bar)
{
    gl::cpack(BLACK);
    gl::rectfi(bar->x + 240, bar->y + 90, bar->x + 290, bar->y + 10);
    gl::RGBcolor(truncshort(*bar->red * 255.0), truncshort(*bar->green * 255.0),
                 truncshort(*bar->blue * 255.0));
    gl::rectfi(bar->x + 240, bar->y + 90, bar->x + 290, bar->y + 10);
}

void drawRGBbar(RGBBar* bar)
{
    gl::cpack(BLUETRACK);
    drawbar(bar->x, bar->y, 220, 15);
    gl::cpack(GREENTRACK);
    drawbar(bar->x, bar->y + 35, 220, 15);
    gl::cpack(REDTRACK);
    drawbar(bar->x, bar->y + 70, 220, 15);

    gl::cpack(KNOBGREY);
    drawknob(bar->redknobx, bar->redknoby);
    gl::cpack(GREENKNOBGREY);
    drawknob(bar->greenknobx, bar->greenknoby);
    gl::cpack(BLUEKNOBGREY);
    drawknob(bar->blueknobx, bar->blueknoby);

    gl::cpack(WHITE);
    gl::cmov2i(bar->x, bar->y + 100);
    gl::charstr(bar->label);

    drawrgbbox(bar);
}

// One channel of an RGBBar: its knob, the strip it lives in and its colours.
struct Channel {
    std::int32_t* knobx;
    std::int32_t knoby;
    std::int32_t strip;  // bottom of the channel's strip, relative to the bar's y
    double* value;
    std::uint32_t track, knob;
};

void RGBbarMove(RGBBar* bar, std::int32_t mx, std::int32_t my, std::int32_t ox, std::int32_t oy)
{
    const std::int64_t px = (std::int64_t)mx - ox, py = (std::int64_t)my - oy;
    const Channel channels[3] = {
        {&bar->redknobx, bar->redknoby, 70, bar->red, REDTRACK, KNOBGREY},
        {&bar->greenknobx, bar->greenknoby, 35, bar->green, GREENTRACK, GREENKNOBGREY},
        {&bar->blueknobx, bar->blueknoby, 0, bar->blue, BLUETRACK, BLUEKNOBGREY},
    };
    for (const Channel& c : channels) {
        std::int64_t dx = px - *c.knobx, dy = py - c.knoby;
        if (dx * dx + dy * dy >= 150 || !gl::getbutton(gl::LEFTMOUSE)) continue;
        std::int32_t bottom = bar->y + c.strip;
        auto drawchannel = [&] {
            gl::cpack(BLACK);
            gl::rectfi(bar->x, bottom + 20, bar->x + 220, bottom);
            gl::cpack(c.track);
            drawbar(bar->x, bottom, 220, 15);
            gl::cpack(c.knob);
            drawknob(*c.knobx, c.knoby);
            drawrgbbox(bar);
        };
        while (gl::getbutton(gl::LEFTMOUSE)) {
            *c.knobx = dragknobx(ox, bar->knobmin, bar->knobmax);
            *c.value = (*c.knobx - bar->x - 10) / 200.0;
            drawchannel();
            gl::swapbuffers();
            gl::waitinput();
        }
        drawchannel();  // the other buffer too, as for a ParameterBar
    }
}
