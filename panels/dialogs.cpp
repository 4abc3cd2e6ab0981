// dialogs.cpp - the "Define attribute" and "Define color" dialogs, and the
// panel drawing of the three "Define texture" dialogs.
//
// Usage: attributebox() and colorwindow() open their window, run until OK is
// clicked and close it; everything changed stays in the model (there is no
// cancel). The caller (the main menu) discards the events queued meanwhile
// and redraws. The redrawtexturebar functions only draw; the texture dialogs
// that run them live with the texture code.
//
// The bars edit double copies of the lighting lists; after every pass the
// dialog writes changed copies back into the lists and redraws the shell, so
// the effect shows live. Reflection and background colour have no list and
// never redraw the shell.
//
// Limits: modal. Between passes the loop waits for new input instead of
// polling without pause.
#include "panels/panels.h"

#include <cmath>

#include "app/app.h"
#include "app/model.h"
#include "platform/gl.h"
#include "shell/shell.h"

void (*dialogshellredraw)() = seashellredraw;

static const short BUTTON_R = 7, BUTTON_G = 128, BUTTON_B = 170;     // button outlines
static const short BTEXT_R = 255, BTEXT_G = 240, BTEXT_B = 255;      // button texts
static const short TITLE_R = 240, TITLE_G = 255, TITLE_B = 255;      // texture dialog titles

static void drawokbutton()
{
    gl::RGBcolor(BUTTON_R, BUTTON_G, BUTTON_B);
    drawbar(40, 10, 80, 40);
    gl::RGBcolor(BTEXT_R, BTEXT_G, BTEXT_B);
    gl::cmov2i(65, 25);
    gl::charstr("OK");
}

void redrawattributebar()
{
    redrawbar(attributebar, 2);
    drawRGBbar(light1colorbar);
    drawRGBbar(light2colorbar);
    drawRGBbar(specularcolorbar);
    drawRGBbar(patterncolorbar);
    drawRGBbar(Backcolorbar);
    drawokbutton();
    gl::swapbuffers();
}

void redrawcolorbar()
{
    gl::cpack(0x000000);
    gl::clear();
    drawRGBbar(patterncolorbar);
    drawokbutton();
    gl::swapbuffers();
}

static void redrawtexturepanel(ParameterBar* table, int count, const char* title, std::int32_t titley)
{
    redrawbar(table, count);
    drawRGBbar(patterncolorbar);
    drawRGBbar(Backcolorbar);
    gl::RGBcolor(BUTTON_R, BUTTON_G, BUTTON_B);
    drawbar(10, 10, 80, 40);
    drawbar(120, 10, 80, 40);
    drawbar(230, 10, 80, 40);
    gl::RGBcolor(BTEXT_R, BTEXT_G, BTEXT_B);
    gl::cmov2i(35, 25);
    gl::charstr("OK");
    gl::cmov2i(130, 25);
    gl::charstr("Preview");
    gl::cmov2i(240, 25);
    gl::charstr("Library");
    gl::RGBcolor(TITLE_R, TITLE_G, TITLE_B);
    gl::cmov2i(40, titley);
    gl::charstr(title);
    gl::swapbuffers();
}

void redrawtexturebar() { redrawtexturepanel(texturebar, 12, "Activator-Substrate Model", 930); }
void redrawtexturebar2() { redrawtexturepanel(texturebar2, 13, "Activator-Inhibitor Model", 980); }
void redrawtexturebar3() { redrawtexturepanel(texturebar3, 10, "Strip Formation Model", 980); }

// A list element needs rewriting when the narrowed double differs from it.
// Comparing in single precision keeps a value that float cannot hold exactly
// (most dragged values) from counting as changed on every later pass, which
// would redraw the shell again and again with nothing changed.
static bool differs(double d, float element)
{
    float f = (float)d;
    return f != element && !(std::isnan(f) && std::isnan(element));
}

// Writes the three doubles into list[first..first+2]; returns whether any
// of them changed.
static bool writeback3(float* list, int first, double a, double b, double c)
{
    if (!differs(a, list[first]) && !differs(b, list[first + 1]) && !differs(c, list[first + 2]))
        return false;
    list[first] = (float)a;
    list[first + 1] = (float)b;
    list[first + 2] = (float)c;
    return true;
}

static std::int32_t opendialog(const char* title, std::int32_t top, std::int32_t* ox, std::int32_t* oy)
{
    gl::prefposition(0, 350, 0, top);
    std::int32_t wid = gl::winopen(title);
    gl::doublebuffer();
    gl::RGBmode();
    gl::gconfig();
    gl::getorigin(ox, oy);
    gl::cpack(0x000000);
    gl::clear();
    return wid;
}

// The OK button's hit area, bounds excluded.
static bool onok(std::int32_t ox, std::int32_t oy)
{
    std::int32_t x = mp[0] - ox, y = mp[1] - oy;
    return gl::getbutton(gl::LEFTMOUSE) && x > 40 && x < 120 && y > 10 && y < 50;
}

void attributebox()
{
    std::int32_t ox, oy;
    std::int32_t wid = opendialog("Define attribute", 850, &ox, &oy);
    redrawattributebar();
    redrawattributebar();
    for (;;) {
        gl::getdev(2, mouses, mp);
        if (onok(ox, oy)) {
            gl::winclose(wid);
            return;
        }
        std::int32_t mx = mp[0], my = mp[1];
        barMove(&attributebar[0], mx, my, ox, oy);
        barMove(&attributebar[1], mx, my, ox, oy);
        RGBbarMove(light1colorbar, mx, my, ox, oy);
        RGBbarMove(light2colorbar, mx, my, ox, oy);
        RGBbarMove(specularcolorbar, mx, my, ox, oy);
        RGBbarMove(patterncolorbar, mx, my, ox, oy);
        RGBbarMove(Backcolorbar, mx, my, ox, oy);

        bool changed = false;
        changed |= writeback3(light1, 6, DL[3], DL[4], DL[5]);
        changed |= writeback3(light2, 6, DL[9], DL[10], DL[11]);
        changed |= writeback3(material, 7, specular_r, specular_g, specular_b);
        changed |= writeback3(material, 3, pattern_r, pattern_g, pattern_b);
        if (differs(shinnessvalue, material[1])) {
            material[1] = (float)shinnessvalue;
            changed = true;
        }
        if (changed) {
            dialogshellredraw();
            gl::winset(wid);
        }
        gl::waitinput();
    }
}

void colorwindow()
{
    std::int32_t ox, oy;
    std::int32_t wid = opendialog("Define color", 250, &ox, &oy);
    redrawcolorbar();
    redrawcolorbar();
    for (;;) {
        gl::getdev(2, mouses, mp);
        if (onok(ox, oy)) {
            gl::winclose(wid);
            return;
        }
        RGBbarMove(patterncolorbar, mp[0], mp[1], ox, oy);
        if (writeback3(material, 3, pattern_r, pattern_g, pattern_b)) {
            dialogshellredraw();
            gl::winset(wid);
        }
        gl::waitinput();
    }
}
