// View and light drags in the shell and growth-axis windows, through the
// event loop: offsets while the button is held, committed at the release.
#include <gtest/gtest.h>

#include "support.h"

using namespace replaytest;

TEST(DragScenario, ViewAndLightDragsCommitAtTheRelease)
{
    std::string dir = scratchdir("drag");
    std::string script =
        // 100 pixels right in the shell window: the eye's x moves by -5
        "move 700 700\npress left\nmove 750 700\nmove 800 700\n"
        "dump held.json\n"
        "release left\n"
        "dump released.json\n"
        // 19 pixels move nothing
        "drag 700 700 719 681 1\n"
        "dump small.json\n"
        // the growth-axis window: x motion turns the eye's y, y motion its z
        "drag 200 600 300 560 4\n"
        "dump helico.json\n"
        // leaving the window ends the steps; what was reached is committed
        "drag 700 700 1100 700 10\n"
        "dump left.json\n"
        // light mode moves light 1 and leaves the eye alone
        "menu \"Light position\"\n"
        "drag 700 700 700 760 3\n"
        "dump light.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");

    const Value held = readjson(dir + "/held.json")["model"];
    EXPECT_EQ(held["sea_xlasteye"].num(), -5);
    EXPECT_EQ(held["sea_xeye"].num(), 3);

    const Value released = readjson(dir + "/released.json")["model"];
    EXPECT_EQ(released["sea_xeye"].num(), -2);
    EXPECT_EQ(released["sea_xlasteye"].num(), 0);

    const Value small = readjson(dir + "/small.json")["model"];
    EXPECT_EQ(small["sea_xeye"].num(), -2);
    EXPECT_EQ(small["sea_zeye"].num(), 10);

    const Value helico = readjson(dir + "/helico.json")["model"];
    EXPECT_EQ(helico["sea_xeye"].num(), -2);
    EXPECT_EQ(helico["sea_yeye"].num(), 1 - 5);
    EXPECT_EQ(helico["sea_zeye"].num(), 10 + 2);

    // steps at 740, 780, ..., 940 are inside (up to 971); 980 is outside:
    // 240 pixels were reached, -12 units
    const Value left = readjson(dir + "/left.json")["model"];
    EXPECT_EQ(left["sea_xeye"].num(), -2 - 12);
    EXPECT_EQ(left["track"].num(), 0);

    const Value light = readjson(dir + "/light.json")["model"];
    EXPECT_EQ(light["vmode"].num(), 15);
    EXPECT_EQ(light["light1"][3].num(), 10 - 3);
    EXPECT_EQ(light["light1"][1].num(), 10);
    EXPECT_EQ(light["sea_xeye"].num(), -14);
    EXPECT_EQ(light["sea_zeye"].num(), 12);
}
