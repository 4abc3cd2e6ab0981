// The sample library: thumbnails that are missing leave gaps, a left click
// loads the sample under the pointer, a right click or a click off the grid
// loads nothing; the thumbnails close afterwards.
#include <gtest/gtest.h>

#include "support.h"

using namespace replaytest;

TEST(LibraryScenario, ClickLoadsTheSampleUnderThePointer)
{
    std::string dir = scratchdir("library");
    std::string script =
        "click left 660 300\nclick left 700 230\nclick left 680 160\nclick left 620 150\n"
        "move 1100 1100\n"
        "menu Save \"shell parameters\"\ntype sample9\nkey enter\n"
        "menu \"Clear All\"\n"
        // a right click picks nothing
        "menu Library\nclick right 700 300\n"
        "dump right.json\n"
        // off the grid (x 1290 and beyond) picks nothing either
        "move 1100 1100\nmenu Library\nclick left 1300 100\n"
        "dump off.json\n"
        // (700, 300) is column 3, row 1: sample 9
        "move 1100 1100\nmenu Library\nclick left 700 300\n"
        "dump loaded.json\n"
        // a sample with no files: the loader reports it, nothing changes
        "move 1100 1100\nmenu Library\nclick left 10 10\n"
        "dump missing.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");

    auto shelltitle = [](const Value& d) { return d["windows"][0]["title"].text; };
    for (const char* f : {"right.json", "off.json"}) {
        Value d = readjson(dir + "/" + f);
        EXPECT_EQ(d["nodes"].size(), 0u) << f;
        EXPECT_EQ(d["windows"].size(), 6u) << f;
        EXPECT_EQ(shelltitle(d), "Modelling seashell") << f;
    }
    Value loaded = readjson(dir + "/loaded.json");
    EXPECT_EQ(loaded["nodes"].size(), 4u);
    EXPECT_EQ(loaded["windows"].size(), 6u);
    EXPECT_EQ(shelltitle(loaded), "sample9.shl");
    Value missing = readjson(dir + "/missing.json");
    EXPECT_EQ(missing["nodes"].size(), 4u);
    EXPECT_EQ(missing["windows"].size(), 6u);
    EXPECT_EQ(shelltitle(missing), "sample9.shl");
}
