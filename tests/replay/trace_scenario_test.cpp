// A shell saved, cleared, loaded again, ray traced at 200 x 200 and its
// image shown with "shell bitmap".
#include <gtest/gtest.h>

#include "support.h"

using namespace replaytest;

TEST(TraceScenario, SaveLoadTraceAndView)
{
    std::string dir = scratchdir("trace");
    std::string script =
        "click left 625 150\n"   // XY view: a closed outline of six nodes
        "click left 685 175\n"
        "click left 700 240\n"
        "click left 655 290\n"
        "click left 600 260\n"
        "click left 590 200\n"
        "move 1100 1100\n"
        "menu Option Solid\n"
        "menu Save \"shell parameters\"\n"
        "type myshell\nkey enter\n"
        "dump saved.json\n"
        "menu \"Clear All\"\n"
        "dump cleared.json\n"
        "menu Load \"shell parameters\"\n"
        "type myshell\nkey enter\n"
        "dump loaded.json\n"
        "menu Raytracing 200x200\n"
        "type pic\nkey enter\n"
        "screenshot traced.png\n"
        "move 1100 1100\n"
        "menu Load \"shell bitmap\"\n"
        "type pic\nkey enter\n"
        "screenshot viewed.png\n"
        "dump viewed.json\n";
    ASSERT_EQ(runreplay(dir, script), 0) << readfile(dir + "/replay.err");

    Value saved = readjson(dir + "/saved.json"), cleared = readjson(dir + "/cleared.json"),
          loaded = readjson(dir + "/loaded.json");
    EXPECT_EQ(saved["nodes"].size(), 6u);
    EXPECT_EQ(cleared["nodes"].size(), 0u);
    ASSERT_EQ(loaded["nodes"].size(), 6u);
    for (int i = 0; i < 6; i++)
        for (int c = 0; c < 3; c++)
            EXPECT_EQ(loaded["nodes"][i][c].num(), saved["nodes"][i][c].num());

    // The shell file is 568 bytes plus 24 a node; the image file written
    // with it holds the same model.
    std::string shl = readfile(dir + "/myshell.shl");
    EXPECT_EQ(shl.size(), 568u + 24 * 6);
    EXPECT_EQ(readfile(dir + "/pic.shl"), shl);
    std::string bp = readfile(dir + "/pic.bp");
    ASSERT_GE(bp.size(), 4u + 200 * 4);
    EXPECT_EQ((unsigned char)bp[0] * 256 + (unsigned char)bp[1], 200);
    EXPECT_EQ((unsigned char)bp[2] * 256 + (unsigned char)bp[3], 200);

    // The window titles: the shell window carries the loaded file's name,
    // the trace window the image's, the viewer the image file's.
    bool shelltitle = false, tracewindow = false, viewer = false;
    const Value viewed = readjson(dir + "/viewed.json");
    const Value& w = viewed["windows"];
    for (std::size_t i = 0; i < w.size(); i++) {
        shelltitle |= w[i]["title"].text == "myshell.shl";
        tracewindow |= w[i]["title"].text == "pic.bp" && w[i]["width"].num() == 200;
        viewer |= w[i]["title"].text == "pic.bp" && w[i]["width"].num() == 201;
    }
    EXPECT_TRUE(shelltitle);
    EXPECT_TRUE(tracewindow);
    EXPECT_TRUE(viewer);

    // The traced image shows the red shell on black.
    Image traced;
    ASSERT_TRUE(readpng(dir + "/traced.png", traced));
    int red = 0;
    for (int y = 0; y < 200; y += 2)
        for (int x = 0; x < 200; x += 2) {
            unsigned char c[3];
            traced.at(x, y, c);
            if (c[0] > 40 && c[0] > c[1]) red++;
        }
    EXPECT_GT(red, 200);
}
