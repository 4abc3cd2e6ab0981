// Whole images of small hand-made scenes, traced into memory by both
// tracers: the sample grid and the averaging, row order, the camera's
// special cases, lighting, shadow and reflection. Expected bytes are worked
// out by hand in the comments.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/model.h"
#include "curve/curve.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace {

struct Image {
    int N = 0;
    std::vector<int> order;  // row numbers as they came
    std::vector<std::vector<unsigned char>> rgb[3];
};

void keeprow(int r, const unsigned char* red, const unsigned char* green, const unsigned char* blue,
             void* user)
{
    Image* im = (Image*)user;
    im->order.push_back(r);
    im->rgb[0].emplace_back(red, red + im->N);
    im->rgb[1].emplace_back(green, green + im->N);
    im->rgb[2].emplace_back(blue, blue + im->N);
}

struct Tri {
    float v[3][3];
    float n[3];
};

class SceneTest : public ::testing::Test {
protected:
    short eye[3];
    double dl[12], diffuse, shin, refl, spec[3], back[3], amb[3];
    int curveseg, helicoseg, lights;
    double row0[2] = {1.0, 1.0}, row1[2] = {1.0, 1.0};
    double* map[2] = {row0, row1};

    void SetUp() override
    {
        inittracelist();
        eye[0] = sea_xeye, eye[1] = sea_yeye, eye[2] = sea_zeye;
        std::memcpy(dl, DL, sizeof dl);
        diffuse = diffusecoeff, shin = shinnessvalue, refl = reflectvalue, lights = lightno;
        spec[0] = specular_r, spec[1] = specular_g, spec[2] = specular_b;
        back[0] = background_r, back[1] = background_g, back[2] = background_b;
        amb[0] = Ambdiff_r, amb[1] = Ambdiff_g, amb[2] = Ambdiff_b;
        curveseg = CurveSegment, helicoseg = HelicoSegment;

        // A uniform texture map of 2 x 2 cells for triangles of ring 0, point 0.
        texturemap = map;
        texturemapwidth = texturemapheight = 1;
        CurveSegment = 2;
        HelicoSegment = 1;
        background_r = background_g = background_b = 0;
        Ambdiff_r = 1.0, Ambdiff_g = 0.5, Ambdiff_b = 0.25;
        specular_r = specular_g = specular_b = 0;
        lightno = 1;
    }
    void TearDown() override
    {
        freeTraceObjectList();
        texturemap = nullptr;
        sea_xeye = eye[0], sea_yeye = eye[1], sea_zeye = eye[2];
        std::memcpy(DL, dl, sizeof dl);
        diffusecoeff = diffuse, shinnessvalue = shin, reflectvalue = refl, lightno = lights;
        specular_r = spec[0], specular_g = spec[1], specular_b = spec[2];
        background_r = back[0], background_g = back[1], background_b = back[2];
        Ambdiff_r = amb[0], Ambdiff_g = amb[1], Ambdiff_b = amb[2];
        CurveSegment = curveseg, HelicoSegment = helicoseg;
    }

    static void add(const Tri& t)
    {
        TraceVector pos = {t.v[0][0], t.v[0][1], t.v[0][2]}, nor = {t.n[0], t.n[1], t.n[2]};
        RingPoint a = {{t.v[1][0], t.v[1][1], t.v[1][2]}, {t.n[0], t.n[1], t.n[2]}};
        RingPoint b = {{t.v[2][0], t.v[2][1], t.v[2][2]}, {t.n[0], t.n[1], t.n[2]}};
        InsertTriangle(&pos, &nor, &a, &b, 0, 0);
    }
    static void light(double x, double y, double z, double c)
    {
        DL[0] = x, DL[1] = y, DL[2] = z;
        DL[3] = DL[4] = DL[5] = c;
    }
    static int render(int N, int reference, Image* im)
    {
        *im = Image();
        im->N = N;
        return traceimage(N, reference, keeprow, im);
    }
};

// Eye (0, 0, 10) over the plane z = 0. Sample column i meets the plane at
// x = 10 tan(pi/8) ((i - 0.5) / 100 - 1) for N = 200, so columns 0..100 lie
// left of x = 0 (column 100 at -0.0207, 101 at +0.0207) and column 200, the
// 201st, at x = 4.12 (column 199 at 4.08); rows alike in y. With the light at
// the eye, no diffuse term, no specular colour and the light's colour 16, a
// lit sample is 16 x 0.05 x (1, 0.5, 0.25) = (0.8, 0.4, 0.2): bytes 204, 102,
// 51. A pixel with k of its four samples on the triangle is k x sample / 4.
TEST_F(SceneTest, MissesAreBlackAndSilhouettePixelsAreAverages)
{
    struct Case {
        const char* what;
        Tri tri;
        bool (*inside)(int row, int col);  // sample on the triangle
    } cases[] = {
        {"left half", {{{0, -1000, 0}, {0, 1000, 0}, {-1000, 0, 0}}, {0, 0, 1}},
         [](int, int col) { return col <= 100; }},
        {"bottom half", {{{1000, 0, 0}, {-1000, 0, 0}, {0, -1000, 0}}, {0, 0, 1}},
         [](int row, int) { return row <= 100; }},
        {"last sample column", {{{4.1f, -1000, 0}, {4.1f, 1000, 0}, {1000, 0, 0}}, {0, 0, 1}},
         [](int, int col) { return col == 200; }},
        {"last sample row", {{{-1000, 4.1f, 0}, {1000, 4.1f, 0}, {0, 1000, 0}}, {0, 0, 1}},
         [](int row, int) { return row == 200; }},
    };
    sea_xeye = 0, sea_yeye = 0, sea_zeye = 10;
    light(0, 0, 10, 16);
    diffusecoeff = 0;
    reflectvalue = 0;
    const int sample[3] = {204, 102, 51};
    for (const Case& c : cases) {
        freeTraceObjectList();
        add(c.tri);
        for (int reference : {1, 0}) {
            Image im;
            ASSERT_EQ(render(200, reference, &im), 1);
            ASSERT_EQ(im.order.size(), 200u);
            int bad = 0;
            for (int r = 1; r <= 200; r++) {
                EXPECT_EQ(im.order[r - 1], r);  // bottom row first, in order
                for (int j = 0; j < 200; j++) {
                    int k = c.inside(r - 1, j) + c.inside(r - 1, j + 1) + c.inside(r, j) + c.inside(r, j + 1);
                    for (int ch = 0; ch < 3; ch++)
                        if (im.rgb[ch][r - 1][j] != k * sample[ch] / 4 && bad++ < 5)
                            ADD_FAILURE() << c.what << (reference ? " reference" : " default") << " row "
                                          << r << " pixel " << j << " channel " << ch << ": "
                                          << (int)im.rgb[ch][r - 1][j] << " != " << k * sample[ch] / 4;
                }
            }
        }
    }
}

// Eye (0, 10, 0) on the y axis: V and H vanish, every sample looks straight
// down at the origin, so the image has one colour. Floor y = 0 facing up,
// surface colour (0.8, 0.4, 0.2), diffuse 0.9, light colour 1.
// Lit from (0, 15, 0): f = 0.9 + 0.05 = 0.95, direct colour (0.76, 0.38,
// 0.19) -> 193, 96, 48. A ceiling triangle at y = 20 (behind the eye, beyond
// the light) reflects: floor, ceiling, floor again (two reflections), so
// with reflection 0.2 each channel is 0.95 x colour x (1 + 0.2 + 0.04):
// 0.9424 -> 240, 0.4712 -> 120, 0.2356 -> 60.
// In shadow (light above the ceiling) or lit from below, f = 0.1:
// 0.08 -> 20, 0.04 -> 10, 0.02 -> 5.
TEST_F(SceneTest, EyeOnTheYAxisGivesOneColour)
{
    const Tri floor = {{{-10, 0, -10}, {10, 0, -10}, {0, 0, 20}}, {0, 1, 0}};
    const Tri ceiling = {{{-1, 20, -1}, {1, 20, -1}, {0, 20, 2}}, {0, -1, 0}};
    struct Case {
        const char* what;
        bool withceiling;
        double lighty, reflect;
        int rgb[3];
    } cases[] = {
        {"direct light", false, 15, 0.2, {193, 96, 48}},
        {"reflection 0 ignores the ceiling", true, 15, 0.0, {193, 96, 48}},
        {"two reflections", true, 15, 0.2, {240, 120, 60}},
        {"shadow of the ceiling", true, 25, 0.0, {20, 10, 5}},
        {"light below the floor", false, -15, 0.0, {20, 10, 5}},
    };
    sea_xeye = 0, sea_yeye = 10, sea_zeye = 0;
    diffusecoeff = 0.9;
    Ambdiff_r = 0.8, Ambdiff_g = 0.4, Ambdiff_b = 0.2;
    for (const Case& c : cases) {
        freeTraceObjectList();
        add(floor);
        if (c.withceiling)
            add(ceiling);
        light(0, c.lighty, 0, 1);
        reflectvalue = c.reflect;
        for (int reference : {1, 0}) {
            Image im;
            ASSERT_EQ(render(200, reference, &im), 1);
            int bad = 0;
            for (int ch = 0; ch < 3; ch++)
                for (const auto& row : im.rgb[ch])
                    for (unsigned char b : row)
                        if (b != c.rgb[ch] && bad++ == 0)
                            ADD_FAILURE() << c.what << (reference ? " reference" : " default") << " channel "
                                          << ch << ": " << (int)b << " != " << c.rgb[ch];
        }
    }
}

// Two floors in one place, one with its shading normal tilted to
// (1, 1, 0) / sqrt 2: f = 0.9 x 0.7071 + 0.05 = 0.6864, colour (0.5491,
// 0.2746, 0.1373) -> 140, 70, 35. Both are hit at the same distance; the
// one first in the list (the one inserted last) shades.
TEST_F(SceneTest, OfTwoHitsAtOneDistanceTheFirstInTheListWins)
{
    const Tri straight = {{{-10, 0, -10}, {10, 0, -10}, {0, 0, 20}}, {0, 1, 0}};
    const Tri tilted = {{{-10, 0, -10}, {10, 0, -10}, {0, 0, 20}}, {1, 1, 0}};
    struct Case {
        const Tri *inserted1, *inserted2;
        int rgb[3];
    } cases[] = {
        {&tilted, &straight, {193, 96, 48}},
        {&straight, &tilted, {140, 70, 35}},
    };
    sea_xeye = 0, sea_yeye = 10, sea_zeye = 0;
    diffusecoeff = 0.9;
    reflectvalue = 0;
    Ambdiff_r = 0.8, Ambdiff_g = 0.4, Ambdiff_b = 0.2;
    light(0, 15, 0, 1);
    for (const Case& c : cases) {
        freeTraceObjectList();
        add(*c.inserted1);
        add(*c.inserted2);
        for (int reference : {1, 0}) {
            Image im;
            ASSERT_EQ(render(200, reference, &im), 1);
            for (int ch = 0; ch < 3; ch++)
                EXPECT_EQ(im.rgb[ch][100][100], c.rgb[ch]) << (reference ? "reference" : "default") << " channel " << ch;
        }
    }
}

TEST_F(SceneTest, SecondLightDoesNotShadeWithOneLight)
{
    const Tri floor = {{{-10, 0, -10}, {10, 0, -10}, {0, 0, 20}}, {0, 1, 0}};
    add(floor);
    sea_xeye = 0, sea_yeye = 10, sea_zeye = 0;
    diffusecoeff = 0.9;
    reflectvalue = 0;
    Ambdiff_r = 0.8, Ambdiff_g = 0.4, Ambdiff_b = 0.2;
    light(0, 15, 0, 1);
    DL[6] = 0, DL[7] = 3, DL[8] = 0;  // a second light straight above, bright
    DL[9] = DL[10] = DL[11] = 5;
    Image im;
    ASSERT_EQ(render(200, 0, &im), 1);
    EXPECT_EQ(im.rgb[0][0][0], 193);
    EXPECT_EQ(im.rgb[2][199][199], 48);
}

TEST_F(SceneTest, EyeAtTheOriginMakesNoImage)
{
    add({{{-10, 0, -10}, {10, 0, -10}, {0, 0, 20}}, {0, 1, 0}});
    sea_xeye = 0, sea_yeye = 0, sea_zeye = 0;
    for (int reference : {1, 0}) {
        Image im;
        EXPECT_EQ(render(200, reference, &im), 0);
        EXPECT_TRUE(im.order.empty());
    }
}

}  // namespace
