// gl.h - the graphics layer the modeller is written against.
//
// An immediate-mode 3D library with its own windows, event queue and popup
// menus, in the manner of a classic workstation graphics library. Everything
// lives in namespace gl. Windows are rectangles of one virtual screen
// (default 1600 x 1200, origin lower left, y up); a compositor shows the
// screen with frames, title bars and popup menus on top. Drawing is done by
// our own software renderer into per-window colour and depth buffers.
//
// Backends (SDL2 for the interactive program, headless for the replay tool)
// feed raw input through platform/backend.h; the program only sees the calls
// below.
#pragma once
#include <cstdint>

namespace gl {

using Int32 = std::int32_t;
using Device = short;
using Matrix = float[4][4];

// ---- devices -------------------------------------------------------------
enum : Device {
    ESCKEY = 7,
    LEFTSHIFTKEY = 5,
    RIGHTSHIFTKEY = 6,
    ENTERKEY = 51,       // "return" in the file-name dialog
    BACKSPACEKEY = 61,
    RIGHTMOUSE = 101,
    MIDDLEMOUSE = 102,
    LEFTMOUSE = 103,
    MOUSEX = 266,
    MOUSEY = 267,
    DRAGSTEP = 274,      // the main loop's own drag-step event
    WINQUIT = 542,       // the window manager asks the program to quit
};

// ---- windows -------------------------------------------------------------
void foreground();
void prefposition(Int32 x1, Int32 x2, Int32 y1, Int32 y2);
Int32 winopen(const char* title);
void wintitle(const char* title);
void winset(Int32 id);
Int32 winget();
void winclose(Int32 id);
void winpop();                        // raise the current window to the top
void getorigin(Int32* x, Int32* y);
void getsize(Int32* w, Int32* h);
void RGBmode();
void cmode();                         // colour-index mode (the default)
void doublebuffer();
void singlebuffer();
void zbuffer(int on);
void gconfig();

// ---- input ---------------------------------------------------------------
void qdevice(Device dev);
void unqdevice(Device dev);
Device qread(short* value);           // waits for the next queued event
void qenter(Device dev, short value);
void qreset();
Int32 qtest();                        // device of the next event, 0 if none
Int32 getbutton(Device dev);          // non-zero while the button/key is down
void getdev(Int32 n, const Device* devs, short* values);
// Modal loops that poll getbutton/getdev call waitinput() between polls:
// it returns when new raw input has arrived, so the program is idle
// meanwhile. pollinput() takes whatever input has arrived without waiting.
void waitinput();
void pollinput();
// A timed pause (the message box); virtual time in the replay tool.
void sleepms(int ms);

// ---- popup menus ---------------------------------------------------------
Int32 defpup(const char* text, ...);  // "%m" entries take Int32 submenu ids
Int32 dopup(Int32 menu);              // -1 when nothing was chosen
void freepup(Int32 menu);

// ---- colour and buffers --------------------------------------------------
void cpack(std::uint32_t c);          // 0x00BBGGRR
void RGBcolor(short r, short g, short b);
void color(short index);              // colour-index windows: 0 black, 7 white
void clear();
void zclear();
void swapbuffers();

// ---- transforms ----------------------------------------------------------
enum : short { MSINGLE = 0, MPROJECTION = 1, MVIEWING = 2 };
void mmode(short m);
void loadmatrix(const Matrix m);
void multmatrix(const Matrix m);
void getmatrix(Matrix m);
void pushmatrix();
void popmatrix();
void perspective(short fovy_tenths, float aspect, float near, float far);
void ortho(float left, float right, float bottom, float top, float near, float far);
void ortho2(float left, float right, float bottom, float top);
void lookat(float vx, float vy, float vz, float px, float py, float pz, short twist);
void rotate(short tenths, char axis);
void translate(float x, float y, float z);
void scale(float x, float y, float z);

// ---- primitives ----------------------------------------------------------
void bgnline();
void endline();
void bgnclosedline();
void endclosedline();
void bgntmesh();
void endtmesh();
void v2f(const float v[2]);
void v3f(const float v[3]);
void v2i(const Int32 v[2]);
void n3f(const float n[3]);
void rectfi(Int32 x1, Int32 y1, Int32 x2, Int32 y2);
void cmov2(float x, float y);
void cmov2i(Int32 x, Int32 y);
void charstr(const char* text);
Int32 strwidth(const char* text);
void writeRGB(short n, const unsigned char* r, const unsigned char* g, const unsigned char* b);
void subpixel(int on);
void polysmooth(int on);
void linesmooth(int on);

// ---- lighting ------------------------------------------------------------
// lmdef targets and lmbind targets as the modeller uses them.
enum : short { DEFMATERIAL = 0, DEFLIGHT = 100, DEFLMODEL = 200 };
enum : short { MATERIAL = 1000, LIGHT0 = 1100, LMODEL = 1200 };
// property tokens
enum : short {
    LMNULL = 0, AMBIENT = 2, DIFFUSE = 3, SPECULAR = 4, SHININESS = 5,
    LCOLOR = 101, POSITION = 102, LOCALVIEWER = 201,
};
void lmdef(short deftype, short index, short np, const float* props);
void lmbind(short target, short index);

}  // namespace gl
