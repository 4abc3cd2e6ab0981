// seashell-convert: a texture file's picture comes out the way the texture
// viewer shows it, whatever the size of the parameter block before it; damaged
// files are refused and leave nothing behind. (Image files are converted in
// the render tests, against the modeller's own.)
#include <gtest/gtest.h>

#include "toolsupport.h"

using namespace tooltest;

namespace {

std::string be16(int v)
{
    return std::string{(char)((v >> 8) & 0xFF), (char)(v & 0xFF)};
}

// A texture file: code, six colours and n parameters (all zero bytes), then
// the picture with stored row i (bottom first) red i, green the column,
// blue 255 - i.
std::string texturefile(int code, int n)
{
    std::string b = be16(code) + std::string(48 + 8 * n, '\0');
    for (int i = 0; i < 200; ++i) {
        b += std::string(200, (char)i);
        for (int j = 0; j < 200; ++j) b += (char)j;
        b += std::string(200, (char)(255 - i));
    }
    return b;
}

}  // namespace

TEST(ConvertTool, TexturePictureTopRowIsTheLastStored)
{
    const struct {
        int code, params;
    } kinds[] = {{49, 10}, {50, 12}, {51, 13}, {52, 0}};
    std::string dir = scratch("convert-texture");
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.code);
        writefile(dir + "/t.ttr", texturefile(k.code, k.params));
        Result r = runtool(dir, "convert", {"t.ttr", "t.png"});
        ASSERT_EQ(r.status, 0) << r.err;
        Picture p;
        ASSERT_TRUE(readpng(dir + "/t.png", p));
        ASSERT_EQ(p.width, 200);
        ASSERT_EQ(p.height, 200);
        const int at[][2] = {{0, 0}, {199, 0}, {5, 150}, {199, 199}};  // x, y from the top
        for (const auto& xy : at) {
            const unsigned char* px = &p.rgb[((std::size_t)xy[1] * 200 + xy[0]) * 3];
            EXPECT_EQ(px[0], 199 - xy[1]);
            EXPECT_EQ(px[1], xy[0]);
            EXPECT_EQ(px[2], 255 - (199 - xy[1]));
        }
    }
}

TEST(ConvertTool, DamagedFilesAreRefused)
{
    // A 2-row, 4-pixel image: a black row, then one lit pixel at column 2.
    std::string image = be16(2) + be16(4) + be16(4) + be16(2) + be16(1) + "\x0a\x14\x1e";
    std::string texture = texturefile(50, 12);
    const struct {
        const char* what;
        const char* name;
        std::string bytes;
        int status;
        const char* message;
    } cases[] = {
        {"image whole", "ok.bp", image, 0, ""},
        {"image cut in its last row", "cut.bp", image.substr(0, image.size() - 1), 1, "incomplete"},
        {"image without rows", "empty.bp", be16(2) + be16(4), 1, "incomplete"},
        {"span past the row's end", "wide.bp", be16(1) + be16(4) + be16(3) + be16(2) + "abcdef", 1, "damaged"},
        {"negative span start", "neg.bp", be16(1) + be16(4) + be16(-1) + be16(1) + "abc", 1, "damaged"},
        {"no height", "flat.bp", be16(0) + be16(4), 1, "no picture"},
        {"texture cut", "cut.ttr", texture.substr(0, texture.size() - 600), 1, "incomplete"},
        {"texture of another name", "t.tex", texture, 2, "neither"},
    };
    std::string dir = scratch("convert-damaged");
    writefile(dir + "/old.png", "old");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writefile(dir + "/" + c.name, c.bytes);
        std::set<std::string> before = listing(dir);
        Result r = runtool(dir, "convert", {c.name, "out.png"});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        if (c.status == 0) {
            Picture p;
            ASSERT_TRUE(readpng(dir + "/out.png", p));
            std::vector<unsigned char> expected(2 * 4 * 3, 0);
            expected[2 * 3] = 10, expected[2 * 3 + 1] = 20, expected[2 * 3 + 2] = 30;  // top row
            EXPECT_EQ(p.rgb, expected);
            std::remove((dir + "/out.png").c_str());
        } else {
            EXPECT_EQ(listing(dir), before);
        }
        std::remove((dir + "/" + c.name).c_str());
    }
    Result missing = runtool(dir, "convert", {"nothere.bp", "old.png"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Can not open file nothere.bp !"), std::string::npos);
    EXPECT_EQ(readfile(dir + "/old.png"), "old");
}
