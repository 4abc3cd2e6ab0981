// The whole program driven through replay scripts: start-up windows, menus
// and the ways out.
#include <gtest/gtest.h>

#include "support.h"

using namespace replaytest;

TEST(Startup, SixWindowsWithTitlesAtTheirPlaces)
{
    std::string dir = scratchdir("startup");
    ASSERT_EQ(runreplay(dir, "dump start.json\nscreenshot start.png\n"), 0) << readfile(dir + "/replay.err");
    Value d = readjson(dir + "/start.json");
    const Value& w = d["windows"];
    ASSERT_EQ(w.size(), 6u);
    struct Expect { const char* title; int x, y, width, height; } expected[] = {
        {"Modelling seashell", 420, 485, 551, 551},
        {"Generating curve - YZ view", 0, 0, 401, 401},
        {"Generating curve - XY view", 425, 0, 401, 401},
        {"Generating curve - XZ view", 842, 0, 401, 401},
        {"Growth axis", 0, 445, 401, 401},
        {"Adjust parameter", 1315, 490, 285, 546},
    };
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(w[i]["title"].text, expected[i].title);
        EXPECT_EQ(w[i]["x"].num(), expected[i].x) << expected[i].title;
        EXPECT_EQ(w[i]["y"].num(), expected[i].y) << expected[i].title;
        EXPECT_EQ(w[i]["width"].num(), expected[i].width) << expected[i].title;
        EXPECT_EQ(w[i]["height"].num(), expected[i].height) << expected[i].title;
    }
    const Value& m = d["model"];
    EXPECT_EQ(m["helico_endangle"].num(), 26.4);
    EXPECT_EQ(m["shellmode"].num(), 17);
    EXPECT_EQ(d["nodes"].size(), 0u);

    Image shot;
    ASSERT_TRUE(readpng(dir + "/start.png", shot));
    EXPECT_EQ(shot.width, 1600);
    EXPECT_EQ(shot.height, 1200);
    // With no curve the shell window is black and the growth-axis window
    // dark blue (away from its spiral and axes).
    EXPECT_EQ(shot.packed(430, 1020), 0x000000u);
    EXPECT_EQ(shot.packed(10, 835), 0x000040u);
}

TEST(Startup, EveryWayOutEndsWithStatusZero)
{
    const char* scripts[] = {
        "key escape\n",
        "quit\n",
        "move 1100 1100\nmenu Quit\n",
        "",  // the script ends: the tool sends the window manager's quit
    };
    for (const char* s : scripts) {
        std::string dir = scratchdir("exit");
        EXPECT_EQ(runreplay(dir, s), 0) << s << readfile(dir + "/replay.err");
    }
}

TEST(Startup, MiddleButtonAndMenusWithoutChoiceChangeNothing)
{
    std::string dir = scratchdir("nochoice");
    std::string script =
        "dump before.json\n"
        "click middle 700 700\n"
        "move 700 700\npress right\nrelease right\nclick left 1500 100\n"
        "move 600 200\npress right\nrelease right\nclick left 1500 100\n"
        "dump after.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");
    Value a = readjson(dir + "/before.json"), b = readjson(dir + "/after.json");
    EXPECT_EQ(a["model"]["vmode"].num(), b["model"]["vmode"].num());
    EXPECT_EQ(b["nodes"].size(), 0u);
    EXPECT_EQ(b["windows"].size(), 6u);
}
