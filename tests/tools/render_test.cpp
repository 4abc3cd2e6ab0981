// seashell-render against the modeller: the same shell traced by the
// "Raytracing" command (through the replay tool) and by the tool gives the
// same image file byte for byte, and the PNG holds its pixels top row first;
// seashell-convert turns the modeller's image file into the same PNG. Then
// the ways a run is refused, each leaving the folder as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "toolsupport.h"

using namespace tooltest;

namespace {

// The pixels of an image file, top row first (the file stores the bottom
// row first, each row as its lit span).
bool decodebp(const std::string& b, Picture& p)
{
    auto get = [&](std::size_t at) { return (int)(short)((unsigned char)b[at] << 8 | (unsigned char)b[at + 1]); };
    if (b.size() < 4) return false;
    p.height = get(0);
    p.width = get(2);
    p.rgb.assign((std::size_t)p.width * p.height * 3, 0);
    std::size_t at = 4;
    for (int r = 0; r < p.height; ++r) {
        if (at + 2 > b.size()) return false;
        int start = get(at);
        at += 2;
        if (start == p.width) continue;
        int length = get(at);
        at += 2;
        if (at + 3 * (std::size_t)length > b.size()) return false;
        unsigned char* row = &p.rgb[(std::size_t)(p.height - 1 - r) * p.width * 3];
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < length; ++i) row[3 * (start + i) + k] = (unsigned char)b[at++];
    }
    return at == b.size();
}

}  // namespace

TEST(RenderTool, ImageFileMatchesTheModellersByteForByte)
{
    std::string dir = scratch("render-match");
    ShellSpec spec;
    spec.texturetype = 50;  // activator-substrate: the texture is computed
    spec.background[2] = 0.3;
    makeshell(dir, "shell", spec);

    writefile(dir + "/trace.replay",
              "move 1100 1100\n"
              "menu Load \"shell parameters\"\n"
              "type shell\nkey enter\n"
              "menu Raytracing 200x200\n"
              "type modeller\nkey enter\n");
    Result traced = runtool(dir, "replay", {"trace.replay"});
    ASSERT_EQ(traced.status, 0) << traced.err;
    std::string expected = readfile(dir + "/modeller.bp");
    ASSERT_GT(expected.size(), 4u + 200 * 2);  // not a black picture

    Result r = runtool(dir, "render", {"shell.shl", "200", "tool.png", "--bp", "tool.bp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(readfile(dir + "/tool.bp") == expected) << "the image files differ";
    EXPECT_FALSE(exists(dir + "/tool.shl"));

    Picture bp, png, converted;
    ASSERT_TRUE(decodebp(expected, bp));
    ASSERT_TRUE(readpng(dir + "/tool.png", png));
    EXPECT_EQ(png.width, 200);
    EXPECT_EQ(png.height, 200);
    EXPECT_TRUE(png.rgb == bp.rgb) << "the PNG does not hold the image's pixels top row first";

    Result c = runtool(dir, "convert", {"modeller.bp", "converted.png"});
    ASSERT_EQ(c.status, 0) << c.err;
    ASSERT_TRUE(readpng(dir + "/converted.png", converted));
    EXPECT_TRUE(converted.rgb == bp.rgb);
}

namespace {

struct Refusal {
    const char* what;
    std::vector<std::string> args;
    int status;
    const char* message;  // part of standard error
};

}  // namespace

// Every refused run names the fault, exits non-zero and leaves the folder as
// it was: no output, no temporary file, an older output untouched.
TEST(RenderTool, RefusedRunsLeaveNothingBehind)
{
    const Refusal cases[] = {
        {"missing shell", {"nothere.shl", "200", "out.png"}, 1, "Can not open file nothere.shl !"},
        {"cut shell", {"cut.shl", "200", "out.png"}, 1, "Incomplete: cut.shl !"},
        {"failed run keeps the old file", {"nothere", "200", "old.png"}, 1, "Can not open file nothere.shl !"},
        {"no surface", {"one.shl", "200", "out.png"}, 1, "no surface"},
        {"size below 16", {"shell.shl", "15", "out.png"}, 2, "SIZE"},
        {"size above 2000", {"shell.shl", "2001", "out.png"}, 2, "SIZE"},
        {"size not a whole number", {"shell.shl", "2e2", "out.png"}, 2, "SIZE"},
        {"no such folder", {"shell.shl", "200", "no/out.png"}, 1, "can not write no/out.png"},
        {"image file in no folder", {"shell.shl", "200", "out.png", "--bp", "no/out.bp"}, 1, "can not write no/out.bp"},
        {"one file for two outputs", {"shell.shl", "200", "out.png", "--bp", "out.png"}, 1, "named for two outputs"},
        {"too few arguments", {"shell.shl", "200"}, 2, "--help"},
        {"unknown option", {"--fast", "shell.shl", "200", "out.png"}, 2, "unknown option --fast"},
    };
    std::string dir = scratch("render-refused");
    makeshell(dir, "shell", ShellSpec());
    ShellSpec one;
    one.nodes = 1;
    makeshell(dir, "one", one);
    writefile(dir + "/cut.shl", readfile(dir + "/shell.shl").substr(0, 600));
    writefile(dir + "/old.png", "old");
    std::set<std::string> before = listing(dir);
    std::string shell = readfile(dir + "/shell.shl");

    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        Result r = runtool(dir, "render", c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(listing(dir), before);
        EXPECT_EQ(readfile(dir + "/old.png"), "old");
        EXPECT_EQ(readfile(dir + "/shell.shl"), shell);
    }

    Result help = runtool(dir, "render", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: seashell-render"), std::string::npos);
}

// Memory running out inside the modeller's code ends the process through
// its exit path, with status 0 there: the tool still fails and removes what
// it had begun. The texture map of a shell of many turns needs far more than
// the limit; the surface is small.
TEST(RenderTool, MemoryRunningOutIsAFailure)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
#else
    std::string dir = scratch("render-memory");
    ShellSpec spec;
    makeshell(dir, "shell", spec);
    // Growth: 1500 turns of one step each at a constant size; texture rows:
    // 300 a turn, about 80 million cells.
    std::string shl = readfile(dir + "/shell.shl");
    auto putdouble = [&](std::size_t at, double v) {
        unsigned long long u;
        std::memcpy(&u, &v, 8);
        for (int k = 0; k < 8; ++k) shl[at + k] = (char)(u >> (56 - 8 * k));
    };
    putdouble(6 + 8 * 2, 1.0);                       // growth rate
    putdouble(6 + 8 * 3, 1500 * 6.283185307179586);  // end angle
    putdouble(6 + 8 * 4, 1.0);                       // growth steps a turn
    writefile(dir + "/big.shl", shl);
    std::set<std::string> before = listing(dir);

    Result r = runtool(dir, "render", {"big.shl", "100", "out.png", "--bp", "out.bp"}, 400 * 1024);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("out of memory"), std::string::npos) << r.err;
    EXPECT_EQ(listing(dir), before);
#endif
}
