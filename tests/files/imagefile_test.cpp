// The image file: row records byte for byte, the pair of files a traced
// image leaves, and what the reader draws or refuses.
#include "files_fixture.h"

#include "platform/gl.h"

namespace {

using ImageFile = FilesTest;

struct Row {
    std::vector<unsigned char> r, g, b;
    explicit Row(int w) : r(w), g(w), b(w) {}
};

// Writes rows as an image of width w named name (".bp" is added).
int writeimage(const char* base, int w, const std::vector<Row>& rows)
{
    char name[32];
    std::strcpy(name, base);
    if (!initsaveRGB(w, (int)rows.size(), name)) return 0;
    int ok = 1;
    for (const Row& row : rows) ok &= saveRGB(row.r.data(), row.g.data(), row.b.data());
    closesaveRGB();
    return ok;
}

TEST_F(ImageFile, BlackImageIsHeaderAndTwoBytesPerRowBesideItsShellFile)
{
    std::vector<Row> rows(200, Row(200));
    ASSERT_EQ(writeimage("x", 200, rows), 1);
    EXPECT_EQ(listing(), (std::vector<std::string>{"x.bp", "x.shl"}));
    Bytes b = readbytes("x.bp");
    ASSERT_EQ(b.size(), 404u);
    for (std::size_t k = 0; k < b.size(); k += 2) {
        ASSERT_EQ(b[k], 0x00) << k;
        ASSERT_EQ(b[k + 1], 0xC8) << k;
    }
    EXPECT_EQ(readbytes("x.shl").size(), 568u);
}

TEST_F(ImageFile, RowKeepsTheSpanFromFirstToLastLitPixel)
{
    struct Lit { int column; unsigned char r, g, b; };
    struct Case { const char* what; int width; std::vector<Lit> lit; Bytes record; };
    Bytes span = {0x01, 0x2C, 0x00, 0x32};  // start 300, length 50
    for (int c = 0; c < 50; ++c) span.push_back((unsigned char)(c + 1));
    span.insert(span.end(), 50, 0);
    span.insert(span.end(), 50, 9);
    std::vector<Lit> spanlit;
    for (int c = 300; c < 350; ++c) spanlit.push_back({c, (unsigned char)(c - 299), 0, 9});

    std::vector<Case> cases = {
        {"one pixel", 10, {{5, 9, 8, 7}}, {0x00, 0x05, 0x00, 0x01, 9, 8, 7}},
        {"blue alone lights a pixel", 4, {{2, 0, 0, 3}}, {0x00, 0x02, 0x00, 0x01, 0, 0, 3}},
        {"span of a wide row", 400, spanlit, span},
        {"both ends lit, black middle", 4, {{0, 1, 0, 0}, {3, 0, 2, 0}},
         {0x00, 0x00, 0x00, 0x04, 1, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0}},
        {"black row", 300, {}, {0x01, 0x2C}},
    };
    for (const Case& c : cases) {
        Row row(c.width);
        for (const Lit& l : c.lit) {
            row.r[l.column] = l.r;
            row.g[l.column] = l.g;
            row.b[l.column] = l.b;
        }
        ASSERT_EQ(writeimage("row", c.width, {row}), 1) << c.what;
        Bytes b = readbytes("row.bp");
        ASSERT_GE(b.size(), 4u) << c.what;
        EXPECT_EQ(Bytes(b.begin() + 4, b.end()), c.record) << c.what;
    }
}

// Three rows of a 400-wide image: black, the span 300..349, and a row lit at
// both ends. The reader puts the first row at the bottom, from pixel (1, 1).
std::vector<Row> sample()
{
    std::vector<Row> rows(3, Row(400));
    for (int c = 300; c < 350; ++c) rows[1].r[c] = (unsigned char)(c - 299);
    rows[1].g[310] = 200;
    rows[2].b[0] = 50;
    rows[2].b[399] = 60;
    return rows;
}

TEST_F(ImageFile, ReaderDrawsEachRowIntoItsColumns)
{
    ASSERT_EQ(writeimage("img", 400, sample()), 1);
    char name[32] = "img";
    int win = readbitmap(name, 100, 200);
    ASSERT_GT(win, 0);
    EXPECT_STREQ(name, "img.bp");
    EXPECT_EQ(bitmapwidth, 400);
    EXPECT_EQ(bitmapheight, 3);
    Screen s;
    gl::winclose(win);

    const Pixel black{0, 0, 0};
    // Row 1 of the image is window row 2, column c is window column c + 1.
    EXPECT_EQ(s.at(100 + 300, 202), black);
    EXPECT_EQ(s.at(100 + 301, 202), (Pixel{1, 0, 0}));
    EXPECT_EQ(s.at(100 + 311, 202), (Pixel{11, 200, 0}));
    EXPECT_EQ(s.at(100 + 350, 202), (Pixel{50, 0, 0}));
    EXPECT_EQ(s.at(100 + 351, 202), black);
    EXPECT_EQ(s.at(100 + 301, 201), black);
    EXPECT_EQ(s.at(100 + 1, 203), (Pixel{0, 0, 50}));
    EXPECT_EQ(s.at(100 + 200, 203), black);
    EXPECT_EQ(s.at(100 + 400, 203), (Pixel{0, 0, 60}));
}

// A file that ends inside its last row: the result is 0, and the window the
// caller will never own is closed again (no stray thumbnail).
TEST_F(ImageFile, ReaderStopsAtAShortRowAndReturnsZero)
{
    ASSERT_EQ(writeimage("cut", 400, sample()), 1);
    Bytes b = readbytes("cut.bp");
    b.resize(b.size() - 3);
    writebytes("cut.bp", b);

    char name[32] = "cut";
    EXPECT_EQ(readbitmap(name, 100, 200), 0);
    EXPECT_EQ(gl::screen_windowat(300, 201), 0);
}

// Zero, negative or larger than the screen: refused before any window.
TEST_F(ImageFile, ReaderRefusesImpossibleSizes)
{
    struct Case { int height, width; } cases[] = {
        {0, 10}, {10, 0}, {-1, 10}, {10, -200},
        {gl::screen_height() + 1, 10}, {10, gl::screen_width() + 1},
    };
    for (const Case& c : cases) {
        ByteBuffer b;
        put16(b, c.height);
        put16(b, c.width);
        for (int k = 0; k < 10; ++k) put16(b, c.width);  // black rows, if it were read
        writebytes("bad.bp", Bytes(b.begin(), b.end()));
        char name[32] = "bad";
        EXPECT_EQ(readbitmap(name, 0, 0), 0) << c.height << " x " << c.width;
        EXPECT_EQ(gl::screen_windowat(0, 0), 0) << c.height << " x " << c.width;
    }
}

}  // namespace
