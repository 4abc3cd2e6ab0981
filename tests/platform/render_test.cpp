// Drawing side of the graphics layer: window mapping, rectangles, pixel rows,
// buffers, depth, clipping, lighting, text and the PNG of the screen. Pixels
// are read back through the compositor, so placement on the screen is
// checked as well.
#include <gtest/gtest.h>

#include "platform/gl.h"
#include "platform/screen.h"
#include <cstdio>
#include <png.h>
#include <string>
#include <vector>

namespace {

const std::uint32_t RED = 0x0000ff, GREEN = 0x00ff00, BLUE = 0xff0000, WHITE = 0xffffff;

// The composed screen, read at screen pixel (x, y), lower-left origin.
struct Screen {
    std::vector<std::uint32_t> px;
    Screen() : px((size_t)gl::screen_width() * gl::screen_height()) { gl::screen_compose(px.data()); }
    std::uint32_t at(int x, int y) const
    {
        return px[(size_t)(gl::screen_height() - 1 - y) * gl::screen_width() + x] & 0xffffff;
    }
};

// One window per test, closed afterwards.
class Render : public ::testing::Test {
protected:
    gl::Int32 id = 0;
    int ox = 0, oy = 0;
    void open(int x1, int x2, int y1, int y2)
    {
        gl::prefposition(x1, x2, y1, y2);
        id = gl::winopen("test");
        gl::Int32 x, y;
        gl::getorigin(&x, &y);
        ox = x;
        oy = y;
    }
    // A pixel of this window as the screen shows it.
    std::uint32_t at(const Screen& s, int x, int y) const { return s.at(ox + x, oy + y); }
    void TearDown() override
    {
        if (id) gl::winclose(id);
    }
};

TEST_F(Render, WindowTakesRequestedRectangleClippedToScreen)
{
    struct Case {
        int x1, x2, y1, y2;
        int ox, oy, w, h;
    } cases[] = {
        {420, 970, 485, 1035, 420, 485, 551, 551},  // both ends included
        {0, 199, 0, 199, 0, 0, 200, 200},
        {1500, 1700, 1100, 1300, 1500, 1100, 100, 100},  // beyond the screen
    };
    for (const Case& c : cases) {
        open(c.x1, c.x2, c.y1, c.y2);
        gl::Int32 x, y, w, h;
        gl::getorigin(&x, &y);
        gl::getsize(&w, &h);
        EXPECT_EQ(x, c.ox);
        EXPECT_EQ(y, c.oy);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(gl::winget(), id);
        gl::winclose(id);
        EXPECT_EQ(gl::winget(), 0);
        id = 0;
    }
}

TEST_F(Render, NewWindowMapsPixelsOneToOne)
{
    open(100, 129, 200, 219);  // 30 x 20
    gl::cpack(RED);
    gl::clear();  // clear uses the current colour
    gl::cpack(GREEN);
    gl::rectfi(2, 3, 5, 7);
    gl::cpack(BLUE);
    gl::Int32 a[2] = {0, 19}, b[2] = {29, 19};
    gl::bgnline();
    gl::v2i(a);
    gl::v2i(b);
    gl::endline();
    unsigned char r[3] = {1, 2, 3}, g[3] = {4, 5, 6}, bl[3] = {7, 8, 9};
    gl::cmov2i(10, 12);
    gl::writeRGB(3, r, g, bl);
    gl::writeRGB(1, r, g, bl);  // continues where the first row ended

    Screen s;
    struct Probe {
        int x, y;
        std::uint32_t want;
    } probes[] = {
        {0, 0, RED},    {29, 0, RED},   {2, 3, GREEN},  {5, 7, GREEN},  {2, 7, GREEN},  {5, 3, GREEN},
        {1, 3, RED},    {6, 7, RED},    {2, 2, RED},    {5, 8, RED},    {0, 19, BLUE},  {29, 19, BLUE},
        {15, 19, BLUE}, {15, 18, RED},  {9, 12, RED},   {10, 12, 0x070401}, {12, 12, 0x090603},
        {13, 12, 0x070401}, {14, 12, RED}, {10, 11, RED}, {10, 13, RED},
    };
    for (const Probe& p : probes) EXPECT_EQ(at(s, p.x, p.y), p.want) << p.x << "," << p.y;
}

TEST_F(Render, WriteRGBLandsWhereCmov2iPutsIt)
{
    // The ray tracer's and image viewer's windows: 2D systems from -0.5.
    struct Case {
        int pixels;       // window width and height
        float extent;     // ortho2(-0.5, extent, -0.5, extent)
        int cx, cy;       // cmov2i
        int px, py;       // expected first pixel
    } cases[] = {
        {40, 39.5f, 1, 1, 1, 1},
        {40, 39.5f, 7, 30, 7, 30},
        {41, 40.5f, 1, 40, 1, 40},  // the viewer's top row: W + 1 pixels for W + 1 units
        {40, 40.5f, 1, 1, 1, 1},    // N pixels for N + 1 units: row 1 stays at pixel 1
        {40, 40.5f, 1, 20, 1, 19},  // (20.5 * 40 / 41 = 19.99 lies in pixel 19)
    };
    unsigned char r[4] = {200, 201, 202, 203}, g[4] = {0, 0, 0, 0}, b[4] = {0, 0, 0, 0};
    for (const Case& c : cases) {
        open(300, 300 + c.pixels - 1, 300, 300 + c.pixels - 1);
        gl::ortho2(-0.5f, c.extent, -0.5f, c.extent);
        gl::RGBmode();
        gl::gconfig();
        gl::cpack(0);
        gl::clear();
        gl::cmov2i(c.cx, c.cy);
        gl::writeRGB(4, r, g, b);
        Screen s;
        EXPECT_EQ(at(s, c.px, c.py), 200u) << c.pixels << " " << c.cx << "," << c.cy;
        EXPECT_EQ(at(s, c.px + 3, c.py), 203u);
        EXPECT_EQ(at(s, c.px - 1, c.py), 0u);
        if (c.py + 1 < c.pixels) {
            EXPECT_EQ(at(s, c.px, c.py + 1), 0u);
        }
        EXPECT_EQ(at(s, c.px, c.py - 1), 0u);
        gl::winclose(id);
        id = 0;
    }
}

TEST_F(Render, DoubleBufferShowsNothingUntilSwap)
{
    open(500, 519, 500, 519);
    gl::RGBmode();
    gl::gconfig();
    gl::cpack(RED);
    gl::clear();
    EXPECT_EQ(at(Screen(), 10, 10), RED);  // single-buffered: at once

    gl::doublebuffer();
    gl::gconfig();
    gl::cpack(GREEN);
    gl::clear();
    EXPECT_NE(at(Screen(), 10, 10), GREEN);
    gl::swapbuffers();
    EXPECT_EQ(at(Screen(), 10, 10), GREEN);
    gl::cpack(BLUE);
    gl::clear();
    EXPECT_EQ(at(Screen(), 10, 10), GREEN);
    gl::swapbuffers();
    EXPECT_EQ(at(Screen(), 10, 10), BLUE);
}

TEST_F(Render, ColourIndexWindowKnowsBlackAndWhite)
{
    open(600, 619, 600, 619);
    gl::gconfig();
    gl::color(7);
    gl::clear();
    EXPECT_EQ(at(Screen(), 3, 3), WHITE);
    gl::color(0);
    gl::clear();
    EXPECT_EQ(at(Screen(), 3, 3), 0u);
}

// Transformations against their classic definitions, read back with
// getmatrix and applied to points (row vectors).
TEST_F(Render, ViewingTransformsFollowClassicDefinitions)
{
    struct Case {
        const char* what;
        void (*set)();
        float in[3];
        float out[4];  // x, y, z, w before the divide
    } cases[] = {
        {"lookat: eye to origin", [] { gl::lookat(3, 1, 10, 0, 0, 0, 0); }, {3, 1, 10}, {0, 0, 0, 1}},
        {"lookat: reference on -z", [] { gl::lookat(3, 1, 10, 0, 0, 0, 0); }, {0, 0, 0}, {0, 0, -10.488088f, 1}},
        // world up stays up: (0, 1, 0) lies in the plane x = 0, at
        // z = -109 / sqrt(110) and y = sqrt(109 - z^2) = sqrt(109 / 110)
        {"lookat: up stays up", [] { gl::lookat(3, 1, 10, 0, 0, 0, 0); }, {0, 1, 0}, {0, 0.995444f, -10.392742f, 1}},
        {"lookat: straight down", [] { gl::lookat(0, 10, 0, 0, 0, 0, 0); }, {0, 0, 0}, {0, 0, -10, 1}},
        {"lookat: twist 90 turns up to +x", [] { gl::lookat(0, 0, 5, 0, 0, 0, 900); }, {0, 1, 0}, {1, 0, -5, 1}},
        {"rotate y", [] { gl::rotate(900, 'y'); }, {1, 0, 0}, {0, 0, -1, 1}},
        {"rotate x", [] { gl::rotate(900, 'x'); }, {0, 1, 0}, {0, 0, 1, 1}},
        {"rotate z", [] { gl::rotate(900, 'z'); }, {1, 0, 0}, {0, 1, 0, 1}},
        {"translate then scale", [] { gl::translate(1, 2, 3); gl::scale(2, 2, 2); }, {1, 1, 1}, {3, 4, 5, 1}},
    };
    open(100, 199, 100, 199);
    gl::mmode(gl::MVIEWING);
    for (const Case& c : cases) {
        gl::Matrix iden = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
        gl::loadmatrix(iden);
        c.set();
        gl::Matrix m;
        gl::getmatrix(m);
        for (int j = 0; j < 4; ++j) {
            float v = c.in[0] * m[0][j] + c.in[1] * m[1][j] + c.in[2] * m[2][j] + m[3][j];
            EXPECT_NEAR(v, c.out[j], 1e-5) << c.what << " component " << j;
        }
    }
    // perspective like the classic: near plane to depth -1, far to +1, the
    // field of view's edge to x = 1 (90 degrees: x = -z)
    gl::perspective(900, 1.0f, 1.0f, 100.0f);
    gl::mmode(gl::MPROJECTION);
    gl::Matrix p;
    gl::getmatrix(p);
    struct P {
        float in[3];
        float ndc[3];
    } pts[] = {
        {{0, 0, -1}, {0, 0, -1}},
        {{0, 0, -100}, {0, 0, 1}},
        {{2, -2, -2}, {1, -1, 1.0f / 99}},  // depth (202 - 200) / 99 / 2
    };
    for (const P& q : pts) {
        float o[4];
        for (int j = 0; j < 4; ++j) o[j] = q.in[0] * p[0][j] + q.in[1] * p[1][j] + q.in[2] * p[2][j] + p[3][j];
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(o[j] / o[3], q.ndc[j], 1e-5) << j;
    }
}

// Two overlapping squares at different depths, seen along -z.
TEST_F(Render, DepthTestKeepsTheNearerSurface)
{
    struct Case {
        bool zbuf, near_first;
        std::uint32_t want;
    } cases[] = {
        {true, true, RED},
        {true, false, RED},
        {false, true, GREEN},  // without depth the last drawn wins
    };
    for (const Case& c : cases) {
        open(700, 739, 700, 739);
        gl::RGBmode();
        gl::gconfig();
        gl::zbuffer(c.zbuf ? 1 : 0);
        gl::mmode(gl::MVIEWING);
        gl::ortho(-1, 1, -1, 1, 1, 10);
        gl::zclear();
        gl::cpack(0);
        gl::clear();
        auto square = [](float z, std::uint32_t col) {
            gl::cpack(col);
            float v[4][3] = {{-0.8f, -0.8f, z}, {0.8f, -0.8f, z}, {-0.8f, 0.8f, z}, {0.8f, 0.8f, z}};
            gl::bgntmesh();
            for (auto& p : v) gl::v3f(p);
            gl::endtmesh();
        };
        if (c.near_first) {
            square(-2, RED);
            square(-5, GREEN);
        } else {
            square(-5, GREEN);
            square(-2, RED);
        }
        EXPECT_EQ(at(Screen(), 20, 20), c.want) << c.zbuf << c.near_first;
        gl::winclose(id);
        id = 0;
    }
}

// Perspective 90 degrees, near 1, far 100, in a 100 x 100 window. A line and
// a triangle from in front of the eye to behind it: only the part in front
// (from row 25, where z = -2 lies, down to the near plane at the bottom row)
// may appear. Squares nearer than the near plane or beyond the far plane
// vanish.
TEST_F(Render, GeometryIsClippedAtEyeNearAndFarPlanes)
{
    struct Case {
        const char* what;
        bool line;
        int n;
        float v[4][3];
        std::vector<int> lit_rows, dark_rows;  // in column 50
    } cases[] = {
        {"line through the eye plane", true, 2, {{0, -1, -2}, {0, -1, 2}}, {10, 20}, {30, 50, 60, 75, 90}},
        {"triangle through the eye plane", false, 3, {{-1, -1, -2}, {1, -1, -2}, {0, -1, 2}}, {10, 20},
         {30, 50, 60, 75, 90}},
        {"square before the near plane", false, 4,
         {{-0.2f, -0.2f, -0.5f}, {0.2f, -0.2f, -0.5f}, {-0.2f, 0.2f, -0.5f}, {0.2f, 0.2f, -0.5f}}, {}, {40, 50, 60}},
        {"square beyond the far plane", false, 4,
         {{-90, -90, -101}, {90, -90, -101}, {-90, 90, -101}, {90, 90, -101}}, {}, {10, 50, 90}},
    };
    for (const Case& c : cases) {
        open(800, 899, 100, 199);
        gl::RGBmode();
        gl::gconfig();
        gl::mmode(gl::MVIEWING);
        gl::perspective(900, 1.0f, 1.0f, 100.0f);
        gl::cpack(0);
        gl::clear();
        gl::cpack(WHITE);
        c.line ? gl::bgnline() : gl::bgntmesh();
        for (int i = 0; i < c.n; ++i) gl::v3f(c.v[i]);
        c.line ? gl::endline() : gl::endtmesh();
        Screen s;
        for (int y : c.lit_rows) EXPECT_EQ(at(s, 50, y), WHITE) << c.what << " row " << y;
        for (int y : c.dark_rows) EXPECT_EQ(at(s, 50, y), 0u) << c.what << " row " << y;
        gl::winclose(id);
        id = 0;
    }
}

// Light 1 far off in the direction (0, 0.6, 0.8) from a small square at
// z = -10 facing the eye: N.L = 0.8, N.H = 0.9487, shininess 2 gives 0.9.
// colour = ambient 0.5 * 0.2 + diffuse * 0.8 + specular 0.2 * 0.9
TEST_F(Render, LitTriangleMatchesHandComputedColour)
{
    const float material[] = {gl::AMBIENT, 0.5f, 0.5f, 0.5f, gl::DIFFUSE, 0.5f, 0.25f, 0.0f,
                              gl::SPECULAR, 0.2f, 0.2f, 0.2f, gl::SHININESS, 2.0f, gl::LMNULL};
    const float lmodel[] = {gl::AMBIENT, 0.2f, 0.2f, 0.2f, gl::LOCALVIEWER, 1.0f, gl::LMNULL};
    const float light[] = {gl::LCOLOR, 1, 1, 1, gl::POSITION, 0, 600, 790, 1, gl::LMNULL};
    struct Case {
        const char* what;
        bool turned;        // draw under rotate(900, 'y')
        bool bind_after;    // bind the light after the turn
        int r, g, b;
    } cases[] = {
        {"eye space", false, false, 173, 122, 71},
        // the same square in eye space, through the viewing matrix: normals
        // follow it, the light bound under the identity stays with the eye
        {"turned view", true, false, 173, 122, 71},
        // bound after the turn the light sits at (790, 600, 0):
        // N.L = 0.01008, N.H = 0.71066
        {"light bound after turn", true, true, 53, 52, 51},
    };
    for (const Case& c : cases) {
        open(900, 960, 300, 360);  // 61 x 61
        gl::RGBmode();
        gl::gconfig();
        gl::zbuffer(1);
        gl::mmode(gl::MVIEWING);
        gl::ortho(-0.1f, 0.1f, -0.1f, 0.1f, 1.0f, 100.0f);
        gl::Matrix iden = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
        gl::loadmatrix(iden);
        gl::zclear();
        gl::cpack(0);
        gl::clear();
        gl::lmdef(gl::DEFMATERIAL, 7, 15, material);
        gl::lmdef(gl::DEFLMODEL, 7, 0, lmodel);
        gl::lmdef(gl::DEFLIGHT, 7, 0, light);
        gl::lmbind(gl::MATERIAL, 7);
        gl::lmbind(gl::LMODEL, 7);
        if (c.turned) gl::rotate(900, 'y');
        gl::lmbind(gl::LIGHT0, 7);
        if (c.turned && !c.bind_after) {
            // rebind under the identity, then turn
            gl::loadmatrix(iden);
            gl::lmbind(gl::LIGHT0, 7);
            gl::rotate(900, 'y');
        }
        gl::cpack(WHITE);  // ignored while lit
        float n_eye[3] = {0, 0, 1}, n_obj[3] = {-1, 0, 0};
        float eye[4][3] = {{-0.05f, -0.05f, -10}, {0.05f, -0.05f, -10}, {-0.05f, 0.05f, -10}, {0.05f, 0.05f, -10}};
        gl::bgntmesh();
        for (auto& p : eye) {
            // rotate(900, 'y') takes (x, y, z) to (z, y, -x)
            float obj[3] = {-p[2], p[1], p[0]};
            gl::n3f(c.turned ? n_obj : n_eye);
            gl::v3f(c.turned ? obj : p);
        }
        gl::endtmesh();
        gl::lmbind(gl::MATERIAL, 0);
        std::uint32_t px = at(Screen(), 30, 30);
        EXPECT_NEAR((int)(px & 0xff), c.r, 1) << c.what;
        EXPECT_NEAR((int)((px >> 8) & 0xff), c.g, 1) << c.what;
        EXPECT_NEAR((int)((px >> 16) & 0xff), c.b, 1) << c.what;
        gl::winclose(id);
        id = 0;
    }
}

TEST_F(Render, TextSitsOnItsBaselineAndAdvances)
{
    open(1000, 1099, 900, 939);
    gl::color(0);
    gl::clear();
    gl::color(7);
    gl::cmov2i(10, 10);
    gl::charstr("HH");
    int w = gl::strwidth("H");
    EXPECT_GT(w, 0);
    EXPECT_EQ(gl::strwidth("HH"), 2 * w);
    unsigned char one[1] = {255}, zero[1] = {0};
    gl::writeRGB(1, one, zero, zero);  // the position moved past the text

    Screen s;
    int lit_above = 0, lit_below = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            if (at(s, x, y) == 0 || (x == 10 + 2 * w && y == 10)) continue;
            (y >= 10 ? lit_above : lit_below)++;
        }
    EXPECT_GT(lit_above, 10);
    EXPECT_EQ(lit_below, 0);  // "H" has no descender
    EXPECT_EQ(at(s, 10 + 2 * w, 10), RED);
    EXPECT_GT(gl::text_height(), 0);
}

TEST_F(Render, ScreenPngHasScreenSizeAndWindowPixels)
{
    open(40, 49, 60, 69);
    gl::RGBmode();
    gl::gconfig();
    gl::cpack(0x336699);
    gl::clear();
    std::string path = ::testing::TempDir() + "render_screen.png";
    ASSERT_EQ(gl::screen_writepng(path.c_str()), 1);

    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&img, path.c_str()));
    EXPECT_EQ((int)img.width, gl::screen_width());
    EXPECT_EQ((int)img.height, gl::screen_height());
    img.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(img));
    ASSERT_TRUE(png_image_finish_read(&img, nullptr, rgb.data(), 0, nullptr));
    auto pixel = [&](int x, int y) {  // lower-left origin
        const unsigned char* p = &rgb[((size_t)(img.height - 1 - y) * img.width + x) * 3];
        return (std::uint32_t)p[0] | (std::uint32_t)p[1] << 8 | (std::uint32_t)p[2] << 16;
    };
    EXPECT_EQ(pixel(40, 60), 0x336699u);
    EXPECT_EQ(pixel(49, 69), 0x336699u);
    EXPECT_NE(pixel(50, 65), 0x336699u);
    EXPECT_NE(pixel(45, 59), 0x336699u);
    std::remove(path.c_str());

    EXPECT_EQ(gl::screen_writepng("/nonexistent-dir/x.png"), 0);
}

}  // namespace
