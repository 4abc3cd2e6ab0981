// The texture file: sizes and layout per model, the picture bytes, loading
// into the model, and the viewer's window.
#include "files_fixture.h"

#include "texture/texture.h"

namespace {

using TextureFile = FilesTest;

double doubleat(const Bytes& b, std::size_t offset) { return getdouble(b.data() + offset); }

TEST(TextureByte, TruncatesBetweenBackgroundAndPatternWithinTheByte)
{
    struct Case { double background, pattern, t; int expected; } cases[] = {
        {0.0, 1.0, 0.5, 127},   // 127.5, fraction dropped
        {0.0, 1.0, 0.0, 0},     {0.0, 1.0, 1.0, 255},
        {0.0, 0.0, 0.5, 0},     // default green and blue
        {0.2, 1.0, 0.0, 51},    {1.0, 0.0, 0.25, 191},
        // Colours from a file outside 0..1 and a NaN intensity stay in the byte.
        {0.0, 2.0, 1.0, 255},   {0.0, -1.0, 1.0, 0},   {0.0, 1.0, std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texturebyte(c.background, c.pattern, c.t), c.expected)
            << c.background << " " << c.pattern << " " << c.t;
}

TEST_F(TextureFile, SizeAndParameterBlockFollowTheModel)
{
    struct Case { short code; std::size_t size; double* first; double* last; } cases[] = {
        {50, 120146, &t_actdiffrate, &t_delta},
        {51, 120154, &i_actdiffrate, &i_delta},
        {49, 120130, &s_gdiffrate, &s_delta},
    };
    pattern_r = 1.0; pattern_g = 0.5; pattern_b = 0.25;
    background_r = 0.0; background_g = 0.125; background_b = 0.375;
    for (const Case& c : cases) {
        texturetype = c.code;
        *c.first = 0.03125;
        *c.last = 0.5;
        char name[32] = "tex";
        ASSERT_EQ(savetexture(name), 1) << c.code;
        EXPECT_STREQ(name, "tex.ttr");
        Bytes b = readbytes("tex.ttr");
        ASSERT_EQ(b.size(), c.size) << c.code;
        EXPECT_EQ(get16(b.data()), c.code);
        const double colours[6] = {1.0, 0.25, 0.5, 0.0, 0.375, 0.125};  // red, blue, green
        for (int k = 0; k < 6; ++k) EXPECT_EQ(doubleat(b, 2 + 8 * k), colours[k]) << c.code;
        EXPECT_EQ(doubleat(b, 50), 0.03125) << c.code;
        EXPECT_EQ(doubleat(b, c.size - 120000 - 8), 0.5) << c.code;
        // Saving leaves the colours as they were.
        EXPECT_EQ(background_g, 0.125);
    }
    EXPECT_EQ(listing(), std::vector<std::string>{"tex.ttr"});
}

// A code without a model gives a map of all 1.0: every pixel is the pattern
// colour, and the rows show how the channels are laid out.
TEST_F(TextureFile, PictureRowsHoldRedThenGreenThenBlue)
{
    texturetype = 53;
    pattern_r = 1.0; pattern_g = 0.5; pattern_b = 0.25;
    char name[32] = "flat";
    ASSERT_EQ(savetexture(name), 1);
    Bytes b = readbytes("flat.ttr");
    ASSERT_EQ(b.size(), 50u + 120000);
    for (int i = 0; i < 200; ++i)
        for (int j = 0; j < 200; ++j) {
            const unsigned char* row = b.data() + 50 + 600 * i;
            ASSERT_EQ(row[j], 255);
            ASSERT_EQ(row[200 + j], 127);
            ASSERT_EQ(row[400 + j], 63);
        }
}

TEST_F(TextureFile, UniformColourIsNotSaved)
{
    texturetype = 52;
    char name[32] = "none";
    EXPECT_EQ(savetexture(name), 0);
    EXPECT_TRUE(listing().empty());
}

// Loading from any dialog switches the model to the file's; the other
// models' parameters stay, and the bars follow.
TEST_F(TextureFile, LoadingAStripeFileSelectsTheStripeModel)
{
    ByteBuffer b;
    put16(b, 49);
    const double colours[6] = {0.5, 0.25, 0.75, 0.125, 0.0, 1.0};  // r, b, g of each
    for (double c : colours) putdouble(b, c);
    for (int k = 0; k < 10; ++k) putdouble(b, 0.01 * (k + 1));  // s_delta last: 0.1
    writebytes("stripe.ttr", Bytes(b.begin(), b.end()));

    texturetype = 50;
    t_actdiffrate = 0.07;
    char name[32] = "stripe";
    ASSERT_EQ(loadtexture(name), 1);
    EXPECT_EQ(texturetype, 49);
    EXPECT_EQ(pattern_r, 0.5);
    EXPECT_EQ(pattern_g, 0.75);
    EXPECT_EQ(pattern_b, 0.25);
    EXPECT_EQ(background_r, 0.125);
    EXPECT_EQ(background_g, 1.0);
    EXPECT_EQ(background_b, 0.0);
    EXPECT_EQ(material[3], 0.5f);
    EXPECT_EQ(material[4], 0.75f);
    EXPECT_EQ(material[5], 0.25f);
    EXPECT_EQ(s_gdiffrate, 0.01);
    EXPECT_EQ(s_sdecayrate, 0.01 * 4);
    EXPECT_EQ(s_rdecayrate, 0.01 * 5);
    EXPECT_EQ(s_delta, 0.01 * 10);
    EXPECT_EQ(t_actdiffrate, 0.07);
    EXPECT_EQ(texturebar3[0].knobx, 24);  // 200 x 0.01 / 0.5 + 20
}

// The viewer draws the first stored row at the bottom, from window pixel
// (1, 1); a short file leaves the rest black.
TEST_F(TextureFile, ViewerShowsThePictureAndBlackBeyondAShortFile)
{
    ByteBuffer b;
    put16(b, 50);
    for (int k = 0; k < 6 + 12; ++k) putdouble(b, 0.0);
    for (int i = 0; i < 200; ++i) {
        for (int j = 0; j < 200; ++j) b.push_back((unsigned char)(i + 1));
        for (int j = 0; j < 200; ++j) b.push_back((unsigned char)j);
        for (int j = 0; j < 200; ++j) b.push_back(7);
    }
    writebytes("full.ttr", Bytes(b.begin(), b.end()));
    // The same with 10 rows and part of an 11th.
    writebytes("short.ttr", Bytes(b.begin(), b.begin() + 146 + 600 * 10 + 300));

    char name[32] = "full";
    int full = viewtexture(name, 100, 100);
    ASSERT_GT(full, 0);
    std::strcpy(name, "short");
    int part = viewtexture(name, 400, 100);
    ASSERT_GT(part, 0);
    Screen s;
    gl::winclose(full);
    gl::winclose(part);

    const Pixel black{0, 0, 0};
    EXPECT_EQ(s.at(100, 100), black);  // column 0 and row 0 stay black
    EXPECT_EQ(s.at(101, 100), black);
    EXPECT_EQ(s.at(101, 101), (Pixel{1, 0, 7}));
    EXPECT_EQ(s.at(101 + 150, 101), (Pixel{1, 150, 7}));
    EXPECT_EQ(s.at(101 + 199, 101 + 199), (Pixel{200, 199, 7}));
    EXPECT_EQ(s.at(401 + 20, 101 + 9), (Pixel{10, 20, 7}));
    EXPECT_EQ(s.at(401 + 20, 101 + 10), black);
    EXPECT_EQ(s.at(401 + 20, 101 + 150), black);
}

}  // namespace
