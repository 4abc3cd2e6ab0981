// compositor.cpp - the picture of the whole virtual screen.
//
// screen_compose draws a dark desktop, then every window from the bottom of
// the stack to the top: its front buffer, a title bar of TITLEBAR pixels
// directly above it with the title in white, and a one-pixel frame around
// both. The overlay callback (popup menus) comes last; while it runs, the
// overlay_* helpers draw into the picture in screen coordinates (lower-left
// origin). Output pixels are 0xAABBGGRR with alpha 255, top row first.
#include "platform/internal.h"
#include "platform/screen.h"
#include <algorithm>

namespace gl {

using namespace core;

namespace {

const int TITLEBAR = 18;
const std::uint32_t DESKTOP = 0x302820;   // dark slate
const std::uint32_t FRAME = 0xa0a0a0;
const std::uint32_t BAR = 0x6a4a30;       // muted blue
const std::uint32_t TITLETEXT = 0xffffff;

void (*overlay_draw)(void*) = nullptr;
void* overlay_user = nullptr;
const Target* overlay_target = nullptr;  // only while the overlay runs

void frame_rect(const Target& t, int x1, int y1, int x2, int y2, std::uint32_t c)
{
    fill_rect(t, x1, y1, x2, y1, c);
    fill_rect(t, x1, y2, x2, y2, c);
    fill_rect(t, x1, y1, x1, y2, c);
    fill_rect(t, x2, y1, x2, y2, c);
}

}  // namespace

void screen_setoverlay(void (*draw)(void* user), void* user)
{
    overlay_draw = draw;
    overlay_user = user;
}

void screen_compose(std::uint32_t* rgba)
{
    const int W = screen_width(), H = screen_height();
    Target t{rgba + (size_t)(H - 1) * W, -(long)W, W, H};
    for (size_t i = 0, n = (size_t)W * H; i < n; ++i) rgba[i] = 0xff000000u | DESKTOP;

    for (const Window* w : windows) {
        int top = w->y + w->h - 1;
        frame_rect(t, w->x - 1, w->y - 1, w->x + w->w, top + TITLEBAR + 1, FRAME);
        fill_rect(t, w->x, top + 1, w->x + w->w - 1, top + TITLEBAR, BAR);
        // The title, clipped to the bar.
        Target bar{t.base + (long)(top + 1) * t.stride + w->x, t.stride, std::min(w->w - 4, W - w->x),
                   std::max(0, std::min(TITLEBAR, H - top - 1))};
        if (top + 1 < H && bar.w > 0) text_draw(bar, 4, 5, w->title.c_str(), TITLETEXT);
        // The content.
        const std::uint32_t* src = w->buf[w->front].data();
        for (int y = 0; y < w->h; ++y) {
            int sy = w->y + y;
            if (sy < 0 || sy >= H) continue;
            std::uint32_t* row = t.base + (long)sy * t.stride;
            const std::uint32_t* s = src + (size_t)y * w->w;
            for (int x = 0; x < w->w; ++x) {
                int sx = w->x + x;
                if (sx >= 0 && sx < W) row[sx] = 0xff000000u | s[x];
            }
        }
    }

    if (overlay_draw) {
        overlay_target = &t;
        overlay_draw(overlay_user);
        overlay_target = nullptr;
    }
}

void overlay_fillrect(int x1, int y1, int x2, int y2, std::uint32_t packed)
{
    if (overlay_target) fill_rect(*overlay_target, x1, y1, x2, y2, packed);
}

void overlay_rect(int x1, int y1, int x2, int y2, std::uint32_t packed)
{
    if (!overlay_target) return;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    frame_rect(*overlay_target, x1, y1, x2, y2, packed);
}

void overlay_text(int x, int y, const char* text, std::uint32_t packed)
{
    if (overlay_target) text_draw(*overlay_target, x, y, text, packed);
}

}  // namespace gl
