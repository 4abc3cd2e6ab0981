// dialogs.cpp - the three "Define texture" dialogs and their texture library
// picker.
//
// pigmentation (activator-substrate), pigmentation2 (activator-inhibitor) and
// pigmentation3 (stripe formation) open a modal window at the screen's left
// edge with the model's bars, the pattern and background colour bars and the
// buttons "OK", "Preview" and "Library", and return when "OK" is pressed.
// There is no cancel: the bars write the model's globals directly. The
// caller (the main menu) discards the input queued meanwhile and redraws.
//
// "Library" shows the model's eight sample textures (prefix + 0..7, e.g.
// actsub0) as a 4 x 2 grid of thumbnails from screen x 400, y 0, 215 and 240
// pixels apart; a left press loads the sample under the pointer, a right
// press or a press off the grid loads nothing.
//
// Limits: modal. Between passes the loop and the picker wait for new input
// instead of polling without pause. A press that starts a preview or opens
// the picker is released before they begin, and the press that stops a
// preview or picks a sample is released before the dialog goes on, so one
// press never acts twice (stopping the run at once, starting it again,
// picking the sample under the "Library" button, or dragging a bar).
#include <cstdint>
#include <cstdio>

#include "app/app.h"
#include "app/model.h"
#include "files/files.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "texture/texture.h"

struct TextureDialog {
    std::int32_t top;        // the window spans x 0..350, y 0..top
    ParameterBar* table;
    int count;
    const char* prefix;      // library files: prefix + 0..7
    void (*panel)();         // draws the panel and swaps buffers
};

static const TextureDialog substratedialog = {950, texturebar, 12, "actsub", redrawtexturebar};
static const TextureDialog inhibitordialog = {1000, texturebar2, 13, "actinh", redrawtexturebar2};
static const TextureDialog stripedialog = {1000, texturebar3, 10, "stripfor", redrawtexturebar3};

// Button boxes in the dialog's own pixels; the bounds themselves do not count.
static bool inbutton(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t right)
{
    return x > left && x < right && y > 10 && y < 50;
}

static void waitrelease(gl::Device button)
{
    while (gl::getbutton(button))
        gl::waitinput();
}

// Once for each buffer.
static void drawpanel(const TextureDialog& d)
{
    d.panel();
    d.panel();
}

static void texturelibrary(const TextureDialog& d, std::int32_t wid)
{
    std::int32_t ids[8];
    char name[32];  // room for the ".ttr" the viewer and loader append
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 4; j++) {
            std::snprintf(name, sizeof name, "%s%d", d.prefix, i * 4 + j);
            ids[i * 4 + j] = viewtexture(name, 400 + 215 * j, 240 * i);
        }

    // The press on "Library" is still down; the pick is the next press.
    waitrelease(gl::LEFTMOUSE);
    while (!gl::getbutton(gl::LEFTMOUSE) && !gl::getbutton(gl::RIGHTMOUSE))
        gl::waitinput();
    if (gl::getbutton(gl::LEFTMOUSE)) {
        short p[2];
        gl::getdev(2, mouses, p);
        // Integer division drops the fraction toward zero, so x 186..399
        // also counts as column 0.
        int column = (p[0] - 400) / 215;
        int row = p[1] / 240;
        if (column >= 0 && column <= 3 && row <= 1) {
            std::snprintf(name, sizeof name, "%s%d", d.prefix, row * 4 + column);
            loadtexture(name);
        }
    }
    for (int k = 0; k < 8; k++)
        if (ids[k] > 0)
            gl::winclose(ids[k]);
    gl::qreset();

    redraw(0);
    gl::winset(wid);
    drawpanel(d);  // the bars show the loaded values
    waitrelease(gl::LEFTMOUSE);
}

static void texturedialog(const TextureDialog& d)
{
    widpreview = -1;
    maxrandom = 2147483647;

    gl::prefposition(0, 350, 0, d.top);
    std::int32_t wid = gl::winopen("Define texture");
    std::int32_t ox, oy;
    gl::getorigin(&ox, &oy);
    gl::RGBmode();
    gl::doublebuffer();
    gl::gconfig();
    gl::cpack(0);
    gl::clear();
    drawpanel(d);

    for (;;) {
        short m[2];
        gl::getdev(2, mouses, m);
        std::int32_t mx = m[0], my = m[1];
        if (gl::getbutton(gl::LEFTMOUSE)) {
            std::int32_t x = mx - ox, y = my - oy;
            if (inbutton(x, y, 10, 90)) {
                gl::winclose(wid);
                if (widpreview != -1)
                    gl::winclose(widpreview);
                widpreview = -1;
                return;
            } else if (inbutton(x, y, 120, 200)) {
                // Otherwise the run's first poll would see this press and stop.
                waitrelease(gl::LEFTMOUSE);
                previewtexture();
                gl::winset(wid);
                waitrelease(gl::LEFTMOUSE);
            } else if (inbutton(x, y, 230, 310)) {
                texturelibrary(d, wid);
            }
        }
        for (int i = 0; i < d.count; i++)
            barMove(&d.table[i], mx, my, ox, oy);
        RGBbarMove(patterncolorbar, mx, my, ox, oy);
        RGBbarMove(Backcolorbar, mx, my, ox, oy);
        gl::waitinput();
    }
}

void pigmentation() { texturedialog(substratedialog); }
void pigmentation2() { texturedialog(inhibitordialog); }
void pigmentation3() { texturedialog(stripedialog); }
