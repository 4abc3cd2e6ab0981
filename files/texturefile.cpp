// texturefile.cpp - the texture file (".ttr"): texture type code, pattern
// and background colours (stored red, blue, green), the model's parameters
// (12, 13 or 10 doubles for codes 50, 51, 49; none for another code) and a
// 200 x 200 picture, each row 200 red, 200 green, 200 blue bytes.
//
// savetexture(name) computes the current model's texture in its fixed-size
// mode and writes name + ".ttr"; loadtexture(name) takes the type, colours and
// parameters into the model (never the picture); viewtexture(name, x, y)
// opens a window at (x, y) showing the picture and returns its identifier,
// which the caller closes. All append ".ttr" to the caller's buffer and give 0
// at once for an empty name.
//
// Limits: saving writes a temporary file and renames it over the old one only
// when complete; loading reads and checks everything before it changes the
// model (limits in loadcheck.h); the viewer stops at the end of a short file
// and leaves the rest of its window black.
#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/model.h"
#include "files/bigendian.h"
#include "files/fileio.h"
#include "files/files.h"
#include "files/loadcheck.h"
#include "files/paramorder.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "texture/texture.h"

namespace {

const int PICTURE = 200;   // the picture is PICTURE x PICTURE pixels
const int HEADBYTES = 50;  // type code and six colours
const int LARGESTBLOCK = 13 * 8;

// Stored order: red, blue, green.
double* const colourvars[6] = {
    &pattern_r, &pattern_b, &pattern_g, &background_r, &background_b, &background_g,
};

}  // namespace

unsigned char texturebyte(double background, double pattern, double t)
{
    double v = 255.0 * (background + t * (pattern - background));
    // Colours outside 0..1 (only from a file) and NaN intensities are held
    // to the byte's range instead of wrapping.
    if (!(v > 0.0)) return 0;
    if (v >= 255.0) return 255;
    return (unsigned char)(int)v;
}

int savetexture(char* name)
{
    if (!name || !name[0]) return 0;
    if (texturetype == 52) {
        messagebox("No texture defined yet !");
        return 0;
    }
    std::strcat(name, ".ttr");
    SafeFile f;
    if (!safeopen(&f, name)) {
        fileerror("Can not open file %s !\n", name);
        return 0;
    }

    // The model run shows its progress in the title of the current window.
    gl::Int32 previous = gl::winget();
    gl::foreground();
    gl::prefposition(420, 670, 270, 320);
    gl::Int32 win = gl::winopen("Save texture");
    gl::RGBmode();
    gl::gconfig();
    gl::cpack(0);
    gl::clear();

    createtexturemap(1);

    ByteBuffer b;
    put16(b, texturetype);
    for (int k = 0; k < 6; ++k) putdouble(b, *colourvars[k]);
    double* const* params;
    int n = modelparams(texturetype, &params);
    for (int k = 0; k < n; ++k) putdouble(b, *params[k]);

    // Every third cell of the 601 x 601 map, cells 0 to 597.
    int mapready = texturemap && texturemapwidth >= 3 * (PICTURE - 1) && texturemapheight >= 3 * (PICTURE - 1);
    for (int i = 0; mapready && i < PICTURE; ++i) {
        const double* row = texturemap[3 * i];
        for (int j = 0; j < PICTURE; ++j) b.push_back(texturebyte(background_r, pattern_r, row[3 * j]));
        for (int j = 0; j < PICTURE; ++j) b.push_back(texturebyte(background_g, pattern_g, row[3 * j]));
        for (int j = 0; j < PICTURE; ++j) b.push_back(texturebyte(background_b, pattern_b, row[3 * j]));
    }
    freetexturemap();

    int ok = 0;
    if (mapready) {
        int written = safewrite(&f, b.data(), b.size());
        ok = safecommit(&f) && written;
    } else {
        safeabandon(&f);
    }
    gl::winclose(win);
    if (previous > 0) gl::winset(previous);
    if (!ok) fileerror("Can not write %s !\n", name);
    return ok;
}

int loadtexture(char* name)
{
    if (!name || !name[0]) return 0;
    std::strcat(name, ".ttr");
    ByteBuffer data;
    if (!readfilehead(name, HEADBYTES + LARGESTBLOCK, data)) {
        fileerror("Can not open file %s !\n", name);
        return 0;
    }
    double* const* params = nullptr;
    int n = 0;
    if (data.size() >= (std::size_t)HEADBYTES) n = modelparams(get16(data.data()), &params);
    if (data.size() < (std::size_t)(HEADBYTES + 8 * n)) {
        fileerror("Incomplete: %s !\n", name);
        return 0;
    }
    const unsigned char* p = data.data();
    double colours[6], values[13];
    for (int k = 0; k < 6; ++k) colours[k] = getdouble(p + 2 + 8 * k);
    for (int k = 0; k < n; ++k) values[k] = getdouble(p + HEADBYTES + 8 * k);
    if (!textureusable(colours, values, n)) {
        fileerror("Bad values in %s !\n", name);
        return 0;
    }

    texturetype = get16(p);
    for (int k = 0; k < 6; ++k) *colourvars[k] = colours[k];
    for (int k = 0; k < n; ++k) *params[k] = values[k];
    // The pattern colour into the list first: InitParambar copies it back.
    material[3] = (float)pattern_r;
    material[4] = (float)pattern_g;
    material[5] = (float)pattern_b;
    InitParambar();
    return 1;
}

int viewtexture(char* name, int x, int y)
{
    if (!name || !name[0]) return 0;
    std::strcat(name, ".ttr");
    std::FILE* fp = std::fopen(name, "rb");
    if (!fp) {
        fileerror("Can not open file %s !\n", name);
        return 0;
    }

    gl::prefposition(x, x + PICTURE, y, y + PICTURE);
    gl::Int32 win = gl::winopen(name);
    gl::RGBmode();
    gl::gconfig();
    gl::ortho2(-0.5f, PICTURE + 0.5f, -0.5f, PICTURE + 0.5f);
    gl::cpack(0);
    gl::clear();

    // Skip the type code, the colours and the parameters of the stored code;
    // then draw whole rows until the file ends. The first row is the bottom.
    unsigned char head[HEADBYTES + LARGESTBLOCK];
    if (std::fread(head, 1, 2, fp) == 2) {
        double* const* params;
        std::size_t skip = HEADBYTES - 2 + 8 * modelparams(get16(head), &params);
        if (std::fread(head + 2, 1, skip, fp) == skip) {
            unsigned char row[3 * PICTURE];
            for (int i = 0; i < PICTURE; ++i) {
                if (std::fread(row, 1, sizeof row, fp) != sizeof row) break;
                gl::cmov2i(1, i + 1);
                gl::writeRGB(PICTURE, row, row + PICTURE, row + 2 * PICTURE);
            }
        }
    }
    std::fclose(fp);
    return win;
}
