// imagereader.cpp - shows an image file (".bp") in a window of its own.
//
// readbitmap(name, x, y) appends ".bp" to the caller's buffer, opens a
// window with its lower-left corner at screen (x, y), draws the image's
// first stored row at the bottom (window column 0 and row 0 stay black) and
// returns the window's identifier, which the caller closes; 0 on failure.
//
// Limits: a header whose width or height is zero, negative or larger than
// the screen is refused with a message before anything is allocated. A file
// that ends early, or a row whose span lies outside the row, stops the
// drawing: the window keeps the rows drawn so far and the result is 0.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/bigendian.h"
#include "files/fileio.h"
#include "files/files.h"
#include "platform/gl.h"
#include "platform/screen.h"
#include "texture/texture.h"

namespace {

// One row record into the three zeroed rows; 0 if it is short or malformed.
int readrow(std::FILE* fp, int w, unsigned char* r, unsigned char* g, unsigned char* b)
{
    unsigned char two[2];
    if (std::fread(two, 1, 2, fp) != 2) return 0;
    int start = get16(two);
    std::memset(r, 0, w);
    std::memset(g, 0, w);
    std::memset(b, 0, w);
    if (start == w) return 1;
    if (std::fread(two, 1, 2, fp) != 2) return 0;
    int length = get16(two);
    if (start < 0 || length < 0 || start + length > w) return 0;
    std::size_t n = (std::size_t)length;
    return std::fread(r + start, 1, n, fp) == n && std::fread(g + start, 1, n, fp) == n &&
           std::fread(b + start, 1, n, fp) == n;
}

}  // namespace

int readbitmap(char* name, int x, int y)
{
    if (!name || !name[0]) return 0;
    std::strcat(name, ".bp");
    std::FILE* fp = std::fopen(name, "rb");
    if (!fp) {
        fileerror("Can't open file %s !\n", name);
        return 0;
    }
    unsigned char head[4];
    if (std::fread(head, 1, 4, fp) != 4) {
        std::fclose(fp);
        return 0;
    }
    bitmapheight = get16(head);
    bitmapwidth = get16(head + 2);
    int h = bitmapheight, w = bitmapwidth;
    int screenw = gl::screen_width() > 0 ? gl::screen_width() : 1600;
    int screenh = gl::screen_height() > 0 ? gl::screen_height() : 1200;
    if (w <= 0 || h <= 0 || w > screenw || h > screenh) {
        std::fclose(fp);
        fileerror("Bad image size: %s !\n", name);
        return 0;
    }

    unsigned char* r = getRGBvect(w);
    unsigned char* g = getRGBvect(w);
    unsigned char* b = getRGBvect(w);

    gl::prefposition(x, x + w, y, y + h);
    gl::Int32 win = gl::winopen(name);
    gl::RGBmode();
    gl::gconfig();
    gl::ortho2(-0.5f, w + 0.5f, -0.5f, h + 0.5f);
    gl::cpack(0);
    gl::clear();

    int complete = 1;
    for (int k = 0; k < h; ++k) {
        if (!readrow(fp, w, r, g, b)) {
            complete = 0;
            break;
        }
        gl::cmov2i(1, k + 1);
        gl::writeRGB((short)w, r, g, b);
    }

    std::free(r);
    std::free(g);
    std::free(b);
    std::fclose(fp);
    if (!complete) {
        // Nobody owns a window that is reported as not opened: close it, so
        // a damaged thumbnail leaves a gap instead of a stray window.
        gl::winclose(win);
        fileerror("Incomplete: %s !\n", name);
        return 0;
    }
    return win;
}
