// menu.cpp - the main popup menu's commands: modes, display, texture dialogs,
// ray tracing, file commands under a typed name, the sample library, the
// attribute dialog, Clear All, Redraw and Quit.
#include <cstdio>

#include "app/app.h"
#include "app/model.h"
#include "files/files.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "raytrace/raytrace.h"
#include "shell/shell.h"
#include "texture/texture.h"

// After a texture dialog: its colour bar may have changed the pattern colour,
// which is also the colour of the displayed shell.
static void texturetail()
{
    gl::qreset();
    material[3] = (float)pattern_r;
    material[4] = (float)pattern_g;
    material[5] = (float)pattern_b;
    redraw(0);
}

static void retitleshell(const char* name)
{
    gl::winset(seawid);
    gl::wintitle(name);
}

// Asks for a name, runs the file operation on it; the parameter commands
// retitle the shell window with the extended name when they succeed.
static void filecommand(const char* prompt, int (*operation)(char*), bool retitle)
{
    char name[32];
    getfilename(name, prompt);
    int ok = operation(name);
    if (ok && retitle) retitleshell(name);
    redraw(0);
}

static int showbitmap(char* name)
{
    return readbitmap(name, 0, 0);
}

// The grid of 24 sample thumbnails; a left click loads the sample under the
// pointer, a right click loads nothing.
static void samplelibrary()
{
    std::int32_t wid[24];
    char name[32];
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 6; c++) {
            std::snprintf(name, sizeof name, "%s%d", "sample", 6 * r + c);
            wid[6 * r + c] = readbitmap(name, 215 * c, 240 * r);
        }
    while (!gl::getbutton(gl::LEFTMOUSE) && !gl::getbutton(gl::RIGHTMOUSE)) gl::waitinput();
    if (gl::getbutton(gl::LEFTMOUSE)) {
        short p[2];
        gl::getdev(2, mouses, p);
        int c = p[0] / 215, r = p[1] / 240;
        if (p[0] >= 0 && p[1] >= 0 && c < 6 && r < 4) {
            std::snprintf(name, sizeof name, "%s%d", "sample", 6 * r + c);
            if (loadshellparameter(name)) retitleshell(name);
        }
    }
    // Let the deciding click end here: its release, read later by the main
    // loop, would open a menu (right) or end a drag that never began (left).
    while (gl::getbutton(gl::LEFTMOUSE) || gl::getbutton(gl::RIGHTMOUSE)) gl::waitinput();
    for (int i = 0; i < 24; i++)
        if (wid[i] > 0) gl::winclose(wid[i]);
    gl::qreset();
    redraw(0);
}

void SeaMenuFunc(int code)
{
    switch (code) {
    case 1:
        vmode = 1;
        break;
    case 15:
        vmode = 15;
        break;
    case 17:
        shellmode = 17;
        seashellgridredraw();
        break;
    case 18:
        shellmode = 18;
        seashellsolidredraw();
        break;
    case 50:
        texturetype = 50;
        pigmentation();
        texturetail();
        break;
    case 51:
        texturetype = 51;
        pigmentation2();
        texturetail();
        break;
    case 49:
        texturetype = 49;
        pigmentation3();
        texturetail();
        break;
    case 52:
        texturetype = 52;
        colorwindow();
        gl::qreset();
        redraw(0);
        break;
    case 60: case 61: case 62: case 63: case 64: case 65: case 66: case 67: case 68:
        seashellraytracing(200 + 100 * (code - 60));
        break;
    case 70:
        filecommand("Load parameters from file", loadshellparameter, true);
        break;
    case 71:
        filecommand("Load bitmap from file", showbitmap, false);
        break;
    case 74:
        filecommand("Load texture from file", loadtexture, false);
        break;
    case 72:
        filecommand("Save parameters to file", saveshellparameter, true);
        break;
    case 73:
        filecommand("Save texture to file", savetexture, false);
        break;
    case 8:
        samplelibrary();
        break;
    case 9:
        attributebox();
        gl::qreset();
        redraw(0);
        break;
    case 10:
        restart();
        retitleshell("Modelling seashell");
        break;
    case 11:
        redraw(0);
        break;
    case 12:
        do_exit();
    default:
        break;
    }
}
