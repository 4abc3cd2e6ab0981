// The texture map: its size from the shell or fixed, the uniform-colour map
// and the background it borrows, and whole runs into the map, including runs
// whose values run away.
#include <gtest/gtest.h>

#include <cmath>

#include "app/model.h"
#include "curve/curve.h"
#include "texture/texture.h"

namespace {

// Saves and restores every global these tests change.
struct SavedModel {
    double length = GenCurveTotalLength, angle = helico_endangle;
    short type = texturetype;
    double pattern[3] = {pattern_r, pattern_g, pattern_b};
    double background[3] = {background_r, background_g, background_b};
    double t_init = t_initvalue, t_d = t_delta, i_init = i_initvalue, i_hh = i_h0, i_d = i_delta,
           s_init = s_initvalue, s_d = s_delta;
    ~SavedModel()
    {
        GenCurveTotalLength = length;
        helico_endangle = angle;
        texturetype = type;
        pattern_r = pattern[0], pattern_g = pattern[1], pattern_b = pattern[2];
        background_r = background[0], background_g = background[1], background_b = background[2];
        t_initvalue = t_init, t_delta = t_d, i_initvalue = i_init, i_h0 = i_hh, i_delta = i_d;
        s_initvalue = s_init, s_delta = s_d;
    }
};

// Every row normalised: values in 0..1, and either 0 and 1 both present or
// the row all 0. (max - min) x (1 / (max - min)) may come out one unit of the
// last place off 1.
void expectnormalisedrows(const char* name)
{
    for (int i = 0; i <= texturemapheight; i++) {
        double lo = 2, hi = -1;
        for (int j = 0; j <= texturemapwidth; j++) {
            double v = texturemap[i][j];
            ASSERT_TRUE(v >= 0.0 && v <= 1.0 + 1e-15) << name << " row " << i << " cell " << j << " = " << v;
            lo = std::fmin(lo, v);
            hi = std::fmax(hi, v);
        }
        ASSERT_EQ(lo, 0.0) << name << " row " << i;
        ASSERT_TRUE(std::fabs(hi - 1.0) <= 1e-15 || hi == 0.0) << name << " row " << i << " max " << hi;
    }
}

}  // namespace

// W = trunc(10 x curve length), H = trunc(300 x angle / 2 pi); a curve
// shorter than 0.1 gives one column. Sizes a file could make meaningless
// (NaN, negative) give one column or one row.
TEST(Texturemap, SizedFromTheShell)
{
    SavedModel saved;
    texturetype = 52;
    struct Case { double length, angle; int W, H; } cases[] = {
        {1.25, 26.4, 12, 1260},    // 7920 / 2 pi = 1260.5
        {0.05, 26.4, 0, 1260},
        {2.0, 3.14159, 20, 149},   // 942.477 / 2 pi = 149.99996
        {NAN, -1.0, 0, 0},
    };
    for (const Case& c : cases) {
        GenCurveTotalLength = c.length;
        helico_endangle = c.angle;
        createtexturemap(0);
        EXPECT_EQ(texturemapwidth, c.W) << "length " << c.length;
        EXPECT_EQ(texturemapheight, c.H) << "angle " << c.angle;
        freetexturemap();
    }
}

// Uniform colour: every cell 1.0. Made for the ray tracer, Ambdiff is the
// pattern colour and the background reads black until freetexturemap puts
// the user's back; made for a texture file (600 x 600 fixed), the colours
// are left alone.
TEST(Texturemap, UniformColour)
{
    SavedModel saved;
    texturetype = 52;
    GenCurveTotalLength = 1.25;
    helico_endangle = 26.4;
    pattern_r = 0.2, pattern_g = 0.4, pattern_b = 0.6;
    for (unsigned char fixed : {0, 1}) {
        background_r = 0.1, background_g = 0.3, background_b = 0.5;
        Ambdiff_r = Ambdiff_g = Ambdiff_b = -7.0;
        createtexturemap(fixed);
        EXPECT_EQ(texturemapwidth, fixed ? 600 : 12);
        EXPECT_EQ(texturemapheight, fixed ? 600 : 1260);
        for (int i = 0; i <= texturemapheight; i++)
            for (int j = 0; j <= texturemapwidth; j++)
                ASSERT_EQ(texturemap[i][j], 1.0) << "row " << i << " cell " << j;
        if (fixed) {
            EXPECT_EQ(Ambdiff_r, -7.0);
            EXPECT_EQ(background_g, 0.3);
        } else {
            EXPECT_EQ(Ambdiff_r, 0.2);
            EXPECT_EQ(Ambdiff_g, 0.4);
            EXPECT_EQ(Ambdiff_b, 0.6);
            EXPECT_EQ(background_r, 0.0);
            EXPECT_EQ(background_g, 0.0);
            EXPECT_EQ(background_b, 0.0);
        }
        freetexturemap();
        EXPECT_EQ(background_r, 0.1);
        EXPECT_EQ(background_g, 0.3);
        EXPECT_EQ(background_b, 0.5);
    }
}

// The fixed map has 601 x 601 cells, all filled by the model run.
TEST(Texturemap, FixedMapFilledByTheModel)
{
    SavedModel saved;
    for (short type : {50, 51, 49}) {
        texturetype = type;
        createtexturemap(1);
        EXPECT_EQ(texturemapwidth, 600);
        EXPECT_EQ(texturemapheight, 600);
        expectnormalisedrows(type == 50 ? "activator-substrate" : type == 51 ? "activator-inhibitor" : "stripe");
        freetexturemap();
    }
}

// Runs whose values become infinite or NaN (a zero inhibitor or hormone, a
// zero stripe inhibitor, a time step a file made far too large), or whose
// increment size gives less than one step per row, still fill every row of
// the map with normalised values.
TEST(Texturemap, RunawayRunsStillFillTheMap)
{
    SavedModel saved;
    GenCurveTotalLength = 0.35;  // 4 columns
    helico_endangle = 0.2;       // 60 / 2 pi = 9.5: 10 rows
    struct Case {
        const char* name;
        short type;
        double* param;
        double value;
        double* param2;
        double value2;
    } cases[] = {
        {"stripe, no initial values", 49, &s_initvalue, 0.0, nullptr, 0},
        {"inhibitor, no initial values, no base", 51, &i_initvalue, 0.0, &i_h0, 0.0},
        {"substrate, increment 5", 50, &t_delta, 5.0, nullptr, 0},
        {"inhibitor, increment 3", 51, &i_delta, 3.0, nullptr, 0},
        {"stripe, increment -1", 49, &s_delta, -1.0, nullptr, 0},
        {"substrate, increment 0", 50, &t_delta, 0.0, nullptr, 0},
    };
    for (const Case& c : cases) {
        SavedModel inner;
        texturetype = c.type;
        *c.param = c.value;
        if (c.param2)
            *c.param2 = c.value2;
        createtexturemap(0);
        ASSERT_EQ(texturemapwidth, 3);
        ASSERT_EQ(texturemapheight, 9);
        expectnormalisedrows(c.name);
        freetexturemap();
    }
}
