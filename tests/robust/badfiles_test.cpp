// Files from anywhere: empty, cut short, with impossible counts, codes or
// sizes. Each case says what must happen: refused with which message and the
// model exactly as it was, or loaded as what.
#include "robust_fixture.h"

#include <cmath>
#include <limits>

namespace {

using namespace robust;
using BadFiles = RobustTest;

const double NaN = std::numeric_limits<double>::quiet_NaN();

const char* const INCOMPLETE = "Incomplete: %s !\n";
const char* const BADVALUES = "Bad values in %s !\n";
const char* const BADSIZE = "Bad image size: %s !\n";

// A model far from the defaults, so that a refused load that resets it shows.
void distinctmodel()
{
    addnode(0.0, 0.0, 0.0);
    addnode(2.0, 1.0, 0.0);
    addnode(3.0, -1.0, 1.0);
    sea_xeye = 7;
    helico_rate = 1.5;
    hortmag = 0.05;
    texturetype = 51;
    i_k = 0.3;
    pattern_g = 0.5;
    material[4] = 0.5f;
    InitParambar();
    fitcurve();
}

// ---- shell-parameter files ---------------------------------------------------

// The fixed fields after the node records of the files below: solid
// display, activator-substrate texture, front insertion, curve scale 1.5.
Bytes shelltail()
{
    ByteBuffer b;
    put32(b, 18);
    put16(b, 50);
    put16(b, 30);
    const double shading[11] = {100.0, 0.3, 1.0, 0.0, 0.5, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0};
    for (double v : shading) putdouble(b, v);
    const double lights[12] = {10, 5, 10, 1, 1, 1, -10, -10, -10, 1, 1, 1};
    for (double v : lights) putdouble(b, v);
    for (int k = 0; k < 35; ++k) putdouble(b, 0.1);  // every increment size 0.1 too
    putdouble(b, 1.5);
    return Bytes(b.begin(), b.end());
}

// Eye, growth, the count n, then `records` node records and the tail.
Bytes shellfile(short n, int records)
{
    ByteBuffer b;
    put16(b, 3);
    put16(b, 1);
    put16(b, 10);
    const double growth[10] = {0.1, 0.2, 1.1, 26.4, 16.0, 0.0, 0.0, 0.0, 0.0, 1.0};
    for (double v : growth) putdouble(b, v);
    put16(b, n);
    for (int k = 0; k < records; ++k) {
        putdouble(b, 0.25 * k - 3.0);
        putdouble(b, (k % 5) * 0.5);
        putdouble(b, 0.0);
    }
    Bytes out(b.begin(), b.end());
    Bytes tail = shelltail();
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

// Offsets at which a field of a shell file with n nodes starts.
std::vector<std::size_t> fieldstarts(int n)
{
    std::vector<int> sizes = {2, 2, 2};
    sizes.insert(sizes.end(), 10, 8);
    sizes.push_back(2);
    sizes.insert(sizes.end(), 3 * n, 8);
    sizes.insert(sizes.end(), {4, 2, 2});
    sizes.insert(sizes.end(), 11 + 12 + 12 + 13 + 10 + 1, 8);
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    for (int s : sizes) {
        starts.push_back(at);
        at += s;
    }
    EXPECT_EQ(at, 568u + 24u * n);
    return starts;
}

TEST_F(BadFiles, ShellFileCutAtAnyFieldIsRefusedAndChangesNothing)
{
    const Bytes whole = shellfile(2, 2);
    distinctmodel();
    const std::string before = modelstate();
    const Box message = boxof(INCOMPLETE, "bad.shl");
    for (std::size_t cut : fieldstarts(2)) {
        writebytes("bad.shl", Bytes(whole.begin(), whole.begin() + cut));
        shownboxes().clear();
        char name[32] = "bad";
        EXPECT_EQ(loadshellparameter(name), 0) << "cut at " << cut;
        ASSERT_EQ(shownboxes().size(), 1u) << "cut at " << cut;
        EXPECT_TRUE(shownboxes()[0] == message) << "cut at " << cut;
        EXPECT_TRUE(modelstate() == before) << "cut at " << cut << ": " << firstdifference(modelstate(), before);
    }
    writebytes("bad.shl", whole);
    char name[32] = "bad";
    EXPECT_EQ(loadshellparameter(name), 1);
    EXPECT_EQ(ObjectPtr->count, 2);
}

// Node counts a file can hold: negative counts read no node, counts beyond
// the limit of 30 read every record and keep the first 30; a count whose
// records are missing is refused. The fields after the records are always
// read in their place.
TEST_F(BadFiles, ShellNodeCounts)
{
    struct Case {
        short count;
        int records;  // node records really in the file
        int loaded;   // 1: loaded with `nodes` nodes; 0: refused as incomplete
        int nodes;
    } cases[] = {
        {-1, 0, 1, 0},        {0, 0, 1, 0},        {31, 31, 1, 30},   {40, 40, 1, 30},
        {32767, 32767, 1, 30}, {-32768, 0, 1, 0},  {32767, 0, 0, 0},  {31, 30, 0, 0},
    };
    const Box message = boxof(INCOMPLETE, "bad.shl");
    for (const Case& c : cases) {
        restart();
        distinctmodel();
        const std::string before = modelstate();
        writebytes("bad.shl", shellfile(c.count, c.records));
        shownboxes().clear();
        char name[32] = "bad";
        ASSERT_EQ(loadshellparameter(name), c.loaded) << "count " << c.count;
        if (!c.loaded) {
            ASSERT_EQ(shownboxes().size(), 1u) << "count " << c.count;
            EXPECT_TRUE(shownboxes()[0] == message) << "count " << c.count;
            EXPECT_TRUE(modelstate() == before) << "count " << c.count << ": " << firstdifference(modelstate(), before);
            continue;
        }
        EXPECT_TRUE(shownboxes().empty()) << "count " << c.count;
        EXPECT_EQ(ObjectPtr->count, c.nodes) << "count " << c.count;
        int k = 0;
        for (const ControlNode* p = ObjectPtr->head; p; p = p->next, ++k) {
            EXPECT_EQ(p->x, 0.25 * k - 3.0) << "count " << c.count << " node " << k;
            EXPECT_EQ(p->y, (k % 5) * 0.5) << "count " << c.count << " node " << k;
        }
        EXPECT_EQ(k, c.nodes);
        EXPECT_EQ(CurrSelectPoint, nullptr);
        EXPECT_EQ(shellmode, 18) << "count " << c.count;
        EXPECT_EQ(texturetype, 50) << "count " << c.count;
        EXPECT_EQ(InsertType, 30) << "count " << c.count;
        EXPECT_EQ(reflectvalue, 0.3) << "count " << c.count;
        EXPECT_EQ(shellscale, 1.5) << "count " << c.count;
    }
}

// ---- texture files -----------------------------------------------------------

const int PARAMS49 = 10, PARAMS50 = 12, PARAMS51 = 13;

// Type code, colours 0.25, 0.5, 0.75 (red, blue, green) for the pattern and
// 0.125 for the background, `params` parameters of value p, then the
// picture, cut to `size` bytes in all when size is not 0. Picture row i
// holds red i + 1, green 7, blue 9.
Bytes texturefile(short code, int params, double p, std::size_t size)
{
    ByteBuffer b;
    put16(b, code);
    const double colours[6] = {0.25, 0.5, 0.75, 0.125, 0.125, 0.125};
    for (double v : colours) putdouble(b, v);
    for (int k = 0; k < params; ++k) putdouble(b, p);
    for (int i = 0; i < 200; ++i) {
        b.insert(b.end(), 200, (unsigned char)(i + 1));
        b.insert(b.end(), 200, 7);
        b.insert(b.end(), 200, 9);
    }
    Bytes out(b.begin(), b.end());
    if (size) out.resize(size);
    return out;
}

TEST_F(BadFiles, TextureFiles)
{
    const std::size_t picture = 120000;
    struct Case {
        const char* what;
        Bytes file;
        const char* refusal;  // nullptr: loaded with type `code`
        short code;
        int rowsshown;  // whole picture rows the viewer draws
    } cases[] = {
        {"empty", Bytes(), INCOMPLETE, 0, 0},
        {"colours cut short", texturefile(50, 0, 0, 30), INCOMPLETE, 0, 0},
        {"parameters cut short", texturefile(49, PARAMS49, 0.1, 50 + 8 * PARAMS49 - 4), INCOMPLETE, 0, 0},
        {"unknown code 53", texturefile(53, 0, 0, 0), nullptr, 53, 200},
        {"unknown code 0", texturefile(0, 0, 0, 0), nullptr, 0, 200},
        {"unknown code -1", texturefile(-1, 0, 0, 0), nullptr, -1, 200},
        {"NaN parameters", texturefile(51, PARAMS51, NaN, 0), BADVALUES, 0, 200},
        {"cut inside the picture", texturefile(50, PARAMS50, 0.1, 50 + 8 * PARAMS50 + picture / 2 + 300),
         nullptr, 50, 100},
        {"picture missing", texturefile(49, PARAMS49, 0.1, 50 + 8 * PARAMS49), nullptr, 49, 0},
    };
    for (const Case& c : cases) {
        restart();
        distinctmodel();
        const std::string before = modelstate();
        const double t_before = t_k, s_before = s_p0;
        writebytes("bad.ttr", c.file);
        shownboxes().clear();
        char name[32] = "bad";
        int loaded = loadtexture(name);
        if (c.refusal) {
            EXPECT_EQ(loaded, 0) << c.what;
            ASSERT_EQ(shownboxes().size(), 1u) << c.what;
            EXPECT_TRUE(shownboxes()[0] == boxof(c.refusal, "bad.ttr")) << c.what;
            EXPECT_TRUE(modelstate() == before) << c.what << ": " << firstdifference(modelstate(), before);
        } else {
            EXPECT_EQ(loaded, 1) << c.what;
            EXPECT_TRUE(shownboxes().empty()) << c.what;
            EXPECT_EQ(texturetype, c.code) << c.what;
            EXPECT_EQ(pattern_r, 0.25) << c.what;
            EXPECT_EQ(pattern_b, 0.5) << c.what;
            EXPECT_EQ(pattern_g, 0.75) << c.what;
            EXPECT_EQ(background_g, 0.125) << c.what;
            EXPECT_EQ(material[4], 0.75f) << c.what;
            EXPECT_EQ(i_k, 0.3) << c.what;  // another model's parameters stay
            if (c.code != 50) {
                EXPECT_EQ(t_k, t_before) << c.what;
            }
            if (c.code != 49) {
                EXPECT_EQ(s_p0, s_before) << c.what;
            }
        }

        // The viewer draws the whole rows there are and leaves the rest black.
        std::strcpy(name, "bad");
        gl::Int32 win = viewtexture(name, 100, 100);
        ASSERT_GT(win, 0) << c.what;
        Screen s;
        for (int i = 0; i < 200; ++i) {
            Pixel want = i < c.rowsshown ? Pixel{i + 1, 7, 9} : Pixel{0, 0, 0};
            ASSERT_EQ(s.at(101, 101 + i), want) << c.what << ", row " << i;
            ASSERT_EQ(s.at(300, 101 + i), want) << c.what << ", row " << i;
        }
        gl::winclose(win);
    }
}

// ---- image files -------------------------------------------------------------

// Header H x W and then the given 16-bit values and bytes.
Bytes imagefile(int height, int width, std::initializer_list<int> words, int bytes)
{
    ByteBuffer b;
    put16(b, height);
    put16(b, width);
    for (int w : words) put16(b, w);
    b.insert(b.end(), bytes, 200);
    return Bytes(b.begin(), b.end());
}

TEST_F(BadFiles, ImageFiles)
{
    struct Case {
        const char* what;
        Bytes file;
        const char* refusal;  // nullptr with shown 1: a window; with shown 0: silently 0
        int shown;
    } cases[] = {
        {"empty", Bytes(), nullptr, 0},
        {"header cut short", Bytes{0x00, 0x02, 0x00}, nullptr, 0},
        {"0 x 0", imagefile(0, 0, {}, 0), BADSIZE, 0},
        {"-5 x 10", imagefile(-5, 10, {10, 10}, 0), BADSIZE, 0},
        {"10 x -5", imagefile(10, -5, {}, 0), BADSIZE, 0},
        {"30000 x 30000", imagefile(30000, 30000, {30000}, 0), BADSIZE, 0},
        {"rows missing", imagefile(2, 10, {10}, 0), INCOMPLETE, 0},
        {"start past the width", imagefile(2, 10, {11, 1}, 3), INCOMPLETE, 0},
        {"start negative", imagefile(2, 10, {-1, 2}, 6), INCOMPLETE, 0},
        {"length past the width", imagefile(2, 10, {8, 3}, 9), INCOMPLETE, 0},
        {"length negative", imagefile(2, 10, {0, -1}, 0), INCOMPLETE, 0},
        {"length far past the width", imagefile(2, 10, {5, 32767}, 30), INCOMPLETE, 0},
        {"span ends at the width", imagefile(2, 10, {10, 7, 3}, 9), nullptr, 1},
        {"empty span", imagefile(2, 10, {10, 4, 0}, 0), nullptr, 1},
    };
    for (const Case& c : cases) {
        writebytes("bad.bp", c.file);
        shownboxes().clear();
        char name[32] = "bad";
        gl::Int32 win = readbitmap(name, 0, 0);
        if (c.shown) {
            EXPECT_GT(win, 0) << c.what;
            EXPECT_TRUE(shownboxes().empty()) << c.what;
            if (win > 0) gl::winclose(win);
            continue;
        }
        EXPECT_EQ(win, 0) << c.what;
        EXPECT_EQ(gl::screen_windowat(1, 1), 0) << c.what;  // no window left behind
        if (c.refusal) {
            ASSERT_EQ(shownboxes().size(), 1u) << c.what;
            EXPECT_TRUE(shownboxes()[0] == boxof(c.refusal, "bad.bp")) << c.what;
        } else {
            EXPECT_TRUE(shownboxes().empty()) << c.what;
        }
    }
}

}  // namespace
