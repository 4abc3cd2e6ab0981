// The sampled generating curve: control points, arc-length sampling,
// sculpture and the normals, including the cases where the arithmetic would
// have no answer.
#include <cmath>
#include <limits>

#include "curve_fixture.h"

using Sampling = CurveTest;

static const double PI = 3.141592653589793;

static void drawcurve(const std::vector<P3>& pts)
{
    for (const P3& p : pts) addnode(p.x, p.y, p.z);
    fitcurve();
    drawinterpolatepath();
}

TEST_F(Sampling, TwoNodesSevenUnitsApart)
{
    drawcurve({{0, 0, 0}, {7, 0, 0}});

    const double px[4] = {-1.75, -1.75, 8.75, 8.75};
    for (int i = 0; i < 4; i++) {
        EXPECT_NEAR(xcontrol[i], px[i], 1e-12) << i;
        EXPECT_EQ(ycontrol[i], 0.0);
        EXPECT_EQ(zcontrol[i], 0.0);
    }
    EXPECT_NEAR(GenCurveTotalLength, 6.9469785, 5e-8);
    ASSERT_EQ(CurveSegment, 7);
    ASSERT_NE(GenerateCurve, nullptr);

    const double sx[8] = {0, 0.616218, 1.216654, 1.816954, 2.430030, 3.028200, 3.623962, 4.2};
    for (int i = 0; i <= 7; i++) {
        const CurveSample& s = GenerateCurve[i];
        EXPECT_NEAR(s.x, sx[i], 5e-7) << "sample " << i;
        EXPECT_EQ(s.y, 0.0) << i;
        EXPECT_EQ(s.z, 0.0) << i;
        EXPECT_EQ(s.nx, 0.0) << i;
        EXPECT_EQ(s.ny, 1.0) << i;
    }
}

// A straight line at an angle through three nodes: every sample lies on it
// and every normal is its direction (0.6, 0.8) turned by +90 degrees.
TEST_F(Sampling, StraightLineNormalsTurnLeft)
{
    drawcurve({{0, 0, 0}, {3, 4, 0}, {6, 8, 0}});

    ASSERT_GE(CurveSegment, 9);  // 10 units long, one sample per unit or so
    for (int i = 0; i <= CurveSegment; i++) {
        const CurveSample& s = GenerateCurve[i];
        EXPECT_NEAR(4 * s.x - 3 * s.y, 0.0, 1e-9) << i;
        EXPECT_NEAR(s.nx, -0.8, 1e-12) << i;
        EXPECT_NEAR(s.ny, 0.6, 1e-12) << i;
    }
    EXPECT_NEAR(GenerateCurve[CurveSegment].x, 3.6, 1e-12);
    EXPECT_NEAR(GenerateCurve[CurveSegment].y, 4.8, 1e-12);
}

// Horizontal sculpture, checked where it is easy by hand: at the start
// (u = 0: no offset, normal from X = hortmag * hortsize) and at the end
// (u = 1: W = sin(pi/2) = 1 pushes the end along +y; the bend there is -x).
TEST_F(Sampling, SculptureAtBothEnds)
{
    hortmag = 1.0;
    hortsize = PI / 2;
    drawcurve({{0, 0, 0}, {7, 0, 0}});

    ASSERT_EQ(CurveSegment, 7);  // the chords ignore the sculpture
    const CurveSample& first = GenerateCurve[0];
    double len = std::sqrt(PI * PI / 4 + 1);
    EXPECT_NEAR(first.x, 0.0, 1e-12);
    EXPECT_NEAR(first.y, 0.0, 1e-12);
    EXPECT_NEAR(first.nx, -(PI / 2) / len, 1e-12);
    EXPECT_NEAR(first.ny, 1 / len, 1e-12);

    const CurveSample& last = GenerateCurve[7];
    EXPECT_NEAR(last.x, 4.2, 1e-12);
    EXPECT_NEAR(last.y, 0.6, 1e-12);
    EXPECT_EQ(last.z, 0.0);
    EXPECT_NEAR(last.nx, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(last.ny, std::sqrt(0.5), 1e-12);
}

// Coincident nodes (no tangent) and curves along z (no XY normal) must still
// give finite samples: the normal falls back to (0, 1) from the first sample.
// Coincident nodes off the origin keep a tangent of rounding size, whose
// direction is arbitrary but must still give a unit normal.
TEST_F(Sampling, UndefinedNormalsStayFinite)
{
    struct Case {
        const char* name;
        std::vector<P3> nodes;
        double hortmag, hortsize;
        bool straightup;  // every normal is the fallback (0, 1)
    } cases[] = {
        {"coincident", {{0, 0, 0}, {0, 0, 0}}, 0.0, 0.0, true},
        {"coincident, sculptured", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, 2.0, 1.0, true},
        {"coincident off the origin", {{1, 1, 0}, {1, 1, 0}}, 0.0, 0.0, false},
        {"along z", {{0, 0, 0}, {0, 0, 5}}, 0.0, 0.0, true},
        {"along z, sculptured", {{0, 0, 0}, {0, 0, 5}}, 1.0, 1.0, true},
        {"coincident middle nodes", {{0, 0, 0}, {2, 1, 0}, {2, 1, 0}, {4, 0, 1}}, 0.5, 3.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete_path();
        hortmag = c.hortmag;
        hortsize = c.hortsize;
        drawcurve(c.nodes);
        ASSERT_NE(GenerateCurve, nullptr);
        for (int i = 0; i <= CurveSegment; i++) {
            const CurveSample& s = GenerateCurve[i];
            ASSERT_TRUE(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z)) << i;
            ASSERT_TRUE(std::isfinite(s.nx) && std::isfinite(s.ny)) << i;
            EXPECT_NEAR(s.nx * s.nx + s.ny * s.ny, 1.0, 1e-12) << i;
            if (c.straightup) {
                EXPECT_EQ(s.nx, 0.0) << i;
                EXPECT_EQ(s.ny, 1.0) << i;
            }
        }
        const P3& end = c.nodes.back();
        if (c.hortmag == 0.0) {
            EXPECT_NEAR(GenerateCurve[CurveSegment].z, 0.6 * end.z, 1e-12);
        }
    }
    // Both ends of a curve that does not move are the same point.
    delete_path();
    hortmag = 0.0;
    drawcurve({{0, 0, 0}, {0, 0, 0}});
    EXPECT_EQ(GenCurveTotalLength, 0.0);
    EXPECT_EQ(CurveSegment, 1);
}

// A sample density that a file can bring: the array never overflows, every
// step yields at most one sample, and the curve still ends on the last node.
TEST_F(Sampling, ImpossibleDensitiesStayInBounds)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double genstepsize;
        int segments;  // 99 when every step is taken, 1 when only the end is
    } cases[] = {
        {-1.0, 99}, {-inf, 99}, {inf, 99}, {1e300, 99}, {0.0, 1}, {nan, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.genstepsize);
        delete_path();
        genstepsize = c.genstepsize;
        drawcurve({{0, 0, 0}, {7, 0, 0}});
        ASSERT_NE(GenerateCurve, nullptr);
        EXPECT_EQ(CurveSegment, c.segments);
        EXPECT_NEAR(GenerateCurve[CurveSegment].x, 4.2, 1e-12);
    }
}
