// The "Define texture" dialogs, the preview and the texture library, driven
// through a small backend that feeds raw input: one step at each wait of a
// modal loop, or at a given poll of a preview run. The main windows are open
// as in the program; the dialog opens at the screen's lower-left corner, so
// its pixels are screen pixels.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "panels/panels.h"
#include "platform/backend.h"
#include "platform/gl.h"
#include "platform/screen.h"
#include "texture/texture.h"

namespace {

// ---- scripted input ---------------------------------------------------------

struct Step {
    enum Kind { MOVE, PRESS, RELEASE, RPRESS, RRELEASE, PROBE } kind;
    int x = 0, y = 0;
    int atpoll = 0;               // > 0: due at this poll of a run (or at the next wait)
    std::function<void()> probe;  // PROBE: runs when reached, takes no wait
};

Step Move(int x, int y) { return {Step::MOVE, x, y, 0, {}}; }
Step Press() { return {Step::PRESS, 0, 0, 0, {}}; }
Step Release() { return {Step::RELEASE, 0, 0, 0, {}}; }
Step RightPress() { return {Step::RPRESS, 0, 0, 0, {}}; }
Step RightRelease() { return {Step::RRELEASE, 0, 0, 0, {}}; }
Step PressAtPoll(int n) { return {Step::PRESS, 0, 0, n, {}}; }
Step Probe(std::function<void()> f) { return {Step::PROBE, 0, 0, 0, std::move(f)}; }

std::vector<Step> steps;
std::size_t next = 0;
long polls = 0;       // every poll since the script started
long sincestep = 0;   // polls since the last delivered step
int overrun = 0;

void deliver(const Step& s)
{
    switch (s.kind) {
    case Step::MOVE: gl::rawpointer(s.x, s.y); break;
    case Step::PRESS: gl::rawbutton(gl::LEFTMOUSE, 1); break;
    case Step::RELEASE: gl::rawbutton(gl::LEFTMOUSE, 0); break;
    case Step::RPRESS: gl::rawbutton(gl::RIGHTMOUSE, 1); break;
    case Step::RRELEASE: gl::rawbutton(gl::RIGHTMOUSE, 0); break;
    case Step::PROBE: break;
    }
    sincestep = 0;
}

void runprobes()
{
    while (next < steps.size() && steps[next].kind == Step::PROBE) steps[next++].probe();
}

void wait()
{
    runprobes();
    if (next < steps.size()) {
        deliver(steps[next++]);
        return;
    }
    // Out of script: release everything and press "OK" until the dialog ends.
    if (overrun == 0) ADD_FAILURE() << "the script ran out while the program still waits";
    if (++overrun > 60) {
        std::fprintf(stderr, "texture dialog test: the dialog does not finish\n");
        std::abort();
    }
    static const Step rescue[4] = {Release(), RightRelease(), Move(50, 30), Press()};
    deliver(rescue[overrun % 4]);
}

void poll()
{
    ++polls;
    if (++sincestep > 100000) {
        std::fprintf(stderr, "texture dialog test: runs poll on and on without input\n");
        std::abort();
    }
    runprobes();
    if (next < steps.size() && steps[next].atpoll > 0 && sincestep >= steps[next].atpoll)
        deliver(steps[next++]);
}

void changed(bool) {}
void pause(int) {}
const gl::Backend backend = {wait, poll, changed, pause};

void script(std::vector<Step> s)
{
    steps = std::move(s);
    next = 0;
    polls = sincestep = 0;
    overrun = 0;
}

// ---- the screen -------------------------------------------------------------

struct Shot {
    std::vector<std::uint32_t> rgba;
    Shot() : rgba((std::size_t)gl::screen_width() * gl::screen_height()) { gl::screen_compose(rgba.data()); }
    // 0xBBGGRR at screen (x, y), lower-left origin.
    std::uint32_t at(int x, int y) const
    {
        return rgba[(std::size_t)(gl::screen_height() - 1 - y) * gl::screen_width() + x] & 0xFFFFFF;
    }
};

std::vector<std::string> titles()
{
    gl::WindowInfo w[64];
    int n = gl::screen_windows(w, 64);
    std::vector<std::string> out;
    for (int i = 0; i < n && i < 64; i++) out.push_back(w[i].title);
    return out;
}

int count(const std::vector<std::string>& v, const std::string& title)
{
    int n = 0;
    for (const std::string& t : v) n += t == title;
    return n;
}

// The preview window spans screen x 370..970, y 15..815; row r of a run is
// its line r + 1, x 1..600. A delivered row always holds the pattern colour
// (red, with the default colours) at its maximum; an undrawn line is black.
const int PREVIEWX = 370, PREVIEWY = 15;

bool linehasred(const Shot& s, int line)
{
    for (int x = 1; x <= 600; x++)
        if ((s.at(PREVIEWX + x, PREVIEWY + line) & 0xFF) >= 0xF0) return true;
    return false;
}

bool lineblack(const Shot& s, int line)
{
    for (int x = 1; x <= 600; x++)
        if (s.at(PREVIEWX + x, PREVIEWY + line) != 0) return false;
    return true;
}

// ---- library files ----------------------------------------------------------

void put16(std::vector<unsigned char>& b, int v)
{
    b.push_back((unsigned char)((v >> 8) & 0xFF));
    b.push_back((unsigned char)(v & 0xFF));
}

void putdouble(std::vector<unsigned char>& b, double d)
{
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 7; i >= 0; i--) b.push_back((unsigned char)(u >> (8 * i)));
}

// actsub<i>.ttr: the default activator-substrate model except t_k = i + 0.5.
void writesample(int i)
{
    std::vector<unsigned char> b;
    put16(b, 50);
    for (double c : {1.0, 0.0, 0.0, 0.0, 0.0, 0.0}) putdouble(b, c);  // pattern r b g, background r b g
    for (double p : {0.04, 0.1, 0.0, 0.0, 0.005, 0.1, i + 0.5, 0.012, 0.0, 4.0, 4.0, 0.1}) putdouble(b, p);
    b.resize(b.size() + 120000, (unsigned char)(20 * i));
    std::ofstream out("actsub" + std::to_string(i) + ".ttr", std::ios::binary);
    out.write((const char*)b.data(), (std::streamsize)b.size());
}

// ---- fixture ----------------------------------------------------------------

const int OKX = 50, PREVIEWBX = 160, LIBRARYX = 270, BUTTONY = 30;
const double UNLOADED = 7.75;  // a t_k that no sample holds

class TextureDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A folder per process: ctest runs the tests of this binary in parallel.
        static std::string dir = std::string(SEASHELL_BINARY_DIR) + "/texture_dialogs_scratch/" +
                                 std::to_string(getpid());
        std::filesystem::create_directories(dir);
        ASSERT_EQ(chdir(dir.c_str()), 0);
        for (int i = 0; i < 8; i++) writesample(i);
        static bool opened = false;
        if (!opened) {
            ObjectPtr = &AnimateObject;
            InitWin();
            opened = true;
        }
    }
    void SetUp() override
    {
        restart();
        texturetype = 50;
        t_k = UNLOADED;
        InitParambar();
        gl::rawbutton(gl::LEFTMOUSE, 0);
        gl::rawbutton(gl::RIGHTMOUSE, 0);
        gl::setbackend(&backend);
        permanent = titles();
    }
    void TearDown() override
    {
        gl::setbackend(nullptr);
        gl::rawbutton(gl::LEFTMOUSE, 0);
        gl::rawbutton(gl::RIGHTMOUSE, 0);
        EXPECT_EQ(overrun, 0);
        EXPECT_EQ(titles(), permanent) << "windows left open";
        restart();
    }
    std::vector<std::string> permanent;
};

// ---- tests ------------------------------------------------------------------

// Each press goes to a point on or just inside a button's bound; the same
// script follows, so a press that acts wrongly leaves the script out of step.
TEST_F(TextureDialog, ButtonsCountOnlyStrictlyInsideTheirBoxes)
{
    enum Action { NONE, OK, PREVIEW, LIBRARY };
    struct Case {
        int x, y;
        Action action;
    } cases[] = {
        {10, 30, NONE},  {90, 30, NONE},  {50, 10, NONE},  {50, 50, NONE},
        {11, 30, OK},    {89, 30, OK},    {50, 11, OK},    {50, 49, OK},
        {120, 30, NONE}, {200, 30, NONE}, {160, 10, NONE}, {160, 50, NONE},
        {121, 30, PREVIEW}, {199, 30, PREVIEW}, {160, 11, PREVIEW}, {160, 49, PREVIEW},
        {230, 30, NONE}, {310, 30, NONE}, {270, 10, NONE}, {270, 50, NONE},
        {231, 30, LIBRARY}, {309, 30, LIBRARY}, {270, 11, LIBRARY}, {270, 49, LIBRARY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "press at (" << c.x << ", " << c.y << ")");
        bool library = false;
        script({Move(c.x, c.y), Press(),
                Probe([&] { library = count(titles(), "actsub0.ttr") == 1; }),
                Release(), PressAtPoll(1), Release(), RightPress(), RightRelease(),
                Move(OKX, BUTTONY), Press()});
        pigmentation();
        std::size_t unused = steps.size() - next;
        EXPECT_EQ(unused > 0, c.action == OK);
        EXPECT_EQ(polls > 0, c.action == PREVIEW);
        EXPECT_EQ(library, c.action == LIBRARY);
        gl::rawbutton(gl::LEFTMOUSE, 0);
    }
}

TEST_F(TextureDialog, OkWithoutPreviewClosesOnlyTheDialog)
{
    std::vector<std::string> open;
    script({Probe([&] { open = titles(); }), Move(OKX, BUTTONY), Press()});
    pigmentation3();
    EXPECT_EQ(count(open, "Define texture"), 1);
    EXPECT_EQ(open.size(), permanent.size() + 1);
    EXPECT_EQ(titles(), permanent);
    EXPECT_EQ(widpreview, -1);
}

// Stopped after 1000 polls (time steps) the first run has drawn rows 0..49
// (after steps 500, 510, ..., 990 of k = 10); the second, stopped after 700,
// rows 0..19 in the same window, cleared first. The press that asks for a
// run is released before it begins, and the press that stops it acts once,
// even when it moves over "Preview" before it is released.
TEST_F(TextureDialog, PreviewsStopAndReuseTheirWindow)
{
    int firstid = 0, secondid = 0;
    std::string runtitle;
    bool firstok = false, secondok = false;
    std::vector<std::string> open;
    script({Move(PREVIEWBX, BUTTONY), Press(), Release(),
            Probe([&] {
                gl::WindowInfo w[64];
                int n = gl::screen_windows(w, 64);
                runtitle = n > 0 ? w[n - 1].title : "";
            }),
            PressAtPoll(1000), Move(PREVIEWBX + 1, BUTTONY),
            Probe([&] {
                firstid = widpreview;
                Shot s;
                firstok = linehasred(s, 1) && linehasred(s, 50) && lineblack(s, 51) &&
                          lineblack(s, 800) && count(titles(), "Texture Preview") == 1;
            }),
            Release(), Press(), Release(), PressAtPoll(700),
            Probe([&] {
                secondid = widpreview;
                Shot s;
                secondok = linehasred(s, 20) && lineblack(s, 21) && lineblack(s, 50) &&
                           count(titles(), "Texture Preview") == 1;
                open = titles();
            }),
            Release(), Move(OKX, BUTTONY), Press()});
    pigmentation();
    EXPECT_EQ(runtitle, "Press left mouse button to break");
    EXPECT_TRUE(firstok);
    EXPECT_TRUE(secondok);
    EXPECT_NE(firstid, -1);
    EXPECT_EQ(secondid, firstid);
    EXPECT_EQ(open.size(), permanent.size() + 2);
    EXPECT_EQ(polls, 1700);
    EXPECT_EQ(widpreview, -1);  // "OK" closed the preview with the dialog
}

// Column (x - 400) / 215 and row y / 240, dropping the fraction toward zero;
// sample i holds t_k = i + 0.5. Afterwards only the dialog is left open.
TEST_F(TextureDialog, LibraryPicksBySampleColumnAndRow)
{
    struct Case {
        int x, y;
        bool right;
        int sample;  // -1: nothing loaded
    } cases[] = {
        {400, 0, false, 0},    {614, 239, false, 0},  {615, 240, false, 5},
        {186, 100, false, 0},  {399, 479, false, 4},  {185, 300, false, -1},
        {1045, 100, false, 3}, {1259, 479, false, 7}, {1260, 100, false, -1},
        {700, 480, false, -1}, {700, 300, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.right ? "right" : "left") << " press at (" << c.x
                                        << ", " << c.y << ")");
        t_k = UNLOADED;
        InitParambar();
        std::vector<std::string> during, after;
        script({Move(LIBRARYX, BUTTONY), Press(), Release(),
                Probe([&] { during = titles(); }),
                Move(c.x, c.y), c.right ? RightPress() : Press(),
                Probe([&] { after = titles(); }),
                c.right ? RightRelease() : Release(), Move(OKX, BUTTONY), Press()});
        pigmentation();
        EXPECT_EQ(t_k, c.sample < 0 ? UNLOADED : c.sample + 0.5);
        EXPECT_EQ(during.size(), permanent.size() + 9);
        for (int i = 0; i < 8; i++)
            EXPECT_EQ(count(during, "actsub" + std::to_string(i) + ".ttr"), 1) << i;
        EXPECT_EQ(after.size(), permanent.size() + 1);
        EXPECT_EQ(count(after, "Define texture"), 1);
        gl::rawbutton(gl::LEFTMOUSE, 0);
        gl::rawbutton(gl::RIGHTMOUSE, 0);
    }
}

// Sample 6 has t_k = 6.5: the "autocatalysis rate" knob (range 8 from 0,
// track from x 20, knob centre y 590) moves from x 20 + 200 x 7.75 / 8 = 213
// to 20 + 200 x 6.5 / 8 = 182, on the screen as soon as the picker closes.
TEST_F(TextureDialog, LibraryLoadShowsTheLoadedValuesOnTheBars)
{
    const std::uint32_t KNOB = 0x505050;
    std::uint32_t before = 0, oldknob = 0, newknob = 0;
    int knobx = 0;
    script({Probe([&] { before = Shot().at(213, 590); }),
            Move(LIBRARYX, BUTTONY), Press(), Release(), Move(400 + 2 * 215 + 10, 250), Press(),
            Probe([&] {
                Shot s;
                oldknob = s.at(213, 590);
                newknob = s.at(182, 590);
                knobx = texturebar[6].knobx;
            }),
            Release(), Move(OKX, BUTTONY), Press()});
    pigmentation();
    EXPECT_EQ(t_k, 6.5);
    EXPECT_EQ(knobx, 182);
    EXPECT_EQ(before, KNOB);
    EXPECT_EQ(newknob, KNOB);
    EXPECT_NE(oldknob, KNOB);
}

// A missing sample leaves a gap; picking it loads nothing and the dialog
// goes on.
TEST_F(TextureDialog, MissingSampleLeavesAGapAndLoadsNothing)
{
    std::filesystem::rename("actsub2.ttr", "hidden.ttr");
    std::vector<std::string> during;
    script({Move(LIBRARYX, BUTTONY), Press(), Release(), Probe([&] { during = titles(); }),
            Move(400 + 2 * 215 + 10, 10), Press(), Release(), Move(OKX, BUTTONY), Press()});
    pigmentation();
    std::filesystem::rename("hidden.ttr", "actsub2.ttr");
    EXPECT_EQ(during.size(), permanent.size() + 8);
    EXPECT_EQ(count(during, "actsub2.ttr"), 0);
    EXPECT_EQ(t_k, UNLOADED);
}

// The press that picks sample 0 lands on the red knob of "Pattern color"
// (x 220, y 150 in the dialog) and moves while held: it must not drag it.
TEST_F(TextureDialog, PickingPressDoesNotMoveABar)
{
    script({Move(LIBRARYX, BUTTONY), Press(), Release(), Move(220, 150), Press(), Move(218, 150),
            Release(), Move(OKX, BUTTONY), Press()});
    pigmentation();
    EXPECT_EQ(t_k, 0.5);
    EXPECT_EQ(pattern_r, 1.0);
    EXPECT_EQ(patterncolorbar[0].redknobx, 220);
}

// Each dialog: its window and the name of its first library sample (an
// empty file still gets a thumbnail window; the others are missing).
TEST_F(TextureDialog, EachDialogHasItsWindowAndLibrary)
{
    std::ofstream("actinh0.ttr").close();
    std::ofstream("stripfor0.ttr").close();
    struct Case {
        void (*dialog)();
        int height;
        const char* sample;
    } cases[] = {
        {pigmentation, 951, "actsub0.ttr"},
        {pigmentation2, 1001, "actinh0.ttr"},
        {pigmentation3, 1001, "stripfor0.ttr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        gl::WindowInfo dialog = {};
        bool sample = false;
        script({Probe([&] {
                    gl::WindowInfo w[64];
                    int n = gl::screen_windows(w, 64);
                    if (n > 0) dialog = w[n - 1];
                }),
                Move(LIBRARYX, BUTTONY), Press(), Release(),
                Probe([&] { sample = count(titles(), c.sample) == 1; }),
                RightPress(), RightRelease(), Move(OKX, BUTTONY), Press()});
        c.dialog();
        EXPECT_STREQ(dialog.title, "Define texture");
        EXPECT_EQ(dialog.x, 0);
        EXPECT_EQ(dialog.y, 0);
        EXPECT_EQ(dialog.width, 351);
        EXPECT_EQ(dialog.height, c.height);
        EXPECT_TRUE(sample);
        gl::rawbutton(gl::LEFTMOUSE, 0);
    }
    std::filesystem::remove("actinh0.ttr");
    std::filesystem::remove("stripfor0.ttr");
}

}  // namespace
