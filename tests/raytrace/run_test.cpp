// A whole "Raytracing" command on the headless screen: the prompt, the image
// window and its progress titles, the image file against the traced pixels,
// and the ways a run ends early (Escape, no camera, a file that fills up).
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/model.h"
#include "curve/curve.h"
#include "platform/backend.h"
#include "platform/screen.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace {

// Raw key events handed out one per wait; window titles recorded as the
// screen changes (the newest window's title, whenever it differs).
std::vector<std::pair<gl::Device, int>> keys;
size_t nextkey;
int overrun;
std::vector<std::string> titles;

void wait()
{
    if (nextkey < keys.size()) {
        gl::rawkey(keys[nextkey].first, keys[nextkey].second);
        nextkey++;
        return;
    }
    // Out of script: Escape ends the prompt.
    if (overrun++ == 0)
        ADD_FAILURE() << "the prompt waits for more keys";
    if (overrun > 20)
        std::abort();
    gl::rawkey(gl::ESCKEY, overrun % 2);
}

void changed(bool)
{
    gl::WindowInfo w[64];
    int n = gl::screen_windows(w, 64);
    if (n > 0 && (titles.empty() || titles.back() != w[n - 1].title))
        titles.push_back(w[n - 1].title);
}

void nothing() {}
void pause(int) {}
const gl::Backend backend = {wait, nothing, changed, pause};

std::string readall(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

struct Pixels {
    int N;
    std::vector<std::vector<unsigned char>> rows;  // red, green, blue of each row
};

void keeprow(int, const unsigned char* red, const unsigned char* green, const unsigned char* blue, void* user)
{
    Pixels* p = (Pixels*)user;
    std::vector<unsigned char> row(red, red + p->N);
    row.insert(row.end(), green, green + p->N);
    row.insert(row.end(), blue, blue + p->N);
    p->rows.push_back(row);
}

// Rows of an image file, expanded to full width; false when malformed.
bool readimage(const std::string& bytes, Pixels* p)
{
    size_t at = 0;
    auto get16 = [&](int* v) {
        if (at + 2 > bytes.size())
            return false;
        *v = (short)(((unsigned char)bytes[at] << 8) | (unsigned char)bytes[at + 1]);
        at += 2;
        return true;
    };
    int H, W;
    if (!get16(&H) || !get16(&W))
        return false;
    p->N = W;
    for (int r = 0; r < H; r++) {
        std::vector<unsigned char> row(3 * W, 0);
        int start, length;
        if (!get16(&start))
            return false;
        if (start != W) {
            if (!get16(&length) || start < 0 || length < 1 || start + length > W || at + 3 * length > bytes.size())
                return false;
            for (int ch = 0; ch < 3; ch++)
                for (int i = 0; i < length; i++)
                    row[ch * W + start + i] = (unsigned char)bytes[at++];
        }
        p->rows.push_back(row);
    }
    return at == bytes.size();
}

class RaytraceRun : public ::testing::Test {
protected:
    short eye[3];
    void SetUp() override
    {
        // Each test in a folder of its own: ctest runs them in parallel.
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::path dir = std::filesystem::path(SEASHELL_BINARY_DIR) / "raytrace-run" / test;
        std::filesystem::create_directories(dir);
        home = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        eye[0] = sea_xeye, eye[1] = sea_yeye, eye[2] = sea_zeye;
        inittracelist();
        delete_path();
        InsertType = 32;
        const double nodes[6][3] = {{2, -1, 0}, {3.5, 1, 0}, {3, 3.5, 0}, {1, 4.5, 0}, {-1.5, 3.5, 0}, {-2.5, 1, 0.5}};
        for (const auto& n : nodes)
            addnode(n[0], n[1], n[2]);
        fitcurve();
        drawinterpolatepath();
        titles.clear();
        nextkey = 0;
        overrun = 0;
        gl::setbackend(&backend);
    }
    void TearDown() override
    {
        gl::setbackend(nullptr);
        freeTraceObjectList();
        delete_path();
        sea_xeye = eye[0], sea_yeye = eye[1], sea_zeye = eye[2];
        for (const char* f : {"rtrun.bp", "rtrun.shl", "rtfull.bp", "rtfull.shl", "r.bp", "r.shl"})
            std::remove(f);
        std::filesystem::current_path(home);
    }
    std::filesystem::path home;
    static void type(const char* text)
    {
        keys.clear();
        for (const char* c = text; *c; c++) {
            int shift;
            gl::Device d = gl::chardevice(*c, &shift);
            keys.push_back({d, 1});
            keys.push_back({d, 0});
        }
        keys.push_back({gl::ENTERKEY, 1});
        keys.push_back({gl::ENTERKEY, 0});
    }
    static int count(const std::string& title)
    {
        int n = 0;
        for (const std::string& t : titles)
            n += t == title;
        return n;
    }
};

TEST_F(RaytraceRun, ImageIsShownWithProgressAndSavedAsTraced)
{
    type("rtrun");
    seashellraytracing(200);
    EXPECT_EQ(ListHead.next, nullptr);

    // Prompt, window, then every percentage from 0 to 100 in order, then the name.
    ASSERT_GE(count("Save image to"), 1);
    std::vector<int> progress;
    for (const std::string& t : titles) {
        int p;
        if (std::sscanf(t.c_str(), "raytracing : %d %%", &p) == 1)
            progress.push_back(p);
    }
    ASSERT_EQ(progress.size(), 101u);
    for (int p = 0; p <= 100; p++)
        EXPECT_EQ(progress[p], p);
    EXPECT_EQ(titles.back(), "rtrun.bp");
    EXPECT_EQ(count("File error"), 0);

    gl::WindowInfo w[64];
    int n = gl::screen_windows(w, 64);
    ASSERT_GT(n, 0);
    EXPECT_STREQ(w[n - 1].title, "rtrun.bp");
    EXPECT_EQ(w[n - 1].x, 0);
    EXPECT_EQ(w[n - 1].y, 0);
    EXPECT_EQ(w[n - 1].width, 200);
    EXPECT_EQ(w[n - 1].height, 200);
    gl::winclose(w[n - 1].id);

    EXPECT_TRUE(exists("rtrun.shl"));
    std::string bytes = readall("rtrun.bp");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\xc8\x00\xc8", 4));
    Pixels saved;
    ASSERT_TRUE(readimage(bytes, &saved));

    // The same shell traced into memory gives the same rows.
    ASSERT_EQ(triangulateshell(), 1);
    createtexturemap(0);
    Pixels traced = {200, {}};
    ASSERT_EQ(traceimage(200, 0, keeprow, &traced), 1);
    freetexturemap();
    ASSERT_EQ(saved.rows.size(), 200u);
    EXPECT_TRUE(saved.rows == traced.rows);
}

TEST_F(RaytraceRun, EscapeAtThePromptCancelsTheRun)
{
    int shift;
    gl::Device r = gl::chardevice('r', &shift);
    keys = {{r, 1}, {r, 0}, {gl::ESCKEY, 1}, {gl::ESCKEY, 0}};
    seashellraytracing(200);
    EXPECT_EQ(ListHead.next, nullptr);
    EXPECT_EQ(count("Initialize..."), 0);
    EXPECT_FALSE(exists("r.bp") || exists("r.shl"));
    EXPECT_EQ(nextkey, keys.size());
}

TEST_F(RaytraceRun, EyeAtTheOriginGivesAMessageAndNoImage)
{
    sea_xeye = sea_yeye = sea_zeye = 0;
    keys.clear();
    seashellraytracing(200);
    EXPECT_EQ(ListHead.next, nullptr);
    EXPECT_EQ(count("Save image to"), 0);
    EXPECT_EQ(count("Initialize..."), 0);
    EXPECT_EQ(count("File error"), 1);
}

// A shell from a file that would need more triangles than memory holds: a
// message, no prompt, no triangles. Just under the bound it is traced.
TEST_F(RaytraceRun, ShellWithTooManyTrianglesGivesAMessageAndNoImage)
{
    double stepsize = helico_stepsize, endangle = helico_endangle;
    int bands = CurveSegment - 1;
    ASSERT_GT(bands, 0);
    // growth steps = endangle / (2 pi / stepsize), two triangles a quad
    helico_stepsize = 100000.0;
    helico_endangle = (20e6 / (2.0 * bands) + 2.0) * 6.283185307179586 / helico_stepsize;
    keys.clear();
    seashellraytracing(200);
    EXPECT_EQ(ListHead.next, nullptr);
    EXPECT_EQ(count("Save image to"), 0);
    EXPECT_EQ(count("File error"), 1);
    helico_stepsize = stepsize;
    helico_endangle = endangle;
}

TEST_F(RaytraceRun, RowsTheFileCannotTakeAreReportedAfterTheLastRow)
{
    // Files of this process may grow to 2000 bytes: the shell file fits, the
    // image's rows soon do not.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    type("rtfull");
    seashellraytracing(200);
    setrlimit(RLIMIT_FSIZE, &old);

    // Tracing went on to the last row; the report comes after it.
    size_t last = 0;
    for (size_t i = 0; i < titles.size(); i++)
        if (titles[i] == "raytracing : 100 %")
            last = i;
    ASSERT_GT(last, 0u);
    int after = 0;
    for (size_t i = last; i < titles.size(); i++)
        after += titles[i] == "File error";
    // One report: the image file layer says at close that the file is
    // incomplete and was not kept.
    EXPECT_EQ(after, 1);
    EXPECT_EQ(ListHead.next, nullptr);
    gl::WindowInfo w[64];
    int n = gl::screen_windows(w, 64);
    for (int i = 0; i < n; i++)
        if (std::string(w[i].title) == "rtfull.bp")
            gl::winclose(w[i].id);
}

}  // namespace
