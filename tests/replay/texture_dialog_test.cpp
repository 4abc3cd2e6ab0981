// A texture preview stopped midway by a script: the dialog waits for the
// release of the press on "Preview", so "polls N" counts the run's time
// steps from its first. With the default increment size 0.1 (10 steps per
// row, 500 steps of warm-up) a stop at the 2500th poll leaves rows 0..199 on
// lines 1..200 of the preview window.
#include <gtest/gtest.h>

#include "support.h"

using namespace replaytest;

namespace {

const Value* window(const Value& dump, const std::string& title)
{
    const Value& w = dump["windows"];
    for (std::size_t i = 0; i < w.size(); i++)
        if (w[i]["title"].text == title) return &w[i];
    return nullptr;
}

}  // namespace

TEST(TextureDialogScenario, ScriptStopsAPreviewMidway)
{
    std::string dir = scratchdir("texture_preview_stop");
    const char* script =
        "move 1100 1100\n"
        "menu Texture \"activator substrate\"\n"
        "click left 160 30\n"
        "polls 2500\n"
        "press left\n"
        "dump stopped.json\n"
        "screenshot stopped.png\n"
        "release left\n"
        "click left 50 30\n"
        "dump closed.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");

    Value stopped = readjson(dir + "/stopped.json");
    const Value* dialog = window(stopped, "Define texture");
    const Value* preview = window(stopped, "Texture Preview");
    ASSERT_TRUE(dialog && preview);
    EXPECT_EQ((*dialog)["x"].num(), 0);
    EXPECT_EQ((*dialog)["y"].num(), 0);
    EXPECT_EQ((*dialog)["height"].num(), 951);
    EXPECT_EQ((*preview)["x"].num(), 370);
    EXPECT_EQ((*preview)["y"].num(), 15);
    EXPECT_EQ((*preview)["width"].num(), 601);
    EXPECT_EQ((*preview)["height"].num(), 801);
    EXPECT_EQ(stopped["model"]["texturetype"].num(), 50);

    // Line L of the preview is screen y 15 + L; x 1..600 is screen 371..970.
    Image shot;
    ASSERT_TRUE(readpng(dir + "/stopped.png", shot));
    auto hasred = [&](int line) {
        for (int x = 371; x <= 970; x++)
            if ((shot.packed(x, 15 + line) >> 16) == 0xFF) return true;
        return false;
    };
    auto black = [&](int line) {
        for (int x = 371; x <= 970; x++)
            if (shot.packed(x, 15 + line) != 0) return false;
        return true;
    };
    EXPECT_TRUE(hasred(1));
    EXPECT_TRUE(hasred(200));
    EXPECT_TRUE(black(201));
    EXPECT_TRUE(black(800));

    Value closed = readjson(dir + "/closed.json");
    EXPECT_EQ(closed["windows"].size(), 6u);
    EXPECT_EQ(window(closed, "Define texture"), nullptr);
    EXPECT_EQ(window(closed, "Texture Preview"), nullptr);
}
