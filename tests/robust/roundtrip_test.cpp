// Many generated models through their files: saving, loading and saving
// again gives the same bytes, and the loaded model is the one that was saved.
#include "robust_fixture.h"

#include <random>

#include "app/model.h"
#include "files/paramorder.h"

namespace {

using namespace robust;
using RoundTrip = RobustTest;

struct Draw {
    std::mt19937 rng;
    explicit Draw(unsigned seed) : rng(seed) {}
    double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
};

// A model such as the bars, the dialogs, the curve views and the drags can
// make: every value inside its bar's range, the shading doubles equal to
// their single-precision lists (as after every table rebuild).
void drawmodel(Draw& d)
{
    restart();
    sea_xeye = (short)d.integer(-40, 40);
    sea_yeye = (short)d.integer(-40, 40);
    sea_zeye = (short)d.integer(1, 40);
    helico_r0 = d.real(0.001, 2.001);
    helico_z0 = d.real(0.0, 2.0);
    helico_rate = d.real(1.0, 1.3);
    helico_endangle = d.real(0.1, 30.0);
    helico_stepsize = d.real(8.0, 40.0);
    hortsize = d.real(0.0, 60.0);
    hortmag = d.real(0.0, 0.1);
    vertsize = d.real(0.0, 60.0);
    vertmag = d.real(0.0, 0.3);
    genstepsize = d.real(0.5, 3.0);
    shellscale = d.real(0.0, 4.0);

    int nodes = d.integer(0, 30);
    for (int k = 0; k < nodes; ++k) addnode(d.real(-10, 10), d.real(-10, 10), d.real(-10, 10));
    CurrSelectPoint = nullptr;
    InsertType = (short)d.integer(30, 32);
    shellmode = d.integer(17, 18);
    texturetype = (short)d.integer(49, 52);

    shinnessvalue = d.real(0.0, 128.0);
    reflectvalue = d.real(0.0, 1.0);
    double* colours[] = {&pattern_r, &pattern_g, &pattern_b, &background_r, &background_g,
                         &background_b, &specular_r, &specular_g, &specular_b};
    for (double* c : colours) *c = d.real(0.0, 1.0);
    for (int k = 1; k <= 3; ++k) {
        light1[k] = (float)d.real(-20.0, 20.0);
        light2[k] = (float)d.real(-20.0, 20.0);
    }
    for (int k = 6; k <= 8; ++k) {
        light1[k] = (float)d.real(0.0, 1.0);
        light2[k] = (float)d.real(0.0, 1.0);
    }
    double* const* params[3] = {actsubparams, actinhparams, stripeparams};
    const int counts[3] = {12, 13, 10};
    for (int m = 0; m < 3; ++m) {
        for (int k = 0; k < counts[m] - 1; ++k) *params[m][k] = d.real(0.0, 0.5);
        *params[m][counts[m] - 1] = d.real(0.05, 1.0);  // the increment size
    }

    materialfromdoubles();
    InitParambar();
    fitcurve();
}

TEST_F(RoundTrip, ShellFilesOfManyModels)
{
    Draw d(20240611);
    for (int m = 0; m < 60; ++m) {
        drawmodel(d);
        char a[32] = "a", b[32] = "b";
        ASSERT_EQ(saveshellparameter(a), 1) << "model " << m;
        const std::string saved = modelstate();  // saving refreshes the light positions
        restart();
        std::strcpy(a, "a");
        ASSERT_EQ(loadshellparameter(a), 1) << "model " << m;
        const std::string loaded = modelstate();
        EXPECT_TRUE(loaded == saved) << "model " << m << ": " << firstdifference(loaded, saved);
        ASSERT_EQ(saveshellparameter(b), 1) << "model " << m;
        ASSERT_EQ(readbytes("b.shl"), readbytes("a.shl")) << "model " << m;
    }
    EXPECT_TRUE(shownboxes().empty());
}

// A shininess that single precision cannot hold comes back rounded once
// (the loader rebuilds the shading doubles from the lists), and from then on
// the file stays the same.
TEST_F(RoundTrip, ShellFileSettlesAfterOneLoad)
{
    shinnessvalue = 100.1;
    material[1] = 100.1f;
    char a[32] = "a", b[32] = "b", c[32] = "c";
    ASSERT_EQ(saveshellparameter(a), 1);
    std::strcpy(a, "a");
    ASSERT_EQ(loadshellparameter(a), 1);
    EXPECT_EQ(shinnessvalue, 100.09999847412109);
    ASSERT_EQ(saveshellparameter(b), 1);
    std::strcpy(b, "b");
    ASSERT_EQ(loadshellparameter(b), 1);
    ASSERT_EQ(saveshellparameter(c), 1);
    EXPECT_EQ(readbytes("c.shl"), readbytes("b.shl"));
}

// Textures: the type, colours and parameters come back exactly. The
// pictures differ, as the random sequences go on from one run to the next.
TEST_F(RoundTrip, TextureFilesOfEachModel)
{
    Draw d(7);
    const struct { short code; std::size_t head; } models[] = {{50, 146}, {51, 154}, {49, 130}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& model : models) {
            drawmodel(d);
            texturetype = model.code;
            char a[32] = "a", b[32] = "b";
            ASSERT_EQ(savetexture(a), 1) << model.code;
            restart();
            std::strcpy(a, "a");
            ASSERT_EQ(loadtexture(a), 1) << model.code;
            ASSERT_EQ(savetexture(b), 1) << model.code;
            Bytes first = readbytes("a.ttr"), second = readbytes("b.ttr");
            ASSERT_EQ(first.size(), model.head + 120000) << model.code;
            ASSERT_EQ(second.size(), first.size()) << model.code;
            EXPECT_TRUE(std::equal(first.begin(), first.begin() + model.head, second.begin())) << model.code;
        }
    }
}

}  // namespace
