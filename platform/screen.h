// screen.h - the virtual screen inside the graphics layer: what the
// compositor offers to the input, menu and backend code (not to the program).
//
// The screen is screen_width() x screen_height() pixels, origin lower left,
// y up. Windows are rectangles of it; the compositor draws a dark desktop,
// each window with a frame and a title bar, the newest on top, and then the
// overlay (popup menus) above everything.
#pragma once
#include <cstdint>

namespace gl {

void screen_setsize(int width, int height);  // before the first winopen
int screen_width();
int screen_height();

// Composes the whole screen as shown now into rgba (width * height pixels,
// 0xAABBGGRR little-endian bytes R,G,B,A; row 0 is the TOP row, as image
// files and display textures expect).
void screen_compose(std::uint32_t* rgba);

// Writes the composed screen to a PNG file; returns 1 on success.
int screen_writepng(const char* path);

// The overlay is drawn above all windows on every compose (popup menus).
// Drawing helpers in screen coordinates (lower-left origin), for overlays:
void screen_setoverlay(void (*draw)(void* user), void* user);  // nullptr to remove
void overlay_fillrect(int x1, int y1, int x2, int y2, std::uint32_t packed);  // corners included
void overlay_rect(int x1, int y1, int x2, int y2, std::uint32_t packed);      // outline
void overlay_text(int x, int y, const char* text, std::uint32_t packed);      // baseline left end
int text_width(const char* text);
int text_height();  // line height in pixels of the one font

// Window stacking, for the menus' and backends' needs.
std::int32_t screen_windowat(int x, int y);  // topmost window id under (x, y), 0 if none

// The open windows in stacking order, bottom first (for the replay tool's
// dump): fills at most max records, returns how many windows are open.
struct WindowInfo {
    std::int32_t id;
    char title[128];
    int x, y, width, height;
};
int screen_windows(WindowInfo* out, int max);

// Called by the core whenever what is shown changed (force = a swapbuffers or
// a closed window; otherwise a single-buffered write). Implemented by the
// backend side, which decides when to present.
void screen_changed(bool force);

}  // namespace gl
