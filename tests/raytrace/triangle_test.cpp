// Trace triangles: record layout, the two intersection tests, the shading
// normal with its texture lookup, and releasing the list.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace {

RingPoint rp(float x, float y, float z, float nx = 0, float ny = 0, float nz = 1)
{
    return {{x, y, z}, {nx, ny, nz}};
}

// Inserts the triangle V0, V1, V2 (InsertTriangle layout) and returns it.
TraceTriangle* lowtriangle(RingPoint v0, RingPoint v1, RingPoint v2, short ring = 0, short point = 0)
{
    TraceVector pos = {v0.p[0], v0.p[1], v0.p[2]};
    TraceVector nor = {v0.n[0], v0.n[1], v0.n[2]};
    InsertTriangle(&pos, &nor, &v1, &v2, ring, point);
    return ListHead.next;
}

TraceVector unit(double x, double y, double z)
{
    double l = std::sqrt(x * x + y * y + z * z);
    return {x / l, y / l, z / l};
}

class TriangleTest : public ::testing::Test {
protected:
    void SetUp() override { inittracelist(); }
    void TearDown() override { freeTraceObjectList(); }
    // The right triangle (0,0,0), (3,0,0), (0,3,0) in the plane z = 0.
    TraceTriangle* right() { return lowtriangle(rp(0, 0, 0), rp(3, 0, 0), rp(0, 3, 0)); }
};

TEST_F(TriangleTest, RecordHoldsThePrecomputedValues)
{
    TraceTriangle* t = right();
    EXPECT_EQ(t->centroid.x, 1.0);
    EXPECT_EQ(t->centroid.y, 1.0);
    EXPECT_EQ(t->radius2, 5.0);  // (2, -1) and (-1, 2) from the centroid
    EXPECT_EQ(t->edge1.x, 3.0);
    EXPECT_EQ(t->edge2.y, 3.0);
    EXPECT_EQ(t->normal.z, 1.0);
    EXPECT_EQ(t->det, 81.0);
    EXPECT_EQ(t->edge2sq, 9.0);
    EXPECT_EQ(t->edge12, 0.0);
    EXPECT_EQ(t->lowcorner, 1);
}

TEST_F(TriangleTest, SecondTriangleOfAQuadStartsAtTheFarCorner)
{
    // Quad corners (i, j) = origin, (i+1, j) = (1,0,0), (i, j+1) = (0,1,0), (i+1, j+1) = (1,1,0).
    RingPoint c10 = rp(1, 0, 0), c01 = rp(0, 1, 0, 0, 1, 0), c11 = rp(1, 1, 0, 1, 0, 0);
    TraceTriangle* first = lowtriangle(rp(0, 0, 0), c10, c01, 4, 7);
    TraceVector pos = {0, 1, 0}, nor = {0, 1, 0};
    InsertTriangle2(&pos, &nor, &c10, &c11, 4, 7);
    TraceTriangle* second = ListHead.next;

    ASSERT_EQ(second->next, first);  // new triangles go to the front
    EXPECT_EQ(second->lowcorner, 0);
    EXPECT_EQ(second->ring, 4);
    EXPECT_EQ(second->point, 7);
    // V0 = (i+1, j+1), V1 = (i, j+1), V2 = (i+1, j).
    EXPECT_EQ(second->vertex0.x, 1.0);
    EXPECT_EQ(second->vertex0.y, 1.0);
    EXPECT_EQ(second->edge1.x, -1.0);
    EXPECT_EQ(second->edge1.y, 0.0);
    EXPECT_EQ(second->edge2.x, 0.0);
    EXPECT_EQ(second->edge2.y, -1.0);
    // Shading normals: (1,0,0) at V0, (0,1,0) at V1, (0,0,1) at V2.
    EXPECT_EQ(second->normal0.x, 1.0);
    EXPECT_EQ(second->dnormal1.x, -1.0);
    EXPECT_EQ(second->dnormal1.y, 1.0);
    EXPECT_EQ(second->dnormal2.z, 1.0);
}

TEST_F(TriangleTest, RayAtTheCentroidHitsAtAThird)
{
    TraceTriangle* t = right();
    struct Case {
        TraceVector o;
        double dist;
    } cases[] = {
        {{1, 1, 10}, 10},        // straight down
        {{1, 1, -7}, 7},         // from behind the plane
        {{31, 41, 50}, std::sqrt(30.0 * 30 + 40 * 40 + 50 * 50)},  // oblique, from far away
    };
    for (const Case& c : cases) {
        TraceVector d = unit(1 - c.o.x, 1 - c.o.y, -c.o.z);
        double u = -1, v = -1;
        double tt = TriangleIntercept(&c.o, &d, t, &u, &v);
        EXPECT_NEAR(tt, c.dist, 1e-9) << c.o.x;
        EXPECT_NEAR(u, 1.0 / 3, 1e-12) << c.o.x;
        EXPECT_NEAR(v, 1.0 / 3, 1e-12) << c.o.x;
        EXPECT_EQ(TriangleIntercept2(&c.o, &d, t, 1000.0), 1);
    }
}

TEST_F(TriangleTest, BoundaryParallelAndBackwardRaysMiss)
{
    TraceTriangle* t = right();
    struct Case {
        const char* what;
        TraceVector o, d;
    } cases[] = {
        {"through V0", {0, 0, 5}, {0, 0, -1}},
        {"through V1", {3, 0, 5}, {0, 0, -1}},
        {"through V2", {0, 3, 5}, {0, 0, -1}},
        {"on edge V0V1", {1.5, 0, 5}, {0, 0, -1}},
        {"on edge V0V2", {0, 1.5, 5}, {0, 0, -1}},
        {"on edge V1V2", {1.5, 1.5, 5}, {0, 0, -1}},
        {"along edge V0V1 in the plane", {-1, 0, 0}, {1, 0, 0}},
        {"parallel above the plane", {-1, 1, 0.5}, {1, 0, 0}},
        {"away from the triangle", {1, 1, 5}, {0, 0, 1}},
        {"outside the triangle", {2.5, 2.5, 5}, {0, 0, -1}},
    };
    for (const Case& c : cases) {
        double u, v;
        EXPECT_EQ(TriangleIntercept(&c.o, &c.d, t, &u, &v), 10000.0) << c.what;
        EXPECT_EQ(TriangleIntercept2(&c.o, &c.d, t, 1000.0), 0) << c.what;
    }
}

TEST_F(TriangleTest, RayThroughTheSharedEdgeOfAQuadHitsNeither)
{
    RingPoint c10 = rp(2, 0, 0), c01 = rp(0, 2, 0), c11 = rp(2, 2, 0);
    TraceTriangle* first = lowtriangle(rp(0, 0, 0), c10, c01);
    TraceVector pos = {0, 2, 0}, nor = {0, 0, 1};
    InsertTriangle2(&pos, &nor, &c10, &c11, 0, 0);
    TraceTriangle* second = ListHead.next;
    TraceVector o = {1, 1, 4}, d = {0, 0, -1};
    double u, v;
    EXPECT_EQ(TriangleIntercept(&o, &d, first, &u, &v), 10000.0);
    EXPECT_EQ(TriangleIntercept(&o, &d, second, &u, &v), 10000.0);
    // Just off the diagonal the second triangle takes it.
    TraceVector o2 = {1.01, 1.01, 4};
    EXPECT_NEAR(TriangleIntercept(&o2, &d, second, &u, &v), 4.0, 1e-12);
}

TEST_F(TriangleTest, HitsCloserThanTheMarginDoNotCount)
{
    TraceTriangle* t = right();
    TraceVector d = {0, 0, -1};
    struct Case {
        double height;
        bool hit;
    } cases[] = {{0.0, false}, {5e-14, false}, {1e-12, true}, {1e-6, true}};
    for (const Case& c : cases) {
        TraceVector o = {1, 1, c.height};
        double u, v;
        double tt = TriangleIntercept(&o, &d, t, &u, &v);
        if (c.hit)
            EXPECT_EQ(tt, c.height);
        else
            EXPECT_EQ(tt, 10000.0) << c.height;
        EXPECT_EQ(TriangleIntercept2(&o, &d, t, 1.0), c.hit ? 1 : 0) << c.height;
    }
}

TEST_F(TriangleTest, ShadowRayCountsAHitAtExactlyL)
{
    TraceTriangle* t = right();
    TraceVector o = {1, 1, 5}, d = {0, 0, -1};
    EXPECT_EQ(TriangleIntercept2(&o, &d, t, 5.0), 1);
    EXPECT_EQ(TriangleIntercept2(&o, &d, t, std::nextafter(5.0, 0.0)), 0);
    EXPECT_EQ(TriangleIntercept2(&o, &d, t, 4.9), 0);
}

TEST_F(TriangleTest, TriangleWithoutAreaIsNeverHit)
{
    // Collinear corners: the plane normal is not a number.
    TraceTriangle* t = lowtriangle(rp(0, 0, 0), rp(1, 1, 0), rp(2, 2, 0));
    TraceVector o = {1, 1, 1e-3}, d = {0, 0, -1};
    double u, v;
    EXPECT_EQ(TriangleIntercept(&o, &d, t, &u, &v), 10000.0);
    EXPECT_EQ(TriangleIntercept2(&o, &d, t, 1.0), 0);
}

// A texture map of rows 0..H, columns 0..W, with value 10 r + c, and a row of
// NaN after every row and below the last: a read outside the map shows up
// in the result.
struct TestMap {
    std::vector<std::vector<double>> rows;
    std::vector<double*> table;
    TestMap(int W, int H)
    {
        double nan = std::numeric_limits<double>::quiet_NaN();
        for (int r = 0; r <= H + 1; r++) {
            std::vector<double> row(W + 2, nan);
            if (r <= H)
                for (int c = 0; c <= W; c++)
                    row[c] = 10.0 * r + c;
            rows.push_back(row);
        }
        for (auto& row : rows)
            table.push_back(row.data());
        texturemap = table.data();
        texturemapwidth = W;
        texturemapheight = H;
    }
    ~TestMap() { texturemap = nullptr; }
};

TEST_F(TriangleTest, ShadingNormalFacesTheRay)
{
    // Shading normals: (0,0,2) at V0, (0,2,0) at V1 (not unit; normalised after interpolation).
    TraceTriangle* t = lowtriangle(rp(0, 0, 0, 0, 0, 2), rp(3, 0, 0, 0, 2, 0), rp(0, 3, 0, 0, 0, 2));
    TestMap map(4, 4);
    VertGridSize = HortGridSize = 1;
    double r = std::sqrt(0.5);
    struct Case {
        double dz, u;
        TraceVector N;
        double s;
    } cases[] = {
        {-1, 0.0, {0, 0, 1}, -1},   // u = v = 0: normal0 normalised
        {1, 0.0, {0, 0, -1}, -1},   // from the other side: reversed
        {-1, 0.5, {0, r, r}, -r},   // halfway to V1: (0, 1, 1) normalised
        {1, 0.5, {0, -r, -r}, -r},
    };
    for (const Case& c : cases) {
        TraceVector d = {0, 0, c.dz}, N;
        double tex;
        double s = TriangleNormal(&N, &d, t, c.u, 0.0, &tex);
        EXPECT_NEAR(s, c.s, 1e-15) << c.dz << " " << c.u;
        EXPECT_NEAR(N.x, c.N.x, 1e-15);
        EXPECT_NEAR(N.y, c.N.y, 1e-15);
        EXPECT_NEAR(N.z, c.N.z, 1e-15);
    }
}

TEST_F(TriangleTest, TextureValueIsBilinearInRingAndPoint)
{
    TestMap map(3, 3);
    VertGridSize = 1;
    HortGridSize = 1;
    TraceTriangle* low = lowtriangle(rp(0, 0, 0), rp(3, 0, 0), rp(0, 3, 0), 1, 0);
    TraceVector pos = {0, 3, 0}, nor = {0, 0, 1};
    RingPoint a = rp(3, 0, 0), b = rp(3, 3, 0);
    InsertTriangle2(&pos, &nor, &a, &b, 1, 0);
    TraceTriangle* high = ListHead.next;
    TraceVector d = {0, 0, -1}, N;
    double tex;
    // Ring coordinate 1 + u = 1.5, curve coordinate 0 + v = 0.25.
    TriangleNormal(&N, &d, low, 0.5, 0.25, &tex);
    EXPECT_DOUBLE_EQ(tex, 15.25);
    // The second triangle counts back from the far corner: 2 - u, 1 - v.
    TriangleNormal(&N, &d, high, 0.5, 0.25, &tex);
    EXPECT_DOUBLE_EQ(tex, 15.75);
    // Grid sizes scale both coordinates: row 1.5 x 0.5, column 0.25 x 2.
    VertGridSize = 0.5;
    HortGridSize = 2;
    TriangleNormal(&N, &d, low, 0.5, 0.25, &tex);
    EXPECT_DOUBLE_EQ(tex, 10 * 0.75 + 0.5);
}

TEST_F(TriangleTest, TextureLookupStaysInsideTheMap)
{
    struct Case {
        const char* what;
        int W, H;
        short ring;
        double hort, u, v, expected;
    } cases[] = {
        // A curve shorter than 0.1: one column, column grid size 0.
        {"one column", 0, 4, 1, 0.0, 0.5, 0.5, 15.0},
        // The far end of the last ring on the last row.
        {"last row", 2, 1, 1, 1.0, 0.5, 0.5, 10.5},
    };
    for (const Case& c : cases) {
        TestMap map(c.W, c.H);
        VertGridSize = 1;
        HortGridSize = c.hort;
        TraceTriangle* t = lowtriangle(rp(0, 0, 0), rp(3, 0, 0), rp(0, 3, 0), c.ring, 0);
        TraceVector d = {0, 0, -1}, N;
        double tex = -1;
        TriangleNormal(&N, &d, t, c.u, c.v, &tex);
        EXPECT_DOUBLE_EQ(tex, c.expected) << c.what;
    }
}

TEST_F(TriangleTest, FreeingTheListEmptiesIt)
{
    freeTraceObjectList();  // empty: nothing happens
    EXPECT_EQ(ListHead.next, nullptr);
    for (int i = 0; i < 3; i++)
        right();
    ASSERT_NE(ListHead.next, nullptr);
    freeTraceObjectList();
    EXPECT_EQ(ListHead.next, nullptr);
    EXPECT_EQ(ListHeadPtr, &ListHead);
}

}  // namespace
