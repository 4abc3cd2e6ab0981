// text.cpp - the one font: DejaVu Sans Mono at 12 pixels, through FreeType.
//
// The font file is loaded once, at the first text call; if it cannot be
// loaded the program says so on standard error and exits with status 1.
// Glyphs are rendered once into 8-bit coverage and kept. Text is blended
// into the target by coverage in the given colour (integer arithmetic, so
// the same text gives the same pixels). charstr draws at the character
// position with the baseline's left end there and advances the position;
// strwidth measures. Bytes are taken as Latin-1 characters.
#include "platform/gl.h"
#include "platform/internal.h"
#include "platform/screen.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <vector>

#ifndef SEASHELL_FONT
#define SEASHELL_FONT "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
#endif

namespace gl {
namespace core {

namespace {

const int PIXELS = 12;  // seven-character values fit the parameter window

struct Glyph {
    bool loaded = false;
    int w = 0, h = 0, left = 0, top = 0, advance = 0;
    std::vector<unsigned char> cov;  // h rows of w, top row first
};

FT_Library library = nullptr;
FT_Face face = nullptr;
int line_height = 0;
Glyph glyphs[256];

void load_font()
{
    if (face) return;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, SEASHELL_FONT, 0, &face) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, PIXELS) != 0) {
        std::fprintf(stderr, "seashell: cannot load the font %s\n", SEASHELL_FONT);
        std::exit(1);
    }
    line_height = (int)((face->size->metrics.height + 63) >> 6);
}

const Glyph& glyph(unsigned char c)
{
    Glyph& g = glyphs[c];
    if (g.loaded) return g;
    load_font();
    g.loaded = true;
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return g;
    FT_GlyphSlot s = face->glyph;
    g.advance = (int)((s->advance.x + 32) >> 6);
    g.left = s->bitmap_left;
    g.top = s->bitmap_top;
    const FT_Bitmap& b = s->bitmap;
    if (b.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
    g.w = (int)b.width;
    g.h = (int)b.rows;
    g.cov.resize((size_t)g.w * g.h);
    for (int r = 0; r < g.h; ++r)
        for (int x = 0; x < g.w; ++x) g.cov[(size_t)r * g.w + x] = b.buffer[r * b.pitch + x];
    return g;
}

inline std::uint32_t blend(std::uint32_t d, std::uint32_t c, unsigned a)
{
    std::uint32_t o = d & 0xff000000u;
    for (int s = 0; s < 24; s += 8) {
        unsigned dv = (d >> s) & 0xff, cv = (c >> s) & 0xff;
        o |= ((dv * (255 - a) + cv * a + 127) / 255) << s;
    }
    return o;
}

}  // namespace

int text_advance(const char* text)
{
    int w = 0;
    for (const unsigned char* p = (const unsigned char*)text; p && *p; ++p) w += glyph(*p).advance;
    return w;
}

void text_draw(const Target& t, int x, int y, const char* text, std::uint32_t packed)
{
    if (!text) return;
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        const Glyph& g = glyph(*p);
        int gx = x + g.left;
        for (int r = 0; r < g.h; ++r) {
            int py = y + g.top - 1 - r;
            if (py < 0 || py >= t.h) continue;
            std::uint32_t* row = t.base + (long)py * t.stride;
            const unsigned char* cov = g.cov.data() + (size_t)r * g.w;
            for (int i = 0; i < g.w; ++i) {
                int px = gx + i;
                if (cov[i] == 0 || px < 0 || px >= t.w) continue;
                row[px] = blend(row[px], packed, cov[i]);
            }
        }
        x += g.advance;
        if (x > t.w) break;
    }
}

}  // namespace core

using namespace core;

void charstr(const char* text)
{
    if (!cur || !text) return;
    // The pixel that holds the character position.
    float fx = std::floor(cur->cx), fy = std::floor(cur->cy);
    int adv = text_advance(text);
    if (fx > -1e8f && fx < 1e8f && fy > -1e8f && fy < 1e8f) {
        text_draw({cur->draw_buffer(), cur->w, cur->w, cur->h}, (int)fx, (int)fy, text, cur->colour);
        drawn();
    }
    cur->cx += (float)adv;
}

Int32 strwidth(const char* text) { return text_advance(text); }

int text_width(const char* text) { return text_advance(text); }

int text_height()
{
    load_font();
    return line_height;
}

}  // namespace gl
