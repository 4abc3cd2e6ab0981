// The rings of the shell surface: growth steps, the apex, the spiral's centre
// line, a ring worked out by hand, and parameters no bar allows.
#include <cmath>
#include <limits>

#include "shellfixture.h"

namespace {

struct Rings {
    std::vector<int> k;
    std::vector<std::vector<RingPoint>> ring;  // ring[0] is the apex, ring[k] ring k
};

void keep(const RingPoint* prev, const RingPoint* cur, int k, void* user)
{
    Rings& r = *(Rings*)user;
    if (r.ring.empty()) r.ring.emplace_back(prev, prev + CurveSegment);
    r.k.push_back(k);
    r.ring.emplace_back(cur, cur + CurveSegment);
}

Rings generate()
{
    Rings r;
    generateshell(keep, &r);
    return r;
}

const double pi = 3.141592653589793;

}  // namespace

using ShellGeneration = ShellTest;

TEST_F(ShellGeneration, DefaultsGiveSixtySevenGrowthStepsInOrder)
{
    Rings r = generate();
    ASSERT_EQ(r.k.size(), 67u);
    for (size_t i = 0; i < r.k.size(); i++) EXPECT_EQ(r.k[i], (int)i + 1);
}

TEST_F(ShellGeneration, EndAngleAtMostOneStepGivesOnlyTheApex)
{
    const double delta = 6.283185307179586 / 16.0;
    struct Case { double endangle; size_t steps; } cases[] = {
        {delta, 0}, {0.1, 0}, {-1.0, 0}, {delta * 1.5, 1},
    };
    for (const Case& c : cases) {
        helico_endangle = c.endangle;
        EXPECT_EQ(generate().k.size(), c.steps) << "end angle " << c.endangle;
    }
}

TEST_F(ShellGeneration, FewerThanTwoNodesGiveNoRings)
{
    for (short count : {0, 1}) {
        ObjectPtr->count = count;
        EXPECT_TRUE(generate().k.empty()) << count << " nodes";
    }
}

TEST_F(ShellGeneration, ApexIgnoresShellScale)
{
    // Sample (0.6, 0.3, 0): apex at (0.6e-4 + 0.1, 0.3e-4 - 0.2 + 2.2, 0).
    shellscale = 2.0;
    Rings r = generate();
    ASSERT_GE(r.ring.size(), 2u);
    EXPECT_FLOAT_EQ(r.ring[0][1].p[0], 0.10006f);
    EXPECT_FLOAT_EQ(r.ring[0][1].p[1], 2.00003f);
    EXPECT_FLOAT_EQ(r.ring[0][1].p[2], 0.0f);
    EXPECT_FLOAT_EQ(r.ring[0][1].n[0], 0.6f);
    EXPECT_FLOAT_EQ(r.ring[0][1].n[1], 0.8f);
    EXPECT_FLOAT_EQ(r.ring[0][1].n[2], 0.0f);
    // Ring 1 already has at least the size shellscale: sample 1 lies at
    // least 2 * |(0.6, 0.3, 0)| from sample 0, which is on the centre line.
    const RingPoint& c = r.ring[1][0];
    const RingPoint& q = r.ring[1][1];
    double dist = std::hypot(q.p[0] - c.p[0], q.p[1] - c.p[1], q.p[2] - c.p[2]);
    EXPECT_GE(dist, 2.0 * std::hypot(0.6, 0.3) * 0.9999);
}

TEST_F(ShellGeneration, SampleAtTheOriginFollowsTheSpiralCentre)
{
    // Sample 0 of the test curve is (0, 0, 0): every ring puts it on
    // P = (r cos t, 2.2 - d, r sin t), r = 0.1 * 1.1^t, d = 0.2 * 1.1^t.
    vertsize = 3.0;
    vertmag = 0.5;
    shellscale = 0.7;
    Rings r = generate();
    ASSERT_EQ(r.ring.size(), 68u);
    for (size_t k = 1; k < r.ring.size(); k++) {
        double t = k * pi / 8;
        double g = std::pow(1.1, t);
        const float* p = r.ring[k][0].p;
        EXPECT_NEAR(p[0], 0.1 * g * std::cos(t), 1e-5) << "ring " << k;
        EXPECT_NEAR(p[1], 2.2 - 0.2 * g, 1e-5) << "ring " << k;
        EXPECT_NEAR(p[2], 0.1 * g * std::sin(t), 1e-5) << "ring " << k;
    }
}

TEST_F(ShellGeneration, RingOneWorkedByHand)
{
    // Four steps per turn (delta = pi/2), rate e (log = 1), r0 = z0 = 1, one
    // step. At pi/2: r = d = e^(pi/2) = 4.8104774, centre (0, -2.6104774,
    // 4.8104774); tangent (-1, -1, 1)/sqrt3, up (-1, 2, 1)/sqrt6, side
    // (1, 0, 1)/sqrt2; size h = 0.1 (e^(pi/2) - 1) + 0.0001 = 0.3811477.
    static CurveSample axes[4] = {
        {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}, {0, 0, 1, 0.6, 0.8}, {0, 0, 0, 0, 1},
    };
    GenerateCurve = axes;
    CurveSegment = 3;
    helico_stepsize = 4.0;
    helico_rate = 2.718281828459045;
    helico_r0 = 1.0;
    helico_z0 = 1.0;
    helico_endangle = 2.0;
    Rings r = generate();
    ASSERT_EQ(r.ring.size(), 2u);
    const double s2 = std::sqrt(0.5), s6 = 1 / std::sqrt(6.0);
    struct Expect { double p[3]; double n[3]; } want[3] = {
        {{0.2695122, -2.6104774, 5.0799895}, {s2, 0, s2}},                        // along the side
        {{-0.1556029, -2.2992716, 4.9660803}, {-s6, 2 * s6, s6}},                 // along the up
        {{-0.2200557, -2.8305331, 5.0305331}, {0.6 * s2 - 0.8 * s6, 1.6 * s6, 0.6 * s2 + 0.8 * s6}},
    };
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) {
            EXPECT_NEAR(r.ring[1][i].p[j], want[i].p[j], 2e-6) << "sample " << i << " axis " << j;
            EXPECT_NEAR(r.ring[1][i].n[j], want[i].n[j], 2e-6) << "sample " << i << " axis " << j;
        }
    }
}

TEST_F(ShellGeneration, ParametersNoBarAllowsNeitherHangNorGiveNonFiniteVertices)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { const char* what; double stepsize, endangle, rate, r0, z0; size_t most; } cases[] = {
        {"no steps per turn", 0.0, 26.4, 1.1, 0.1, 0.2, 0},
        {"negative steps per turn", -16.0, 26.4, 1.1, 0.1, 0.2, 0},
        {"NaN steps per turn", nan, 26.4, 1.1, 0.1, 0.2, 0},
        {"NaN end angle", 16.0, nan, 1.1, 0.1, 0.2, 0},
        {"NaN rate", 16.0, 26.4, nan, 0.1, 0.2, 0},
        {"negative rate", 16.0, 26.4, -1.1, 0.1, 0.2, 0},
        {"no radius and no drop", 16.0, 26.4, 1.1, 0.0, 0.0, 0},
        {"growth that overflows", 16.0, 1e300, 1.1, 0.1, 0.2, 1000000},
        {"endless circle", 16.0, inf, 1.0, 0.1, 0.2, 1000000},
        {"tiny steps", 1e18, 26.4, 1.1, 0.1, 0.2, 1000000},
    };
    for (const Case& c : cases) {
        helico_stepsize = c.stepsize;
        helico_endangle = c.endangle;
        helico_rate = c.rate;
        helico_r0 = c.r0;
        helico_z0 = c.z0;
        struct Check { size_t rings = 0; bool finite = true; } check;
        generateshell(
            [](const RingPoint* prev, const RingPoint* cur, int k, void* user) {
                Check& c = *(Check*)user;
                c.rings++;
                for (int i = 0; i < CurveSegment; i++)
                    for (int j = 0; j < 3; j++)
                        if (!std::isfinite(cur[i].p[j]) || !std::isfinite(cur[i].n[j])) c.finite = false;
            },
            &check);
        EXPECT_LE(check.rings, c.most) << c.what;
        EXPECT_TRUE(check.finite) << c.what;
    }
}
