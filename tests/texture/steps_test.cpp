// Single time steps of the three pigmentation models on small rings, with the
// fluctuation factor fixed by replacing the draws.
#include <gtest/gtest.h>

#include <vector>

#include "texture/modelrun.h"
#include "texture/texture.h"

namespace {

int drawvalue;
int fixeddraw() { return drawvalue; }

// Replaces both generators by fixeddraw for the life of the object.
struct FixedDraws {
    explicit FixedDraws(int v)
    {
        drawvalue = v;
        drawrandom31 = fixeddraw;
        drawrandom15 = fixeddraw;
    }
    ~FixedDraws()
    {
        drawrandom31 = random31;
        drawrandom15 = random15;
    }
};

// 1073741824 / 2147483647 is 0.5 to within 2.4e-10, so 0.975 + 0.05 u is 1.
const int HALF = 1073741824;

struct Ring {
    std::vector<std::vector<double>> arrays;
    std::vector<double*> ptrs;
    Ring(int narrays, int N, double value) : arrays(narrays, std::vector<double>(N, value))
    {
        for (auto& a : arrays)
            ptrs.push_back(a.data());
    }
    double** state() { return ptrs.data(); }
};

SubstrateModel substratedefaults(const double* sigma)
{
    // Da, Ds, mua, mus, c, kappa, p0, delta
    return {0.04, 0.0, 0.1, 0.0, 0.1, 1.0, 0.005, 0.1, sigma};
}
InhibitorModel inhibitordefaults()
{
    // Da, Db, mua, mub, muh, sigmab, c, kappa, p0, ch, b0, delta
    return {0.015, 0.0, 0.1, 0.014, 0.1, 0.0002, 0.1, 0.25, 0.0001, 0.1, 0.1, 0.1};
}
StripeModel stripedefaults()
{
    // Dg, Ds, mug, mus, c, mur, p0, p1, delta
    return {0.1, 0.01, 0.05, 0.11, 0.01, 0.05, 0.037, 0.001, 0.1};
}

}  // namespace

// a = s = 1 everywhere, rho = 1: O = 0.0505, a = 0.99505; s = 0.99555 in cell 0
// (sin 0 = 0) and 0.995698 in cell 1 (sigma = 0.006 sin 0.25 + 0.006).
// Swapped production rates give the same profile; a ring of one cell is its
// own neighbour and matches cell 0.
TEST(ModelStep, ActivatorSubstrateWorkedStep)
{
    struct Case { int N; double max, min; } cases[] = {{2, 0.012, 0.0}, {2, 0.0, 0.012}, {1, 0.012, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "N " << c.N << " max " << c.max << " min " << c.min);
        FixedDraws draws(HALF);
        std::vector<double> sigma(c.N);
        substrateprofile(sigma.data(), c.N, c.max, c.min, 4.0);
        SubstrateModel m = substratedefaults(sigma.data());
        Ring ring(2, c.N, 1.0);
        substratestep(c.N, ring.state(), &m);
        EXPECT_NEAR(ring.arrays[0][0], 0.99505, 1e-9);
        EXPECT_NEAR(ring.arrays[1][0], 0.99555, 1e-9);
        if (c.N > 1) {
            EXPECT_NEAR(ring.arrays[0][1], 0.99505, 1e-9);
            EXPECT_NEAR(ring.arrays[1][1], 0.995698, 5e-7);
        }
    }
}

// a = b = h = 1, rho = c = 0.1: P = 0.8, a = 0.997274, b = 1.00662, h = 1.
TEST(ModelStep, ActivatorInhibitorWorkedStep)
{
    for (int N : {1, 2}) {
        SCOPED_TRACE(N);
        FixedDraws draws(HALF);
        InhibitorModel m = inhibitordefaults();
        Ring ring(3, N, 1.0);
        inhibitorstep(N, ring.state(), &m);
        for (int j = 0; j < N; j++) {
            EXPECT_NEAR(ring.arrays[0][j], 0.997274, 5e-7);
            EXPECT_NEAR(ring.arrays[1][j], 1.00662, 1e-9);
            EXPECT_NEAR(ring.arrays[2][j], 1.0, 1e-12);
        }
    }
}

// All five substances 1, rho1 = rho2 = 0.975: V = 0.00975, g = 0.999675,
// r = 0.99695, s = 1.0001.
TEST(ModelStep, StripeFormationWorkedStep)
{
    for (int N : {1, 2}) {
        SCOPED_TRACE(N);
        FixedDraws draws(0);
        StripeModel m = stripedefaults();
        Ring ring(5, N, 1.0);
        stripestep(N, ring.state(), &m);
        const double expected[5] = {0.999675, 0.999675, 1.0001, 1.0001, 0.99695};  // g1 g2 s1 s2 r
        for (int a = 0; a < 5; a++)
            for (int j = 0; j < N; j++)
                EXPECT_NEAR(ring.arrays[a][j], expected[a], 1e-12) << "array " << a << " cell " << j;
    }
}

// The first draw of a cell belongs to g1, the second to g2, and only g1's
// autocatalysis feeds the inhibitor: with u1 = 0 and u2 = 1, g1 = 0.999675,
// g2 = 1 + 0.1 (0.01025 - 0.05 + 0.037) = 0.999725, r = 0.99695.
namespace {
int alternate;
int alternatingdraw() { return (alternate++ % 2) ? 2147483647 : 0; }
}  // namespace

TEST(ModelStep, StripeDrawsBelongToG1ThenG2)
{
    alternate = 0;
    drawrandom15 = alternatingdraw;
    StripeModel m = stripedefaults();
    Ring ring(5, 3, 1.0);
    stripestep(3, ring.state(), &m);
    drawrandom15 = random15;
    for (int j = 0; j < 3; j++) {
        EXPECT_NEAR(ring.arrays[0][j], 0.999675, 1e-12);
        EXPECT_NEAR(ring.arrays[1][j], 0.999725, 1e-12);
        EXPECT_NEAR(ring.arrays[4][j], 0.99695, 1e-12);
    }
}

// Pure diffusion around a ring of 3 (every other term switched off, delta 1,
// rate 0.1) from 1, 2, 4: cell 0 sees 4 and 2, cell 2 sees 2 and the old 1,
// giving 1.4, 2.1, 3.5 in every diffusing array. Arrays that do not diffuse
// (the hormone, the stripe inhibitor) stay as they were.
TEST(ModelStep, DiffusionAroundTheRingFromOldValues)
{
    FixedDraws draws(HALF);
    const double start[3] = {1.0, 2.0, 4.0}, diffused[3] = {1.4, 2.1, 3.5};
    std::vector<double> zero(3, 0.0);
    SubstrateModel as = {0.1, 0.1, 0, 0, 0, 0, 0, 1.0, zero.data()};
    InhibitorModel ai = {0.1, 0.1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0};
    StripeModel sf = {0.1, 0.1, 0, 0, 0, 0, 0, 0, 1.0};
    struct Case {
        const char* name;
        int narrays;
        ModelStep step;
        const void* model;
        std::vector<bool> diffuses;
    } cases[] = {
        {"activator-substrate", 2, substratestep, &as, {true, true}},
        {"activator-inhibitor", 3, inhibitorstep, &ai, {true, true, false}},
        {"stripe formation", 5, stripestep, &sf, {true, true, true, true, false}},
    };
    for (const Case& c : cases) {
        Ring ring(c.narrays, 3, 1.0);
        for (int a = 0; a < c.narrays; a++)
            if (c.diffuses[a])
                ring.arrays[a].assign(start, start + 3);
        c.step(3, ring.state(), c.model);
        for (int a = 0; a < c.narrays; a++)
            for (int j = 0; j < 3; j++)
                EXPECT_DOUBLE_EQ(ring.arrays[a][j], c.diffuses[a] ? diffused[j] : 1.0)
                    << c.name << " array " << a << " cell " << j;
    }
}

// The hormone source is the mean activator at the start of the step, the same
// for every cell: with ch = 1 and no decay, h = 1 + 7/3 everywhere.
TEST(ModelStep, HormoneSourceIsTheMeanOfTheOldActivator)
{
    FixedDraws draws(HALF);
    InhibitorModel m = {0, 0, 0.1, 0, 0, 0, 0.1, 0.25, 0.0001, 1.0, 0.1, 1.0};
    Ring ring(3, 3, 1.0);
    ring.arrays[0] = {1.0, 2.0, 4.0};
    inhibitorstep(3, ring.state(), &m);
    for (int j = 0; j < 3; j++)
        EXPECT_DOUBLE_EQ(ring.arrays[2][j], 1.0 + 7.0 / 3.0) << "cell " << j;
}
