// imagewriter.cpp - writes the image file (".bp") row by row while the ray
// tracer traces: height and width as big-endian 16-bit values, then one
// record per row holding only the span between its first and last lit pixel
// (start; and, if the row has a lit pixel, length and the span's red, green
// and blue bytes). An all-black row is its start alone, equal to the width.
//
// Use: initsaveRGB(width, height, name) once (it also saves the shell's
// parameters as name + ".shl"), saveRGB(red, green, blue) exactly height
// times, then closesaveRGB(). One image at a time.
//
// Limits: the rows go to "<name>.bp.tmp"; closesaveRGB renames it to
// "<name>.bp" only when every row was written, so an interrupted or failed
// image never replaces the file that was there. saveRGB returns 0 when a
// row did not reach the disk.
#include <cstdio>
#include <cstring>

#include "files/bigendian.h"
#include "files/fileio.h"
#include "files/files.h"

short bitmapwidth, bitmapheight;

namespace {

SafeFile image;  // open from initsaveRGB to closesaveRGB
int imagewidth, imageheight, imagerows;

int lit(const unsigned char* r, const unsigned char* g, const unsigned char* b, int c)
{
    return r[c] || g[c] || b[c];
}

}  // namespace

int initsaveRGB(int width, int height, char* name)
{
    if (!name || !name[0]) return 0;
    if (image.fp) safeabandon(&image);  // an image left open is dropped

    char base[1024];
    int fits = std::snprintf(base, sizeof base, "%s", name) < (int)sizeof base;
    std::strcat(name, ".bp");
    if (!fits || !safeopen(&image, name)) {
        fileerror("Can not open file %s !\n", name);
        return 0;
    }

    // The writer keeps its own copy: a reader may change bitmapwidth.
    imagewidth = width > 0 ? width : 0;
    imageheight = height;
    imagerows = 0;
    bitmapwidth = (short)width;
    bitmapheight = (short)height;
    ByteBuffer head;
    put16(head, height);
    put16(head, width);
    safewrite(&image, head.data(), head.size());  // a failure shows at closesaveRGB

    saveshellparameter(base);  // reports its own failure
    return 1;
}

int saveRGB(const unsigned char* red, const unsigned char* green, const unsigned char* blue)
{
    if (!image.fp) return 0;
    int w = imagewidth;
    int start = 0;
    while (start < w && !lit(red, green, blue, start)) ++start;

    ByteBuffer record;
    put16(record, start);
    if (start != w) {
        int last = w - 1;
        while (!lit(red, green, blue, last)) --last;
        int length = last - start + 1;
        put16(record, length);
        record.insert(record.end(), red + start, red + start + length);
        record.insert(record.end(), green + start, green + start + length);
        record.insert(record.end(), blue + start, blue + start + length);
    }
    ++imagerows;
    return safewrite(&image, record.data(), record.size());
}

void closesaveRGB()
{
    if (!image.fp) return;
    char path[sizeof image.path];
    std::memcpy(path, image.path, sizeof path);
    if (imagerows != imageheight) {
        safeabandon(&image);
        fileerror("Incomplete: %s !\n", path);
        return;
    }
    if (!safecommit(&image)) fileerror("Can not write %s !\n", path);
}
