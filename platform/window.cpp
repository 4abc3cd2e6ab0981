// window.cpp - windows of the virtual screen: opening, closing, stacking,
// the current window and its configuration.
//
// prefposition(x1, x2, y1, y2) then winopen(title) opens a window covering
// x1..x2 and y1..y2 inclusive, clipped to the screen; it becomes current and
// topmost. A new window is colour-index, single-buffered, without depth
// buffer, and maps its pixels one to one (x 0 at the left, y 0 at the
// bottom). RGBmode/cmode and doublebuffer/singlebuffer take effect at
// gconfig(); zbuffer() at once. Identifiers are positive and never reused.
#include "platform/gl.h"
#include "platform/internal.h"
#include "platform/screen.h"
#include <algorithm>
#include <cstdio>

namespace gl {
namespace core {

// Never destroyed: windows stay valid while other code shuts down, and
// they remain reachable for leak checkers at exit.
std::vector<Window*>& windows = *new std::vector<Window*>;
Window* cur = nullptr;

Window* find_window(Int32 id)
{
    for (Window* w : windows)
        if (w->id == id) return w;
    return nullptr;
}

void drawn()
{
    if (cur && !cur->dbl) screen_changed(false);
}

}  // namespace core

using namespace core;

namespace {

int screen_w = 1600, screen_h = 1200;
Int32 next_id = 1;
bool pref_set = false;
Int32 pref_x1, pref_x2, pref_y1, pref_y2;

// The classic default: pixel (i, j) at window coordinates (i, j).
void default_matrix(Window* w)
{
    w->mode = MSINGLE;
    w->proj = identity();
    w->sp = 0;
    Mat& m = w->stack[0];
    m = identity();
    m.m[0][0] = (float)(2.0 / w->w);
    m.m[1][1] = (float)(2.0 / w->h);
    m.m[2][2] = -1.0f;
    m.m[3][0] = (float)(-(w->w - 1.0) / w->w);
    m.m[3][1] = (float)(-(w->h - 1.0) / w->h);
    w->dirty = true;
}

}  // namespace

void screen_setsize(int width, int height)
{
    // Only while no window exists: windows are rectangles of the screen.
    if (!windows.empty() || width < 1 || height < 1) return;
    screen_w = width;
    screen_h = height;
}

int screen_width() { return screen_w; }
int screen_height() { return screen_h; }

Int32 screen_windowat(int x, int y)
{
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const Window* w = *it;
        if (x >= w->x && x < w->x + w->w && y >= w->y && y < w->y + w->h) return w->id;
    }
    return 0;
}

int screen_windows(WindowInfo* out, int max)
{
    int n = (int)windows.size();
    for (int i = 0; i < n && i < max && out; ++i) {
        const Window* w = windows[i];
        out[i].id = w->id;
        std::snprintf(out[i].title, sizeof out[i].title, "%s", w->title.c_str());
        out[i].x = w->x;
        out[i].y = w->y;
        out[i].width = w->w;
        out[i].height = w->h;
    }
    return n;
}

void foreground() {}

void prefposition(Int32 x1, Int32 x2, Int32 y1, Int32 y2)
{
    pref_set = true;
    pref_x1 = std::min(x1, x2);
    pref_x2 = std::max(x1, x2);
    pref_y1 = std::min(y1, y2);
    pref_y2 = std::max(y1, y2);
}

Int32 winopen(const char* title)
{
    reset_primitive();
    // Without a requested rectangle a window takes the lower-left corner.
    long x1 = 0, x2 = 399, y1 = 0, y2 = 299;
    if (pref_set) {
        x1 = pref_x1; x2 = pref_x2; y1 = pref_y1; y2 = pref_y2;
        pref_set = false;
    }
    // Clip to the screen; what is left is at least one pixel.
    x1 = std::clamp<long>(x1, 0, screen_w - 1);
    y1 = std::clamp<long>(y1, 0, screen_h - 1);
    x2 = std::clamp<long>(x2, x1, screen_w - 1);
    y2 = std::clamp<long>(y2, y1, screen_h - 1);

    Window* w = new Window;
    w->id = next_id++;
    w->title = title ? title : "";
    w->x = (int)x1;
    w->y = (int)y1;
    w->w = (int)(x2 - x1 + 1);
    w->h = (int)(y2 - y1 + 1);
    w->buf[0].assign((size_t)w->w * w->h, 0u);
    default_matrix(w);
    windows.push_back(w);
    cur = w;
    screen_changed(true);
    return w->id;
}

void wintitle(const char* title)
{
    if (!cur) return;
    cur->title = title ? title : "";
    // Progress titles change about a hundred times a run: let the backend
    // pace them like single-buffered writes.
    screen_changed(false);
}

void winset(Int32 id)
{
    Window* w = find_window(id);
    if (!w || w == cur) return;
    reset_primitive();
    cur = w;
}

Int32 winget() { return cur ? cur->id : 0; }

void winclose(Int32 id)
{
    Window* w = find_window(id);
    if (!w) return;
    if (w == cur) {
        reset_primitive();
        cur = nullptr;
    }
    windows.erase(std::find(windows.begin(), windows.end(), w));
    delete w;
    screen_changed(true);
}

void winpop()
{
    if (!cur || windows.back() == cur) return;
    windows.erase(std::find(windows.begin(), windows.end(), cur));
    windows.push_back(cur);
    screen_changed(true);
}

void getorigin(Int32* x, Int32* y)
{
    if (x) *x = cur ? cur->x : 0;
    if (y) *y = cur ? cur->y : 0;
}

void getsize(Int32* w, Int32* h)
{
    if (w) *w = cur ? cur->w : 0;
    if (h) *h = cur ? cur->h : 0;
}

void RGBmode() { if (cur) cur->want_rgb = true; }
void cmode() { if (cur) cur->want_rgb = false; }
void doublebuffer() { if (cur) cur->want_dbl = true; }
void singlebuffer() { if (cur) cur->want_dbl = false; }

void gconfig()
{
    if (!cur) return;
    cur->rgb = cur->want_rgb;
    if (cur->want_dbl != cur->dbl) {
        size_t n = (size_t)cur->w * cur->h;
        if (cur->want_dbl) {
            cur->front = 0;
            cur->buf[1].assign(n, 0u);
        } else {
            if (cur->front != 0) std::swap(cur->buf[0], cur->buf[1]);
            cur->front = 0;
            cur->buf[1] = {};
        }
        cur->dbl = cur->want_dbl;
        screen_changed(true);
    }
}

void zbuffer(int on)
{
    if (!cur) return;
    cur->zbuf = on != 0;
    if (cur->zbuf && cur->depth.empty()) cur->depth.assign((size_t)cur->w * cur->h, 1.0f);
}

void swapbuffers()
{
    if (!cur || !cur->dbl) return;
    cur->front = 1 - cur->front;
    screen_changed(true);
}

}  // namespace gl
