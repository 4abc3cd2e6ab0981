// Files whose values the loader accepts but no bar would ever set: the
// program must draw, trace and save with them without crashing, hanging or
// producing undefined behaviour (the sanitizer build checks the last).
#include "robust_fixture.h"

#include <cmath>
#include <limits>

#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace {

using namespace robust;
using Extremes = RobustTest;

// Offsets in a shell file with five nodes.
const std::size_t EYE = 0, R0 = 6, Z0 = 14, RATE = 22, ENDANGLE = 30, STEPS = 38, HSIZE = 46,
                  HMAG = 54, VSIZE = 62, VMAG = 70, SAMPLES = 78, NODES = 88;
const std::size_t TAIL = 88 + 5 * 24;
const std::size_t SHELLMODE = TAIL, TEXTURE = TAIL + 4, INSERT = TAIL + 6, SHADING = TAIL + 8,
                  LIGHTS = TAIL + 96, ACTSUB = TAIL + 192, ACTINH = TAIL + 288, STRIPE = TAIL + 392,
                  SCALE = TAIL + 472;

struct Patch {
    std::size_t offset;
    double value;
    int width;  // 8: a double; 2 or 4: an integer of that many bytes
};

void apply(Bytes& b, const Patch& p)
{
    if (p.width == 8) {
        patchdouble(b, p.offset, p.value);
        return;
    }
    long long v = (long long)p.value;
    for (int k = 0; k < p.width; ++k) b[p.offset + k] = (unsigned char)(v >> (8 * (p.width - 1 - k)));
}

std::vector<Patch> fill(std::size_t offset, int count, double value, int except = -1)
{
    std::vector<Patch> out;
    for (int k = 0; k < count; ++k)
        if (k != except) out.push_back({offset + 8 * (std::size_t)k, value, 8});
    return out;
}

void droprow(int, const unsigned char*, const unsigned char*, const unsigned char*, void*) {}

// What the program does with a loaded shell: the windows redrawn in both
// display modes, a small traced image, a texture file.
void useshell()
{
    redraw(0);
    shellmode = shellmode == 17 ? 18 : 17;
    redraw(0);
    if (triangulateshell()) {
        createtexturemap(0);
        traceimage(16, 0, droprow, nullptr);
        freetexturemap();
        freeTraceObjectList();
    }
    if (texturetype >= 49 && texturetype <= 51) {
        char name[32] = "tex";
        savetexture(name);
    }
}

TEST_F(Extremes, AcceptedShellFilesAreDrawnTracedAndSaved)
{
    // A shell of five nodes, small enough to trace quickly.
    addnode(-3.0, 0.0, 0.0);
    addnode(-1.0, 2.0, 0.0);
    addnode(0.0, 2.5, 1.0);
    addnode(1.0, 2.0, 0.0);
    addnode(3.0, 0.0, 0.0);
    helico_endangle = 8.0;
    texturetype = 50;
    char name[32] = "base";
    ASSERT_EQ(saveshellparameter(name), 1);
    const Bytes base = readbytes("base.shl");
    ASSERT_EQ(base.size(), 688u);

    const double big = 100000.0;
    struct Case {
        const char* what;
        std::vector<Patch> patches;
    } cases[] = {
        {"eye at the origin", {{EYE, 0, 2}, {EYE + 2, 0, 2}, {EYE + 4, 0, 2}}},
        {"eye straight above", {{EYE, 0, 2}, {EYE + 2, 12, 2}, {EYE + 4, 0, 2}}},
        {"eye straight below", {{EYE, 0, 2}, {EYE + 2, -12, 2}, {EYE + 4, 0, 2}}},
        {"eye far away", {{EYE, 32767, 2}, {EYE + 2, -32768, 2}, {EYE + 4, 32767, 2}}},
        {"start radius tiny", {{R0, 1e-300, 8}}},
        {"start radius negative", {{R0, -2.0, 8}, {Z0, -2.0, 8}}},
        {"growth rate below one", {{RATE, 0.5, 8}}},
        {"growth rate tiny", {{RATE, 1e-300, 8}}},
        {"no growth step", {{ENDANGLE, 0.0, 8}}},
        {"one huge growth step", {{STEPS, 1e-3, 8}}},
        {"samples per unit tiny", {{SAMPLES, 1e-300, 8}}},
        {"sculpture at its largest", {{HSIZE, big, 8}, {HMAG, big, 8}, {VSIZE, big, 8}, {VMAG, big, 8}}},
        {"sculpture negative", {{HMAG, -big, 8}, {VMAG, -big, 8}}},
        {"curve scale negative", {{SCALE, -big, 8}}},
        {"all nodes at one point", {{NODES, 1, 8}, {NODES + 8, 1, 8}, {NODES + 24, 1, 8}, {NODES + 32, 1, 8},
                                    {NODES + 40, 0, 8}, {NODES + 48, 1, 8}, {NODES + 56, 1, 8},
                                    {NODES + 64, 0, 8}, {NODES + 72, 1, 8}, {NODES + 80, 1, 8},
                                    {NODES + 88, 0, 8}, {NODES + 96, 1, 8}, {NODES + 104, 1, 8},
                                    {NODES + 112, 0, 8}}},
        {"modes unknown", {{SHELLMODE, -2147483648.0, 4}, {TEXTURE, -32768, 2}, {INSERT, 32767, 2}}},
        {"colours and shading huge", fill(SHADING, 11, big)},
        {"colours and shading negative", fill(SHADING, 11, -big)},
        {"lights huge", fill(LIGHTS, 12, big)},
        {"lights negative", fill(LIGHTS, 12, -big)},
        {"activator-substrate parameters huge", fill(ACTSUB, 11, big)},
        {"activator-substrate parameters negative", fill(ACTSUB, 11, -big)},
        {"activator-inhibitor parameters huge", fill(ACTINH, 12, big)},
        {"stripe parameters huge", fill(STRIPE, 9, big)},
        {"stripe parameters negative", fill(STRIPE, 9, -big)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes b = base;
        for (const Patch& p : c.patches) apply(b, p);
        writebytes("odd.shl", b);
        std::strcpy(name, "odd");
        restart();
        ASSERT_EQ(loadshellparameter(name), 1);
        for (short code : {(short)texturetype, (short)49, (short)50, (short)51}) {
            texturetype = code;
            useshell();
        }
    }
}

}  // namespace

namespace {

// Type code, the six colours and the model's parameters, all of one value
// but the increment size (the last); no picture.
Bytes texturehead(short code, double colour, int params, double value, double delta)
{
    ByteBuffer b;
    put16(b, code);
    for (int k = 0; k < 6; ++k) putdouble(b, colour);
    for (int k = 0; k < params - 1; ++k) putdouble(b, value);
    if (params) putdouble(b, delta);
    return Bytes(b.begin(), b.end());
}

TEST_F(Extremes, AcceptedTextureFilesArePreviewedTracedAndSaved)
{
    addnode(-3.0, 0.0, 0.0);
    addnode(0.0, 2.0, 0.0);
    addnode(3.0, 0.0, 0.0);
    helico_endangle = 8.0;
    const double big = 100000.0;
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"colours huge", texturehead(50, big, 12, 0.05, 0.5)},
        {"colours negative", texturehead(51, -big, 13, 0.05, 0.5)},
        {"activator-substrate parameters huge", texturehead(50, 0.5, 12, big, 1.0)},
        {"activator-substrate parameters negative", texturehead(50, 0.5, 12, -big, 1.0)},
        {"activator-inhibitor parameters huge", texturehead(51, 0.5, 13, big, 1.0)},
        {"activator-inhibitor parameters negative", texturehead(51, 0.5, 13, -big, 1.0)},
        {"stripe parameters huge", texturehead(49, 0.5, 10, big, 1.0)},
        {"stripe parameters negative", texturehead(49, 0.5, 10, -big, 1.0)},
        {"unknown code", texturehead(-7, big, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writebytes("odd.ttr", c.file);
        char name[32] = "odd";
        ASSERT_EQ(loadtexture(name), 1);
        redraw(0);
        previewtexture();
        gl::winclose(widpreview);
        widpreview = -1;
        useshell();
        std::strcpy(name, "tex");
        if (texturetype != 49 && texturetype != 50 && texturetype != 51) savetexture(name);
        std::strcpy(name, "tex");
        gl::Int32 win = viewtexture(name, 0, 0);
        if (win > 0) gl::winclose(win);
    }
}

}  // namespace

namespace {

// An image whose rows are all lit from end to end.
Bytes fullimage(int height, int width)
{
    ByteBuffer b;
    put16(b, height);
    put16(b, width);
    for (int r = 0; r < height; ++r) {
        put16(b, 0);
        put16(b, width);
        b.insert(b.end(), 3 * (std::size_t)width, 200);
    }
    return Bytes(b.begin(), b.end());
}

// The largest images the reader takes, shown where the sample library puts
// its last thumbnail and at the screen's far corner: the window is cut off
// by the screen's edge, the rows are clipped with it.
TEST_F(Extremes, LargestImagesAtTheScreensEdges)
{
    const int W = gl::screen_width(), H = gl::screen_height();
    const struct { int height, width; } sizes[] = {{1, 1}, {H, W}, {1, W}, {H, 1}};
    const struct { int x, y; } places[] = {{0, 0}, {215 * 5, 240 * 3}, {W - 1, H - 1}};
    for (const auto& s : sizes) {
        writebytes("big.bp", fullimage(s.height, s.width));
        for (const auto& p : places) {
            char name[32] = "big";
            gl::Int32 win = readbitmap(name, p.x, p.y);
            EXPECT_GT(win, 0) << s.height << " x " << s.width << " at " << p.x << ", " << p.y;
            if (win > 0) gl::winclose(win);
        }
    }
    EXPECT_TRUE(shownboxes().empty());
}

}  // namespace
