// Drawing a shell with the mouse: five nodes clicked in the XY view, one of
// them dragged, a bar changed, the solid display switched on.
#include <gtest/gtest.h>

#include <cmath>

#include "support.h"

using namespace replaytest;

TEST(ShellScenario, NodesDragBarAndSolid)
{
    std::string dir = scratchdir("shell");
    std::string script =
        // XY view: origin (425, 0), model 0 at pixel 200, 20 pixels a unit
        "click left 585 170\n"   // (-2, -1.5)
        "click left 645 130\n"   // (1, -3.5)
        "click left 705 200\n"   // (4, 0)
        "click left 680 280\n"   // (2.75, 4)
        "click left 610 270\n"   // (-0.75, 3.5)
        "drag 705 200 745 220 4\n"  // the third node moves by (2, 1)
        // "Shape of helico-spiral": knob at x 25, y 400 in the window at (1315, 490)
        "drag 1340 890 1350 890 5\n"
        "move 700 700\n"
        "menu Option Solid\n"
        "screenshot solid.png\n"
        "dump solid.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");
    Value d = readjson(dir + "/solid.json");

    const double nodes[5][3] = {{-2, -1.5, 0}, {1, -3.5, 0}, {6, 1, 0}, {2.75, 4, 0}, {-0.75, 3.5, 0}};
    ASSERT_EQ(d["nodes"].size(), 5u);
    for (int i = 0; i < 5; i++)
        for (int c = 0; c < 3; c++) EXPECT_NEAR(d["nodes"][i][c].num(), nodes[i][c], 1e-12) << i;
    EXPECT_EQ(d["current_node"].num(), 2);

    // The curve starts on the first node and ends on the last, scaled by 0.6;
    // every normal has unit length.
    const Value& g = d["GenerateCurve"];
    int last = (int)d["CurveSegment"].num();
    ASSERT_EQ((int)g.size(), last + 1);
    EXPECT_NEAR(g[0][0].num(), -1.2, 1e-9);
    EXPECT_NEAR(g[0][1].num(), -0.9, 1e-9);
    EXPECT_NEAR(g[last][0].num(), -0.45, 1e-9);
    EXPECT_NEAR(g[last][1].num(), 2.1, 1e-9);
    for (int i = 0; i <= last; i++)
        EXPECT_NEAR(std::hypot(g[i][3].num(), g[i][4].num()), 1.0, 1e-12) << i;
    // With one sample per unit the samples number about the curve's length.
    double length = d["GenCurveTotalLength"].num();
    EXPECT_GT(length, 15.0);
    EXPECT_NEAR(last, length, 2.0);

    EXPECT_NEAR(d["model"]["helico_rate"].num(), 1.2, 1e-12);
    EXPECT_EQ(d["model"]["shellmode"].num(), 18);

    // The solid shell is lit red with white highlights: many pixels of the
    // shell window are clearly red, and none has more green or blue than red.
    Image shot;
    ASSERT_TRUE(readpng(dir + "/solid.png", shot));
    int red = 0, other = 0;
    for (int y = 486; y < 1035; y += 3)
        for (int x = 421; x < 970; x += 3) {
            unsigned char c[3];
            shot.at(x, y, c);
            if (c[0] > 60) red++;
            if (c[1] > c[0] || c[2] > c[0]) other++;
        }
    EXPECT_GT(red, 500);
    EXPECT_EQ(other, 0);
}
