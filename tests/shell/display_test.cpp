// The shell window and the growth-axis window: what each mode sends per band,
// the black window without a surface, the light during a drag, the spiral.
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/screen.h"
#include "shellfixture.h"

namespace {

std::vector<std::vector<RingPoint>> rings;

void keepring(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    if (rings.empty()) rings.emplace_back(prev, prev + CurveSegment);
    rings.emplace_back(cur, cur + CurveSegment);
}

// The rings of the current model, ring 0 first.
void generaterings()
{
    rings.clear();
    generateshell(keepring, nullptr);
}

void expectvertex(const TracedVertex& v, const RingPoint& want, const char* where)
{
    EXPECT_TRUE(v.lit) << where;
    for (int j = 0; j < 3; j++) {
        EXPECT_EQ(v.p[j], want.p[j]) << where;
        EXPECT_EQ(v.n[j], want.n[j]) << where;
    }
}

// The colour at the centre of a window as the screen shows it, 0x00BBGGRR;
// -1 while the graphics layer has no screen to compose.
long windowcentre(std::int32_t win)
{
    if (win == 0) return -1;
    gl::winset(win);
    gl::Int32 x, y, w, h;
    gl::getorigin(&x, &y);
    gl::getsize(&w, &h);
    int sw = gl::screen_width(), sh = gl::screen_height();
    std::vector<std::uint32_t> rgba((size_t)sw * sh, 0xDEADBEEFu);
    gl::screen_compose(rgba.data());
    std::uint32_t c = rgba[(size_t)(sh - 1 - (y + h / 2)) * sw + (x + w / 2)];
    if (c == 0xDEADBEEFu) return -1;
    return c & 0xFFFFFF;
}

}  // namespace

using ShellDisplay = ShellTest;

TEST_F(ShellDisplay, SolidSendsOneStripOfTwoNVerticesPerBand)
{
    generaterings();
    ASSERT_EQ(rings.size(), 68u);
    traced.clear();
    seashellsolidredraw();
    ASSERT_EQ(traced.size(), 67u);
    for (size_t k = 1; k <= traced.size(); k++) {
        const TracedPrimitive& s = traced[k - 1];
        EXPECT_EQ(s.kind, SHELLTRACE_STRIP);
        ASSERT_EQ(s.v.size(), 6u) << "band " << k;
        for (int i = 0; i < 3; i++) {
            expectvertex(s.v[2 * i], rings[k - 1][i], "ring k-1");
            expectvertex(s.v[2 * i + 1], rings[k][i], "ring k");
        }
    }
}

TEST_F(ShellDisplay, GridSendsAGrowthLinePerSampleAndTheRingOutline)
{
    generaterings();
    traced.clear();
    seashellgridredraw();
    ASSERT_EQ(traced.size(), 67u * 3);
    for (size_t k = 1; k <= 67; k++) {
        const TracedPrimitive* l = &traced[(k - 1) * 3];
        for (int i = 0; i < 3; i++) EXPECT_EQ(l[i].kind, SHELLTRACE_LINE);
        ASSERT_EQ(l[0].v.size(), 2u);
        expectvertex(l[0].v[0], rings[k - 1][0], "sample 0, ring k-1");
        expectvertex(l[0].v[1], rings[k][0], "sample 0, ring k");
        for (int i = 1; i < 3; i++) {
            ASSERT_EQ(l[i].v.size(), 3u);
            expectvertex(l[i].v[0], rings[k - 1][i], "ring k-1");
            expectvertex(l[i].v[1], rings[k][i], "ring k");
            expectvertex(l[i].v[2], rings[k][i - 1], "previous sample of ring k");
        }
    }
}

TEST_F(ShellDisplay, ShellModeChoosesLinesOnlyFor17)
{
    struct Case { int mode; int kind; } cases[] = {
        {17, SHELLTRACE_LINE}, {18, SHELLTRACE_STRIP}, {0, SHELLTRACE_STRIP}, {99, SHELLTRACE_STRIP},
    };
    for (const Case& c : cases) {
        shellmode = c.mode;
        traced.clear();
        seashellredraw();
        ASSERT_FALSE(traced.empty()) << "mode " << c.mode;
        EXPECT_EQ(traced[0].kind, c.kind) << "mode " << c.mode;
    }
}

TEST_F(ShellDisplay, WithoutASurfaceTheWindowIsBlack)
{
    struct Case { short count; double endangle; } cases[] = {
        {0, 26.4}, {1, 26.4}, {3, 6.283185307179586 / 16.0},
    };
    for (const Case& c : cases) {
        for (int solid = 0; solid < 2; solid++) {
            ObjectPtr->count = c.count;
            helico_endangle = c.endangle;
            // Something else on screen first, in both buffers.
            if (seawid != 0) {
                gl::winset(seawid);
                for (int b = 0; b < 2; b++) {
                    gl::cpack(0xFFFFFF);
                    gl::clear();
                    gl::swapbuffers();
                }
            }
            traced.clear();
            solid ? seashellsolidredraw() : seashellgridredraw();
            EXPECT_TRUE(traced.empty()) << c.count << " nodes, solid " << solid;
            long centre = windowcentre(seawid);
            if (centre >= 0) {
                EXPECT_EQ(centre, 0) << c.count << " nodes, solid " << solid;
            }
        }
    }
}

TEST_F(ShellDisplay, LightDragLeavesTheStoredLightUnchanged)
{
    // 0.1 + 7 - 7 in single precision is not 0.1: the stored position must
    // come back bit for bit, for any position a file may hold.
    light1[1] = 0.1f;
    light1[2] = -3.3f;
    light1[3] = 10.0f;
    float before[10];
    std::memcpy(before, light1, sizeof before);
    vmode = 15;
    lightxlast = 7;
    lightylast = -13;
    lightzlast = 1;
    for (int mode : {17, 18}) {
        shellmode = mode;
        seashellredraw();
        EXPECT_EQ(std::memcmp(before, light1, sizeof before), 0) << "mode " << mode;
    }
}

TEST_F(ShellDisplay, SpiralRunsThroughTheStartAndEveryStep)
{
    const double delta = 6.283185307179586 / 16.0;
    struct Case { double rate, endangle; size_t vertices; } cases[] = {
        {1.1, 26.4, 68},   // the start point and 67 steps
        {1.1, delta, 1},   // the start point alone
        {1.0, 26.4, 68},   // a circle of radius r0 at height 2.2 - z0
    };
    for (const Case& c : cases) {
        traced.clear();
        draw_helico(0.1, 0.2, c.rate, c.endangle, 16.0);
        ASSERT_EQ(traced.size(), 1u);
        EXPECT_EQ(traced[0].kind, SHELLTRACE_LINE);
        const std::vector<TracedVertex>& v = traced[0].v;
        ASSERT_EQ(v.size(), c.vertices) << "rate " << c.rate << " end " << c.endangle;
        EXPECT_FLOAT_EQ(v[0].p[0], 0.1f);
        EXPECT_FLOAT_EQ(v[0].p[1], 2.0f);
        EXPECT_FLOAT_EQ(v[0].p[2], 0.0f);
        if (c.rate == 1.0) {
            for (const TracedVertex& t : v) {
                EXPECT_NEAR(std::hypot(t.p[0], t.p[2]), 0.1, 1e-6);
                EXPECT_FLOAT_EQ(t.p[1], 2.0f);
            }
        }
    }
}

TEST_F(ShellDisplay, SpiralPassesThroughTheRingCentres)
{
    // Sample 0 of the test curve is at the origin, so it marks each centre.
    generaterings();
    traced.clear();
    draw_helico(helico_r0, helico_z0, helico_rate, helico_endangle, helico_stepsize);
    ASSERT_EQ(traced.size(), 1u);
    ASSERT_EQ(traced[0].v.size(), rings.size());
    for (size_t k = 1; k < rings.size(); k++)
        for (int j = 0; j < 3; j++) EXPECT_EQ(traced[0].v[k].p[j], rings[k][0].p[j]) << "ring " << k;
}

TEST_F(ShellDisplay, SpiralWithStepsNoBarAllowsEnds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { double rate, endangle, stepsize; } cases[] = {
        {1.1, 26.4, 0.0}, {1.1, 26.4, -16.0}, {1.1, 26.4, nan}, {1.0, 1e300, 16.0}, {1.1, 1e300, 16.0},
    };
    for (const Case& c : cases) {
        traced.clear();
        draw_helico(0.1, 0.2, c.rate, c.endangle, c.stepsize);
        ASSERT_EQ(traced.size(), 1u);
        EXPECT_GE(traced[0].v.size(), 1u);
        EXPECT_LE(traced[0].v.size(), 1000001u);
        for (const TracedVertex& t : traced[0].v)
            for (int j = 0; j < 3; j++) EXPECT_TRUE(std::isfinite(t.p[j])) << "step size " << c.stepsize;
    }
}

TEST_F(ShellDisplay, AxisCrossesPointYOppositeWays)
{
    struct Case { void (*draw)(); float y; } cases[] = {{draw_XYZ, 1.0f}, {draw_reverseXYZ, -1.0f}};
    for (const Case& c : cases) {
        traced.clear();
        c.draw();
        ASSERT_EQ(traced.size(), 3u);
        const float want[3][3] = {{1, 0, 0}, {0, c.y, 0}, {0, 0, 1}};
        for (int i = 0; i < 3; i++) {
            ASSERT_EQ(traced[i].v.size(), 2u);
            for (int j = 0; j < 3; j++) {
                EXPECT_EQ(traced[i].v[0].p[j], 0.0f);
                EXPECT_EQ(traced[i].v[1].p[j], want[i][j]);
            }
        }
    }
}
