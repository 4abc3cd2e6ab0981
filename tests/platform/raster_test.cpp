// Triangle coverage and vertex processing of the renderer where it takes
// shortcuts: tiny, narrow and wide triangles cover exactly the pixel centres
// inside them (top-left rule on edges), and a vertex sent again, or a strip
// continued, after the state changed follows the state each vertex was sent
// under. Windows are 32 x 32 with ortho2(0, 32, 0, 32): a vertex's x and y
// are its window coordinates, pixel (i, j) has its centre at (i + .5, j + .5).
#include <gtest/gtest.h>

#include "platform/gl.h"
#include "platform/screen.h"
#include <cstdint>
#include <functional>
#include <vector>

namespace {

const std::uint32_t RED = 0x0000ff, GREEN = 0x00ff00, WHITE = 0xffffff;

class Raster : public ::testing::Test {
public:
    std::vector<gl::Int32> ids;
    std::vector<std::uint32_t> screen;

    // Opens a size x size window at screen x, 1:1 ortho2 in the projection.
    void open(int x, int size = 32)
    {
        gl::prefposition(x, x + size - 1, 600, 600 + size - 1);
        ids.push_back(gl::winopen("raster"));
        gl::RGBmode();
        gl::gconfig();
        gl::mmode(gl::MVIEWING);
        gl::ortho2(0, (float)size, 0, (float)size);
        gl::cpack(0);
        gl::clear();
    }
    void compose()
    {
        screen.assign((size_t)gl::screen_width() * gl::screen_height(), 0);
        gl::screen_compose(screen.data());
    }
    // Pixel (x, y) of the current window as composed last.
    std::uint32_t at(int x, int y) const
    {
        gl::Int32 ox, oy;
        gl::getorigin(&ox, &oy);
        return screen[(size_t)(gl::screen_height() - 1 - (oy + y)) * gl::screen_width() + ox + x] & 0xffffff;
    }
    void TearDown() override
    {
        gl::lmbind(gl::MATERIAL, 0);
        for (gl::Int32 id : ids) gl::winclose(id);
    }
};

void strip(const std::vector<std::vector<float>>& v, const float* normal = nullptr)
{
    gl::bgntmesh();
    for (const auto& p : v) {
        if (normal) gl::n3f(normal);
        gl::v3f(p.data());
    }
    gl::endtmesh();
}

TEST_F(Raster, TrianglesCoverExactlyThePixelCentresInside)
{
    using Tri = std::vector<std::vector<float>>;
    struct Case {
        const char* what;
        std::vector<Tri> tris;
        std::function<bool(int, int)> covered;
    } cases[] = {
        {"tiny, no centre inside", {{{1.125f, 1.125f, 0}, {1.375f, 1.125f, 0}, {1.125f, 1.375f, 0}}},
         [](int, int) { return false; }},
        // centre (2.5, 2.5): x + y = 5 < 5.125 on the long side
        {"tiny, one centre inside", {{{2.25f, 2.25f, 0}, {2.875f, 2.25f, 0}, {2.25f, 2.875f, 0}}},
         [](int i, int j) { return i == 2 && j == 2; }},
        // centres on the long side (i + j = 7) lie on a right edge: outside
        {"narrow box", {{{0, 0, 0}, {8, 0, 0}, {0, 8, 0}}}, [](int i, int j) { return i + j <= 6; }},
        {"narrow box, clockwise", {{{0, 0, 0}, {0, 8, 0}, {8, 0, 0}}}, [](int i, int j) { return i + j <= 6; }},
        {"wide box", {{{0, 0, 0}, {24, 0, 0}, {0, 24, 0}}}, [](int i, int j) { return i + j <= 22; }},
        // row 2's centres up to x = 15, where the long side crosses y = 2.5
        {"wide sliver", {{{1, 2.375f, 0}, {29, 2.375f, 0}, {1, 2.625f, 0}}},
         [](int i, int j) { return j == 2 && i >= 1 && i <= 14; }},
        {"tall sliver", {{{2.375f, 1, 0}, {2.625f, 1, 0}, {2.375f, 29, 0}}},
         [](int i, int j) { return i == 2 && j >= 1 && j <= 14; }},
        // A square from centre (2, 2) to centre (10, 10) cut along its
        // diagonal: the diagonal is the left edge of the lower triangle, a
        // right edge of the upper one; bottom and right sides are outside,
        // left and top inside.
        {"lower half", {{{2.5f, 2.5f, 0}, {10.5f, 2.5f, 0}, {10.5f, 10.5f, 0}}},
         [](int i, int j) { return 3 <= j && j <= i && i <= 9; }},
        {"upper half", {{{2.5f, 2.5f, 0}, {10.5f, 10.5f, 0}, {2.5f, 10.5f, 0}}},
         [](int i, int j) { return 2 <= i && i < j && j <= 10; }},
        {"both halves",
         {{{2.5f, 2.5f, 0}, {10.5f, 2.5f, 0}, {10.5f, 10.5f, 0}},
          {{2.5f, 2.5f, 0}, {10.5f, 10.5f, 0}, {2.5f, 10.5f, 0}}},
         [](int i, int j) { return (3 <= j && j <= i && i <= 9) || (2 <= i && i < j && j <= 10); }},
    };
    open(100);
    for (const Case& c : cases) {
        gl::cpack(0);
        gl::clear();
        gl::cpack(WHITE);
        for (const Tri& t : c.tris) strip(t);
        compose();
        int wrong = 0;
        for (int j = 0; j < 32; ++j)
            for (int i = 0; i < 32; ++i)
                if ((at(i, j) == WHITE) != c.covered(i, j) && wrong++ < 5)
                    ADD_FAILURE() << c.what << ": pixel " << i << "," << j << (c.covered(i, j) ? " not" : "")
                                  << " drawn";
    }
}

// Emission-only materials and a light along +z: a vertex's colour is its
// emission plus its diffuse term N.L, nothing else.
void lighting(float er, float eg, float eb, float diffuse)
{
    const float material[] = {gl::AMBIENT, 0, 0, 0, gl::DIFFUSE, diffuse, diffuse, diffuse, 1, er, eg, eb,
                              gl::LMNULL};  // 1: emission
    const float lmodel[] = {gl::AMBIENT, 0, 0, 0, gl::LMNULL};
    const float light[] = {gl::LCOLOR, 1, 1, 1, gl::POSITION, 0, 0, 1, 0, gl::LMNULL};
    gl::lmdef(gl::DEFMATERIAL, 9, 0, material);
    gl::lmdef(gl::DEFLMODEL, 9, 0, lmodel);
    gl::lmdef(gl::DEFLIGHT, 9, 0, light);
    gl::lmbind(gl::MATERIAL, 9);
    gl::lmbind(gl::LMODEL, 9);
    gl::lmbind(gl::LIGHT0, 9);
}

const std::vector<std::vector<float>> SQUARE = {{0, 0, 0}, {32, 0, 0}, {0, 32, 0}, {32, 32, 0}};
const float UP[3] = {0, 0, 1};

TEST_F(Raster, AVertexSentAgainFollowsTheNewState)
{
    struct Probe {
        int x, y;
        std::uint32_t want;
    };
    struct Case {
        const char* what;
        std::function<void()> before, change;
        std::uint32_t first;       // the square's colour at first
        std::vector<Probe> after;  // pixels after drawing it again
    } cases[] = {
        {"current colour", [] { gl::cpack(RED); }, [] { gl::cpack(GREEN); }, RED, {{16, 16, GREEN}}},
        {"material", [] { lighting(1, 0, 0, 0); }, [] { lighting(0, 1, 0, 0); }, RED, {{16, 16, GREEN}}},
        {"viewing matrix", [] { gl::cpack(WHITE); }, [] { gl::translate(-16, 0, 0); }, WHITE,
         {{8, 16, WHITE}, {24, 16, 0}}},
        // A window twice the size showing the same coordinates, its matrices
        // settled by a point drawn before the square is drawn in the first:
        // there the square fills the window.
        {"window",
         [this] {
             gl::Int32 first = gl::winget();
             open(300, 64);
             gl::ortho2(0, 32, 0, 32);
             const float dot[3] = {2.25f, 30.25f, 0};
             gl::cpack(WHITE);
             gl::bgnline();
             gl::v3f(dot);
             gl::endline();
             gl::winset(first);
             gl::cpack(WHITE);
         },
         [this] {
             gl::winset(ids[1]);
             gl::cpack(WHITE);
         },
         WHITE, {{16, 16, WHITE}, {40, 40, WHITE}, {63, 63, WHITE}}},
    };
    for (const Case& c : cases) {
        open(100);
        c.before();
        strip(SQUARE, UP);
        compose();
        EXPECT_EQ(at(16, 16), c.first) << c.what;
        gl::cpack(0);
        gl::clear();
        gl::cpack(c.first);
        c.change();
        strip(SQUARE, UP);
        compose();
        for (const Probe& p : c.after) EXPECT_EQ(at(p.x, p.y), p.want) << c.what << " at " << p.x << "," << p.y;
        TearDown();
        ids.clear();
    }
}

// The first two vertices of a strip under one state, the last two under
// another: colours run from the one at the bottom to the other at the top,
// row j at (j + .5) / 32 of the way.
TEST_F(Raster, AStripContinuedAfterAChangeKeepsItsEarlierColours)
{
    struct Case {
        const char* what;
        void (*before)();
        void (*change)();
        std::uint32_t bottom, top;  // the colours at the ends
    } cases[] = {
        {"material", [] { lighting(1, 0, 0, 0); }, [] { lighting(0, 0, 1, 0); }, RED, 0xff0000},
        // turned away from the light by flipping z, which leaves the square in place
        {"normal matrix", [] { lighting(0, 0, 0, 1); }, [] { gl::scale(1, 1, -1); }, WHITE, 0},
    };
    for (const Case& c : cases) {
        open(100);
        c.before();
        gl::bgntmesh();
        for (int i = 0; i < 4; ++i) {
            if (i == 2) c.change();
            gl::n3f(UP);
            gl::v3f(SQUARE[i].data());
        }
        gl::endtmesh();
        compose();
        for (int j : {0, 31}) {
            double f = (j + 0.5) / 32;
            std::uint32_t px = at(16, j);
            for (int ch = 0; ch < 3; ++ch) {
                double want = ((c.bottom >> (8 * ch)) & 0xff) * (1 - f) + ((c.top >> (8 * ch)) & 0xff) * f;
                EXPECT_NEAR((int)((px >> (8 * ch)) & 0xff), want, 1.0) << c.what << " row " << j << " channel " << ch;
            }
        }
        TearDown();
        ids.clear();
    }
}

}  // namespace
