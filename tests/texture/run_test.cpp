// The protocol that the three model runs share: steps per row, warm-up,
// exactly R rows, the progress title, the order of the initial draws, and
// the generators themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/model.h"
#include "platform/gl.h"
#include "texture/modelrun.h"
#include "texture/texture.h"

namespace {

// A probe model over 3 cells that writes 0, 1e6 and the number of its own
// step into the delivered array, so that a normalised row tells after which
// step it was delivered.
long long probesteps;
void probestep(int N, double** state, const void*)
{
    state[0][0] = 0.0;
    state[0][1] = 1e6;
    state[0][2] = (double)probesteps++;
}

std::vector<std::string> titles;
void recordtitle(const char* t) { titles.push_back(t); }

// A map of R rows of 3 cells plus one sentinel row that no run may touch.
void makemap(int R)
{
    texturemap = (double**)std::malloc((R + 1) * sizeof(double*));
    for (int i = 0; i <= R; i++)
        texturemap[i] = new double[3]{-1.0, -1.0, -1.0};
    texturemapwidth = 2;
    texturemapheight = R;  // the sentinel row is the last
}
void dropmap()
{
    for (int i = 0; i <= texturemapheight; i++)
        delete[] texturemap[i];
    std::free(texturemap);
    texturemap = nullptr;
}

int zerodraw() { return 0; }

}  // namespace

// k = trunc(1 / delta): 0.1 -> 10, 0.3 -> 3, 0.99 and 1.0 -> 1, 0.01 -> 100.
// Outside the bars' range the steps per row stay within 1..100, so every row
// is still delivered and the run ends.
TEST(ModelRun, RowsAfterSteps50kThen51k)
{
    struct Case { double delta; long long k; } cases[] = {
        {0.1, 10}, {0.3, 3}, {0.99, 1}, {1.0, 1}, {0.01, 100},
        {2.0, 1}, {-0.5, 1}, {0.0, 100}, {1e-9, 100}, {NAN, 1}, {INFINITY, 1},
    };
    const int R = 3;
    texturetitle = recordtitle;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "delta " << c.delta);
        makemap(R);
        probesteps = 0;
        runtexturemodel(3, R, c.delta, 1, 1.0, zerodraw, probestep, nullptr, 1);
        EXPECT_EQ(probesteps, (R + 50) * c.k);
        for (int r = 0; r < R; r++)
            EXPECT_EQ(std::llround(texturemap[r][2] * 1e6), (50 + r) * c.k) << "row " << r;
        for (int j = 0; j < 3; j++)
            EXPECT_EQ(texturemap[R][j], -1.0) << "a row beyond R was delivered";
        dropmap();
    }
    texturetitle = gl::wintitle;
}

// The title shows trunc(100 i / n) for step i of n: with n = 100 every
// percentage 0..99 once, in order; with n = 200 the same, shown once each;
// with n = 51 it jumps (1 / 51 is about 2 %) and ends at trunc(5000 / 51) = 98.
TEST(ModelRun, ProgressTitle)
{
    auto title = [](int p) { return "Building texture : " + std::to_string(p) + "%"; };
    texturetitle = recordtitle;
    struct Case { int R; double delta; } cases[] = {{50, 1.0}, {50, 0.5}};
    for (const Case& c : cases) {
        makemap(c.R);
        titles.clear();
        runtexturemodel(3, c.R, c.delta, 1, 1.0, zerodraw, probestep, nullptr, 1);
        ASSERT_EQ(titles.size(), 100u) << "R " << c.R << " delta " << c.delta;
        for (int p = 0; p < 100; p++)
            EXPECT_EQ(titles[p], title(p));
        dropmap();
    }

    makemap(1);
    titles.clear();
    runtexturemodel(3, 1, 1.0, 1, 1.0, zerodraw, probestep, nullptr, 1);
    ASSERT_EQ(titles.size(), 51u);
    EXPECT_EQ(titles[0], title(0));
    EXPECT_EQ(titles[1], title(1));
    EXPECT_EQ(titles[25], title(49));  // 2500 / 51 = 49.02
    EXPECT_EQ(titles[50], title(98));
    dropmap();
    texturetitle = gl::wintitle;
}

// A preview run sets no progress title and leaves no row buffers behind.
TEST(ModelRun, PreviewRunLeavesNoTitleAndNoBuffers)
{
    gl::prefposition(370, 970, 15, 815);
    gl::Int32 wid = gl::winopen("Texture Preview");
    gl::RGBmode();
    gl::gconfig();
    texturetitle = recordtitle;
    titles.clear();
    runtexturemodel(3, 5, 0.1, 1, 1.0, zerodraw, probestep, nullptr, 0);
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(Col_R, nullptr);
    texturetitle = gl::wintitle;
    gl::winclose(wid);
}

// Initial values: draw / 2147483647 x initvalue, cell by cell and array by
// array within a cell.
namespace {
int counter;
int countingdraw() { return ++counter; }
std::vector<std::vector<double>> firststate;
void capturestep(int N, double** state, const void*)
{
    if (firststate.empty())
        for (int a = 0; a < 3; a++)
            firststate.emplace_back(state[a], state[a] + N);
}
}  // namespace

TEST(ModelRun, InitialDrawsCellByCellArrayByArray)
{
    makemap(1);
    counter = 0;
    firststate.clear();
    runtexturemodel(2, 1, 1.0, 3, 2.5, countingdraw, capturestep, nullptr, 1);
    ASSERT_EQ(firststate.size(), 3u);
    const int draw[3][2] = {{1, 4}, {2, 5}, {3, 6}};
    for (int a = 0; a < 3; a++)
        for (int j = 0; j < 2; j++)
            EXPECT_EQ(firststate[a][j], draw[a][j] / 2147483647.0 * 2.5) << "array " << a << " cell " << j;
    dropmap();
}

// Each model takes its draws from its own generator: per cell, the initial
// draws (2, 3, 5) and then 1, 1, 2 per step. N = 3, R = 1, k = 1: 51 steps.
namespace {
int count31, count15;
int counted31() { return ++count31 & 1023; }
int counted15() { return ++count15 & 1023; }
}  // namespace

TEST(ModelRun, DrawsPerModel)
{
    double saved[3] = {t_delta, i_delta, s_delta};
    t_delta = i_delta = s_delta = 1.0;
    drawrandom31 = counted31;
    drawrandom15 = counted15;
    struct Case { short type; int draws31, draws15; } cases[] = {
        {50, 6 + 51 * 3, 0}, {51, 9 + 51 * 3, 0}, {49, 0, 15 + 51 * 6},
    };
    for (const Case& c : cases) {
        makemap(1);
        count31 = count15 = 0;
        if (c.type == 50)
            ActivateSubstrateModel(3, 1, t_actdiffrate, t_subdiffrate, t_adecayrate, t_sdecayrate,
                                   t_productratemax, t_productratemin, t_prop, t_k, t_p0, t_period,
                                   t_initvalue, 1);
        else if (c.type == 51)
            ActivateInhibitorModel(3, 1, i_actdiffrate, i_subdiffrate, i_adecayrate, i_sdecayrate,
                                   i_hdecayrate, i_productrate, i_prop, i_k, i_p0, i_initvalue,
                                   i_hormoneprop, i_h0, 1);
        else
            StripeFormationModel(3, 1, s_gdiffrate, s_sdiffrate, s_gdecayrate, s_sdecayrate, s_cprop,
                                 s_rdecayrate, s_p0, s_p1, s_initvalue, 1);
        EXPECT_EQ(count31, c.draws31) << "type " << c.type;
        EXPECT_EQ(count15, c.draws15) << "type " << c.type;
        dropmap();
    }
    drawrandom31 = random31;
    drawrandom15 = random15;
    t_delta = saved[0];
    i_delta = saved[1];
    s_delta = saved[2];
}

// The generators are never seeded: a fresh process starts both from the same
// state. The 31-bit one is BSD random() with seed 1, the 15-bit one the
// classic C rand() with seed 1. Checked in a fresh process of its own, as
// other tests move the sequences on.
namespace {
bool freshsequences()
{
    const int r31[5] = {1804289383, 846930886, 1681692777, 1714636915, 1957747793};
    const int r15[5] = {16838, 5758, 10113, 17515, 31051};
    for (int i = 0; i < 5; i++)
        if (random31() != r31[i] || random15() != r15[i])
            return false;
    return true;
}
}  // namespace

TEST(RandomDeathTest, FreshProcessStartsTheKnownSequences)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(freshsequences() ? 0 : 1), testing::ExitedWithCode(0), "");
}
