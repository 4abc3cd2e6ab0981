// Each "Define texture" dialog driven as a user would: a bar changed, the
// pattern colour changed, a preview stopped midway, then the texture saved,
// the model cleared, the texture loaded again and a small image traced.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support.h"

using namespace replaytest;

namespace {

struct Dialog {
    const char* menu;       // the Texture submenu entry
    int code;               // texturetype it sets
    int knobx, knoby;       // the knob of the bar to drag, in the dialog at (0, 0)
    const char* variable;   // the variable that bar edits
    double value;           // its value after a drag 20 pixels to the right
};

const Dialog dialogs[] = {
    {"activator substrate", 50, 45, 590, "t_k", 8.0 * 45 / 200},         // 1.0 -> 1.8
    {"activator inhibitor", 51, 26, 590, "i_k", 8.0 * 46 / 200 - 8.0 * 20 / 200},  // 0.25 -> 1.04
    {"strip formation", 49, 22, 590, "s_cprop", 22.0 / 200},            // 0.01 -> 0.11
};

}  // namespace

TEST(TextureScenario, EachDialogPreviewsSavesLoadsAndTraces)
{
    for (const Dialog& d : dialogs) {
        std::string dir = scratchdir(std::string("texture") + std::to_string(d.code));
        char drag[80];
        std::snprintf(drag, sizeof drag, "drag %d %d %d %d 4\n", d.knobx, d.knoby, d.knobx + 20, d.knoby);
        // six nodes, clockwise in the XY view
        const std::string nodes =
            "click left 660 300\nclick left 700 230\nclick left 680 160\n"
            "click left 620 150\nclick left 590 210\nclick left 610 280\n";
        std::string script = nodes +
            "move 1100 1100\n"
            "menu Texture \"" + std::string(d.menu) + "\"\n" + drag +
            "drag 20 115 120 115 4\n"       // pattern colour: green to 0.5
            "click left 160 30\n"            // Preview
            "polls 3000\npress left\n"
            "screenshot preview.png\n"
            "release left\n"
            "click left 50 30\n"             // OK
            "dump edited.json\n"
            "move 1100 1100\n"
            "menu Save \"shell texture\"\ntype tex\nkey enter\n"
            "menu \"Clear All\"\n"
            "dump cleared.json\n"
            "menu Load \"shell texture\"\ntype tex\nkey enter\n"
            "dump loaded.json\n" + nodes +   // "Clear All" took the curve too
            "move 1100 1100\n"
            "menu Raytracing 200x200\ntype img\nkey enter\n"
            "screenshot traced.png\n";
        ASSERT_EQ(runreplay(dir, script), 0) << d.menu << readfile(dir + "/replay.err");

        Value edited = readjson(dir + "/edited.json"), cleared = readjson(dir + "/cleared.json"),
              loaded = readjson(dir + "/loaded.json");
        EXPECT_EQ(edited["model"]["texturetype"].num(), d.code) << d.menu;
        EXPECT_NEAR(edited["model"][d.variable].num(), d.value, 1e-12) << d.menu;
        EXPECT_EQ(edited["model"]["pattern_g"].num(), 0.5) << d.menu;
        // the texture tail gives the shell the new pattern colour
        EXPECT_EQ(edited["model"]["material"][4].num(), 0.5) << d.menu;
        EXPECT_EQ(cleared["model"]["texturetype"].num(), 52);
        EXPECT_EQ(loaded["model"]["texturetype"].num(), d.code) << d.menu;
        EXPECT_NEAR(loaded["model"][d.variable].num(), d.value, 1e-12) << d.menu;
        EXPECT_EQ(loaded["model"]["pattern_g"].num(), 0.5) << d.menu;

        std::string ttr = readfile(dir + "/tex.ttr");
        EXPECT_TRUE(ttr.size() == 120146u || ttr.size() == 120154u || ttr.size() == 120130u)
            << ttr.size();
        EXPECT_EQ(readfile(dir + "/img.bp").substr(0, 4), std::string("\x00\xC8\x00\xC8", 4));

        // The stopped preview: lines near the bottom are drawn, the top ones
        // still black.
        Image preview;
        ASSERT_TRUE(readpng(dir + "/preview.png", preview));
        int drawn = 0, black = 0;
        for (int x = 371; x <= 970; x++) {
            for (int y = 16; y < 40; y++) drawn += preview.packed(x, y) != 0;
            black += preview.packed(x, 800) == 0;
        }
        EXPECT_GT(drawn, 200) << d.menu;
        EXPECT_EQ(black, 600) << d.menu;
        // After the colour drag swapped the buffers again, the first bar still
        // shows its knob where the drag left it.
        EXPECT_EQ(preview.packed(d.knobx + 20, d.knoby), 0x505050u) << d.menu;
        EXPECT_NE(preview.packed(d.knobx, d.knoby), 0x505050u) << d.menu;
    }
}
