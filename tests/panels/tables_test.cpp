// Knob placement when the bar tables are (re)built from the model.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "app/model.h"
#include "panels/panels.h"

namespace {

// Keeps the model variables a test changes and puts them back afterwards.
class Tables : public ::testing::Test {
protected:
    void SetUp() override
    {
        r0 = helico_r0;
        stepsize = helico_stepsize;
        std::memcpy(mat, material, sizeof mat);
        std::memcpy(l1, light1, sizeof l1);
    }
    void TearDown() override
    {
        helico_r0 = r0;
        helico_stepsize = stepsize;
        std::memcpy(material, mat, sizeof mat);
        std::memcpy(light1, l1, sizeof l1);
        InitParambar();
    }
    double r0 = 0, stepsize = 0;
    float mat[15] = {}, l1[10] = {};
};

TEST_F(Tables, KnobsFollowTheValues)
{
    struct Case {
        double r0, stepsize;
        float shininess, light1red;
        int r0knob, stepknob, shinknob, lightknob;
    } cases[] = {
        // defaults: 200*0.099/2+15 = 24.9, 200*8/292+15 = 20.48, 128 at the right end
        {0.1, 16.0, 128.0f, 1.0f, 24, 20, 220, 220},
        // a loaded 500 lies beyond the track end (215): 200*492/292+15 = 351.98
        {0.1, 500.0, 0.0f, 0.5f, 24, 351, 20, 120},
        // below the minimum: 200*(-0.001)/2+15 = 14.9, 200*(-8)/292+15 = 9.52
        {0.0, 0.0, 64.0f, 0.0f, 14, 9, 120, 20},
    };
    for (const Case& c : cases) {
        helico_r0 = c.r0;
        helico_stepsize = c.stepsize;
        material[1] = c.shininess;
        light1[6] = c.light1red;
        InitParambar();
        SCOPED_TRACE(c.stepsize);
        EXPECT_EQ(parameterbar[0].knobx, c.r0knob);
        EXPECT_EQ(parameterbar[4].knobx, c.stepknob);
        EXPECT_EQ(attributebar[0].knobx, c.shinknob);
        EXPECT_EQ(light1colorbar[0].redknobx, c.lightknob);
        // the double copies follow the lists
        EXPECT_EQ(shinnessvalue, (double)c.shininess);
        EXPECT_EQ(DL[3], (double)c.light1red);
        // the value itself is left as it was
        EXPECT_EQ(helico_stepsize, c.stepsize);
    }
}

TEST_F(Tables, RebuildingTwiceChangesNothing)
{
    helico_stepsize = 123.456;
    InitParambar();
    ParameterBar before[11];
    RGBBar light1before;
    std::memcpy(before, parameterbar, sizeof before);
    std::memcpy(&light1before, light1colorbar, sizeof light1before);
    InitParambar();
    EXPECT_EQ(std::memcmp(before, parameterbar, sizeof before), 0);
    EXPECT_EQ(std::memcmp(&light1before, light1colorbar, sizeof light1before), 0);
}

// A damaged file can hold NaN or huge values; building the tables must not
// turn them into undefined knob positions.
TEST_F(Tables, UnrepresentableValuesGiveDefinedKnobs)
{
    helico_stepsize = std::numeric_limits<double>::quiet_NaN();
    helico_r0 = 1e300;
    light1[6] = -std::numeric_limits<float>::infinity();
    InitParambar();
    EXPECT_EQ(parameterbar[4].knobx, 0);
    EXPECT_GT(parameterbar[0].knobx, 100000);
    EXPECT_LT(light1colorbar[0].redknobx, -100000);
}

}  // namespace
