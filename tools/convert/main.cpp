// seashell-convert - the system's own picture files as PNG pictures.
//
//   seashell-convert IN.bp OUT.png     an image file, as the modeller's image
//                                      viewer shows it (first stored row at
//                                      the bottom)
//   seashell-convert IN.ttr OUT.png    the 200 x 200 picture of a texture
//                                      file, as the texture viewer shows it
//
// The kind of input follows its extension. Every row record of an image file
// is checked before anything is written: a span outside the row or a file
// that ends early is refused, never drawn in part. Bytes after the last row
// are ignored, as the modeller's viewer ignores them.
//
// Limits: the input is read into memory whole; the picture is written row by
// row and never held whole.
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "files/bigendian.h"
#include "files/paramorder.h"
#include "tools/common/pngout.h"
#include "tools/common/toolrun.h"

namespace {

const char* const usage =
    "Usage: seashell-convert IN.bp OUT.png\n"
    "       seashell-convert IN.ttr OUT.png\n"
    "Writes the picture of an image file (\".bp\") or of a texture file\n"
    "(\".ttr\") as a PNG file, the right way up: as the modeller shows it.\n"
    "\n"
    "  -h, --help  this text\n"
    "\n"
    "Exit status: 0 done, 1 the input could not be read or is damaged or\n"
    "the output could not be written, 2 bad arguments. Nothing is written\n"
    "unless all is.\n";

const int TEXPICTURE = 200;   // a texture file's picture is 200 x 200
const int TEXHEAD = 50;       // type code and six colour doubles

int readwhole(const char* path, std::vector<unsigned char>& data)
{
    std::FILE* fp = std::fopen(path, "rb");
    if (!fp) return 0;
    unsigned char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, fp)) > 0) data.insert(data.end(), chunk, chunk + n);
    int ok = !std::ferror(fp);
    std::fclose(fp);
    return ok;
}

// ---- image files -----------------------------------------------------------

struct Image {
    const unsigned char* data;
    int W, H;
    std::vector<std::size_t> rows;  // offset of each row record, bottom first
};

// Finds and checks every row record; 0 with a message when damaged.
int scanimage(const char* path, const std::vector<unsigned char>& data, Image* im)
{
    if (data.size() < 4) {
        toolerror("%s is incomplete: no image size", path);
        return 0;
    }
    im->data = data.data();
    im->H = get16(data.data());
    im->W = get16(data.data() + 2);
    if (im->H < 1 || im->W < 1) {
        toolerror("%s holds no picture (%d rows of %d pixels)", path, im->H, im->W);
        return 0;
    }
    std::size_t at = 4;
    for (int r = 0; r < im->H; ++r) {
        im->rows.push_back(at);
        if (at + 2 > data.size()) {
            toolerror("%s is incomplete: it ends in row %d of %d", path, r + 1, im->H);
            return 0;
        }
        int start = get16(data.data() + at);
        at += 2;
        if (start == im->W) continue;  // a black row
        if (at + 2 > data.size()) {
            toolerror("%s is incomplete: it ends in row %d of %d", path, r + 1, im->H);
            return 0;
        }
        int length = get16(data.data() + at);
        at += 2;
        if (start < 0 || start > im->W || length < 1 || length > im->W - start) {
            toolerror("%s is damaged: row %d spans %d pixels from %d in a row of %d", path, r + 1, length,
                      start, im->W);
            return 0;
        }
        if (data.size() - at < 3 * (std::size_t)length) {
            toolerror("%s is incomplete: it ends in row %d of %d", path, r + 1, im->H);
            return 0;
        }
        at += 3 * (std::size_t)length;
    }
    return 1;
}

// PNG row y (0 the top) is the image's last stored row first.
void imagerow(int y, unsigned char* rgb, void* user)
{
    const Image* im = (const Image*)user;
    std::memset(rgb, 0, (std::size_t)im->W * 3);
    const unsigned char* p = im->data + im->rows[im->H - 1 - y];
    int start = get16(p);
    if (start == im->W) return;
    int length = get16(p + 2);
    const unsigned char* red = p + 4;
    for (int i = 0; i < length; ++i)
        for (int k = 0; k < 3; ++k) rgb[3 * (start + i) + k] = red[k * length + i];
}

// ---- texture files ---------------------------------------------------------

struct Texture {
    const unsigned char* picture;  // 200 rows of 200 red, 200 green, 200 blue, bottom first
};

void texturerow(int y, unsigned char* rgb, void* user)
{
    const Texture* t = (const Texture*)user;
    const unsigned char* row = t->picture + (std::size_t)(TEXPICTURE - 1 - y) * 3 * TEXPICTURE;
    for (int j = 0; j < TEXPICTURE; ++j)
        for (int k = 0; k < 3; ++k) rgb[3 * j + k] = row[k * TEXPICTURE + j];
}

int run(int argc, char** argv)
{
    const char* args[2];
    int status = toolargs(argc, argv, usage, nullptr, nullptr, args, 2, "needs IN.bp or IN.ttr and OUT.png");
    if (status >= 0) return status;
    const char* in = args[0];
    bool image = toolendswith(in, ".bp"), texture = toolendswith(in, ".ttr");
    if (!image && !texture) return toolusage("%s is neither an image file (.bp) nor a texture file (.ttr)", in);

    std::vector<unsigned char> data;
    if (!readwhole(in, data)) {
        toolerror("Can not open file %s !", in);
        return TOOL_FAILED;
    }

    Image im;
    Texture tex;
    int W, H;
    PngRow row;
    void* user;
    if (image) {
        if (!scanimage(in, data, &im)) return TOOL_FAILED;
        W = im.W, H = im.H, row = imagerow, user = &im;
    } else {
        double* const* params;
        std::size_t skip = data.size() >= 2 ? TEXHEAD + 8 * modelparams(get16(data.data()), &params) : 0;
        if (data.size() < 2 || data.size() < skip + (std::size_t)3 * TEXPICTURE * TEXPICTURE) {
            toolerror("%s is incomplete: its picture is not whole", in);
            return TOOL_FAILED;
        }
        tex.picture = data.data() + skip;
        W = H = TEXPICTURE, row = texturerow, user = &tex;
    }

    SafeFile* out = toolout(args[1]);
    if (!out) return TOOL_FAILED;
    if (!writepng(out->fp, W, H, row, user)) {
        toolerror("can not write %s", args[1]);
        return TOOL_FAILED;
    }
    return toolcommit() ? TOOL_OK : TOOL_FAILED;
}

}  // namespace

int main(int argc, char** argv)
{
    return toolmain("seashell-convert", run, argc, argv);
}
