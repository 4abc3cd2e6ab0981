// The shipped sample libraries in data/: every sample shell loads and its
// thumbnail reads as 200 x 200 with a shell on it; every sample texture loads
// into its own model and views; no two samples of a library are the same;
// samples built again from the table come out byte for byte as shipped; and
// the generator refuses a record it cannot build as written.
//
// The libraries are copied into a scratch folder first, so nothing here can
// write into the source tree.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/model.h"
#include "curve/curve.h"
#include "files/files.h"
#include "platform/gl.h"

namespace fs = std::filesystem;

namespace {

const std::string SOURCE = SEASHELL_SOURCE_DIR;
const std::string TABLE = SOURCE + "/tools/samplegen/samples.table";
const std::string GENERATOR = std::string(SEASHELL_BINARY_DIR) + "/tools/samplegen/seashell-samplegen";

std::string readall(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the generator with args (quoted); its exit status, -1 if it did not end.
int generate(const std::vector<std::string>& args)
{
    std::string cmd = quote(GENERATOR);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " >/dev/null 2>&1";
    int rc = std::system(cmd.c_str());
    return rc != -1 && WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

// Lit pixels of an image file, or -1 when its rows do not parse.
int litpixels(const std::string& bytes, int* width, int* height)
{
    size_t at = 0;
    auto get16 = [&](int* v) {
        if (at + 2 > bytes.size()) return false;
        *v = (short)(((unsigned char)bytes[at] << 8) | (unsigned char)bytes[at + 1]);
        at += 2;
        return true;
    };
    if (!get16(height) || !get16(width)) return -1;
    int lit = 0;
    for (int r = 0; r < *height; r++) {
        int start, length;
        if (!get16(&start)) return -1;
        if (start == *width) continue;
        if (!get16(&length) || start < 0 || length < 1 || start + length > *width || at + 3 * (size_t)length > bytes.size())
            return -1;
        for (int i = 0; i < length; i++)
            lit += bytes[at + i] || bytes[at + length + i] || bytes[at + 2 * length + i];
        at += 3 * (size_t)length;
    }
    return at == bytes.size() ? lit : -1;
}

class SampleLibraries : public ::testing::Test {
protected:
    fs::path olddir, dir;
    void SetUp() override
    {
        olddir = fs::current_path();
        std::string tmpl = (fs::temp_directory_path() / "seashell-samples-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        for (const auto& e : fs::directory_iterator(SOURCE + "/data")) fs::copy_file(e.path(), dir / e.path().filename());
        fs::current_path(dir);
    }
    void TearDown() override
    {
        fs::current_path(olddir);
        fs::remove_all(dir);
    }
};

TEST_F(SampleLibraries, EveryShellLoadsAndItsThumbnailShowsIt)
{
    std::set<std::string> thumbnails;
    for (int k = 0; k < 24; k++) {
        SCOPED_TRACE("sample" + std::to_string(k));
        char name[32];
        std::snprintf(name, sizeof name, "sample%d", k);
        ASSERT_EQ(loadshellparameter(name), 1);
        // An aperture of 4 to 10 nodes and a pattern model of its own.
        EXPECT_GE(ObjectPtr->count, 4);
        EXPECT_LE(ObjectPtr->count, 10);
        EXPECT_TRUE(texturetype == 49 || texturetype == 50 || texturetype == 51) << texturetype;

        std::snprintf(name, sizeof name, "sample%d", k);
        int win = readbitmap(name, 0, 0);
        EXPECT_GT(win, 0);
        EXPECT_EQ(bitmapwidth, 200);
        EXPECT_EQ(bitmapheight, 200);
        if (win > 0) gl::winclose(win);

        // The shell fills a fair part of its thumbnail, not a corner of it.
        std::string bytes = readall(std::string("sample") + std::to_string(k) + ".bp");
        int w = 0, h = 0;
        int lit = litpixels(bytes, &w, &h);
        EXPECT_GE(lit, 200 * 200 / 25);
        EXPECT_TRUE(thumbnails.insert(bytes).second) << "the same thumbnail as an earlier sample";
    }
}

TEST_F(SampleLibraries, EveryTextureLoadsIntoItsModelAndViews)
{
    const struct {
        const char* prefix;
        short kind;
    } libraries[] = {{"actsub", 50}, {"actinh", 51}, {"stripfor", 49}};
    for (const auto& lib : libraries) {
        std::set<std::string> pictures;
        for (int k = 0; k < 8; k++) {
            std::string base = lib.prefix + std::to_string(k);
            SCOPED_TRACE(base);
            char name[32];
            std::snprintf(name, sizeof name, "%s", base.c_str());
            texturetype = 52;
            ASSERT_EQ(loadtexture(name), 1);
            EXPECT_EQ(texturetype, lib.kind);

            std::snprintf(name, sizeof name, "%s", base.c_str());
            int win = viewtexture(name, 400, 0);
            EXPECT_GT(win, 0);
            if (win > 0) gl::winclose(win);

            // The picture is the last 200 x 200 x 3 bytes; it shows a pattern
            // (more than one colour) and differs from the others of its model.
            std::string bytes = readall(base + ".ttr");
            ASSERT_GE(bytes.size(), 120000u);
            std::string picture = bytes.substr(bytes.size() - 120000);
            std::set<std::string> colours;
            for (int i = 0; i < 200; i++)
                for (int j = 0; j < 200; j += 7)
                    colours.insert({picture[i * 600 + j], picture[i * 600 + 200 + j], picture[i * 600 + 400 + j]});
            EXPECT_GE(colours.size(), 8u);
            EXPECT_TRUE(pictures.insert(picture).second) << "the same picture as an earlier texture";
        }
    }
}

TEST_F(SampleLibraries, SamplesBuiltAgainAreTheShippedBytes)
{
    // A shell with cords, ribs and a 31-bit pattern; a texture of each other
    // generator's model.
    const std::vector<std::pair<std::string, std::vector<std::string>>> samples = {
        {"sample21", {".shl", ".bp"}}, {"actsub5", {".ttr"}}, {"stripfor1", {".ttr"}}};
    fs::create_directory(dir / "again");
    for (const auto& [name, extensions] : samples) {
        SCOPED_TRACE(name);
        ASSERT_EQ(generate({TABLE, name, (dir / "again").string()}), 0);
        for (const std::string& ext : extensions) {
            std::string shipped = readall(SOURCE + "/data/" + name + ext);
            ASSERT_FALSE(shipped.empty()) << ext;
            EXPECT_TRUE(readall((dir / "again" / (name + ext)).string()) == shipped) << ext << " differs";
        }
    }
}

TEST_F(SampleLibraries, GeneratorRefusesRecordsItCannotBuildAsWritten)
{
    const struct {
        const char* why;
        const char* record;
    } cases[] = {
        {"misspelt key", "sample0 x\n    nodes 0,0,0 1,1,0 2,0,0\n    helico_rat 1.2\n"},
        {"one node", "sample0 x\n    nodes 0,0,0\n"},
        {"colour above 1", "sample0 x\n    nodes 0,0,0 1,1,0\n    pattern 1.5 0 0\n"},
        {"node without z", "sample0 x\n    nodes 0,0 1,1,0\n"},
        {"no such texture", "sample0 x\n    nodes 0,0,0 1,1,0\n    texture actsub9\n"},
        {"nodes in a texture", "actsub0 x\n    nodes 0,0,0 1,1,0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::path run = dir / "refused";
        fs::remove_all(run);
        fs::create_directory(run);
        std::ofstream((dir / "bad.table").string()) << c.record;
        std::string name = std::string(c.record).substr(0, std::string(c.record).find(' '));
        EXPECT_EQ(generate({(dir / "bad.table").string(), name, run.string()}), 2);
        EXPECT_TRUE(fs::is_empty(run));
    }
}

}  // namespace
