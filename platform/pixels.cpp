// pixels.cpp - the current colour, clearing, filled rectangles, the
// character position and pixel rows.
//
// cpack takes 0x00BBGGRR, RGBcolor 0..255 components, color a colour index
// (0 black, 1 red, 2 green, 3 yellow, 4 blue, 5 magenta, 6 cyan, 7 white;
// other indices black). clear() fills the drawing buffer with the current
// colour, zclear() resets depth to the far value. rectfi fills the pixels
// between its two transformed corners, both included. cmov2/cmov2i set the
// character position through the current transformation; writeRGB writes n
// pixels to the right of it and advances it by n. None of these is depth
// tested.
#include "platform/gl.h"
#include "platform/internal.h"
#include <algorithm>
#include <cmath>

namespace gl {
namespace core {

void fill_rect(const Target& t, int x1, int y1, int x2, int y2, std::uint32_t packed)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, t.w - 1);
    y2 = std::min(y2, t.h - 1);
    for (int y = y1; y <= y2; ++y) {
        std::uint32_t* row = t.base + (long)y * t.stride;
        for (int x = x1; x <= x2; ++x) row[x] = (row[x] & 0xff000000u) | (packed & 0xffffffu);
    }
}

}  // namespace core

using namespace core;

namespace {

// Window coordinates of a point under the current transformation; false if
// it lies behind the eye.
bool to_window(float x, float y, float& wx, float& wy)
{
    update_derived(cur);
    const float(*m)[4] = cur->full.m;
    float cx = x * m[0][0] + y * m[1][0] + m[3][0];
    float cy = x * m[0][1] + y * m[1][1] + m[3][1];
    float cw = x * m[0][3] + y * m[1][3] + m[3][3];
    if (!(cw > 0.0f)) return false;
    wx = (cx / cw + 1.0f) * (0.5f * cur->w);
    wy = (cy / cw + 1.0f) * (0.5f * cur->h);
    return true;
}

// A window coordinate as a pixel index, kept in int range.
int pixel(float v)
{
    v = std::floor(v);
    return v < -1e9f ? -1000000000 : (v > 1e9f ? 1000000000 : (int)v);
}

Target target() { return {cur->draw_buffer(), cur->w, cur->w, cur->h}; }

const std::uint32_t colourmap[8] = {
    0x000000, 0x0000ff, 0x00ff00, 0x00ffff, 0xff0000, 0xff00ff, 0xffff00, 0xffffff,
};

}  // namespace

void cpack(std::uint32_t c)
{
    if (cur) cur->colour = c & 0xffffffu;
}

void RGBcolor(short r, short g, short b)
{
    if (!cur) return;
    auto c = [](short v) { return (std::uint32_t)std::clamp<int>(v, 0, 255); };
    cur->colour = c(r) | (c(g) << 8) | (c(b) << 16);
}

void color(short index)
{
    if (cur) cur->colour = index >= 0 && index < 8 ? colourmap[index] : 0u;
}

void clear()
{
    if (!cur) return;
    std::uint32_t* p = cur->draw_buffer();
    std::fill(p, p + (size_t)cur->w * cur->h, cur->colour);
    drawn();
}

void zclear()
{
    if (cur && !cur->depth.empty()) std::fill(cur->depth.begin(), cur->depth.end(), 1.0f);
}

void rectfi(Int32 x1, Int32 y1, Int32 x2, Int32 y2)
{
    if (!cur) return;
    float ax, ay, bx, by;
    if (!to_window((float)x1, (float)y1, ax, ay) || !to_window((float)x2, (float)y2, bx, by)) return;
    fill_rect(target(), pixel(ax), pixel(ay), pixel(bx), pixel(by), cur->colour);
    drawn();
}

void cmov2(float x, float y)
{
    if (!cur) return;
    float wx, wy;
    if (!to_window(x, y, wx, wy)) wx = wy = -1e9f;  // behind the eye: nothing shows
    cur->cx = wx;
    cur->cy = wy;
}

void cmov2i(Int32 x, Int32 y) { cmov2((float)x, (float)y); }

void writeRGB(short n, const unsigned char* r, const unsigned char* g, const unsigned char* b)
{
    if (!cur || n <= 0) return;
    int x0 = pixel(cur->cx), y = pixel(cur->cy);
    cur->cx += (float)n;
    if (y < 0 || y >= cur->h) return;
    std::uint32_t* row = cur->draw_buffer() + (size_t)y * cur->w;
    int from = std::max(0, -x0), to = std::min<int>(n, cur->w - x0);
    for (int i = from; i < to; ++i)
        row[x0 + i] = (std::uint32_t)r[i] | ((std::uint32_t)g[i] << 8) | ((std::uint32_t)b[i] << 16);
    drawn();
}

}  // namespace gl
