#include <gtest/gtest.h>

#include "app/model.h"

TEST(Model, StartupDefaultsGiveSixtySevenGrowthSteps)
{
    double delta = 6.283185307179586 / helico_stepsize;
    int steps = 0;
    for (double theta = delta; theta < helico_endangle; theta += delta) ++steps;
    EXPECT_EQ(steps, 67);
}
