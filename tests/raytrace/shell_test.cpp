// Traced shells: the triangulation of the surface, and the default tracer
// against the reference, byte for byte, on shells with and without
// sculpture, with every texture kind, at two sizes and from two eyes.
#include <gtest/gtest.h>

#include <vector>

#include "app/model.h"
#include "curve/curve.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace {

struct Pixels {
    int N = 0;
    std::vector<unsigned char> rgb;  // rows bottom first, then red, green, blue
};

void keeprow(int r, const unsigned char* red, const unsigned char* green, const unsigned char* blue,
             void* user)
{
    Pixels* p = (Pixels*)user;
    p->rgb.insert(p->rgb.end(), red, red + p->N);
    p->rgb.insert(p->rgb.end(), green, green + p->N);
    p->rgb.insert(p->rgb.end(), blue, blue + p->N);
}

// A six-node cross-section in the XY view.
void sixnodes()
{
    delete_path();
    InsertType = 32;
    const double nodes[6][3] = {{2, -1, 0}, {3.5, 1, 0}, {3, 3.5, 0}, {1, 4.5, 0}, {-1.5, 3.5, 0}, {-2.5, 1, 0.5}};
    for (const auto& n : nodes)
        addnode(n[0], n[1], n[2]);
    fitcurve();
    drawinterpolatepath();
}

class TracedShell : public ::testing::Test {
protected:
    double saved[4];
    short eye[3], type;
    void SetUp() override
    {
        inittracelist();
        saved[0] = hortsize, saved[1] = hortmag, saved[2] = vertsize, saved[3] = vertmag;
        eye[0] = sea_xeye, eye[1] = sea_yeye, eye[2] = sea_zeye;
        type = texturetype;
    }
    void TearDown() override
    {
        freeTraceObjectList();
        hortsize = saved[0], hortmag = saved[1], vertsize = saved[2], vertmag = saved[3];
        sea_xeye = eye[0], sea_yeye = eye[1], sea_zeye = eye[2];
        texturetype = type;
        delete_path();
    }
};

TEST_F(TracedShell, EveryQuadOfEveryBandBecomesTwoTriangles)
{
    sixnodes();
    ASSERT_EQ(triangulateshell(), 1);
    EXPECT_EQ(HelicoSegment, 67);  // the default growth
    int count = 0, low = 0;
    for (TraceTriangle* t = ListHead.next; t; t = t->next) {
        count++;
        low += t->lowcorner;
    }
    EXPECT_EQ(count, 2 * (CurveSegment - 1) * 67);
    EXPECT_EQ(low, count / 2);
    // The list runs backwards: the last quad's second triangle comes first.
    TraceTriangle* first = ListHead.next;
    EXPECT_EQ(first->lowcorner, 0);
    EXPECT_EQ(first->ring, 66);
    EXPECT_EQ(first->point, CurveSegment - 2);
    // Light records from the lighting lists.
    EXPECT_EQ(DL[0], light1[1]);
    EXPECT_EQ(DL[2], light1[3]);
    EXPECT_EQ(DL[5], light1[8]);
    EXPECT_EQ(DL[7], light2[2]);
}

TEST_F(TracedShell, FewerThanTwoNodesMakeNoTriangles)
{
    delete_path();
    addnode(1, 1, 0);
    EXPECT_EQ(triangulateshell(), 0);
    EXPECT_EQ(ListHead.next, nullptr);
}

TEST_F(TracedShell, DefaultTracerMatchesTheReference)
{
    struct Case {
        const char* what;
        double hortsize, hortmag, vertsize, vertmag;
        short texture;
        short eye[3];
        int N;
    } cases[] = {
        {"plain, uniform", 0, 0, 0, 0, 52, {3, 1, 10}, 200},
        {"plain, uniform", 0, 0, 0, 0, 52, {3, 1, 10}, 300},
        {"horizontal sculpture", 5, 0.3, 0, 0, 52, {3, 1, 10}, 200},
        {"vertical sculpture", 0, 0, 3, 0.4, 52, {3, 1, 10}, 200},
        {"activator-substrate", 0, 0, 0, 0, 50, {3, 1, 10}, 200},
        {"activator-inhibitor", 0, 0, 0, 0, 51, {3, 1, 10}, 300},
        {"stripe formation", 2, 0.2, 2, 0.2, 49, {3, 1, 10}, 200},
        {"from above", 0, 0, 0, 0, 52, {-4, 9, 5}, 200},
    };
    for (const Case& c : cases) {
        hortsize = c.hortsize, hortmag = c.hortmag, vertsize = c.vertsize, vertmag = c.vertmag;
        texturetype = c.texture;
        sea_xeye = c.eye[0], sea_yeye = c.eye[1], sea_zeye = c.eye[2];
        sixnodes();
        ASSERT_EQ(triangulateshell(), 1);
        createtexturemap(0);
        Pixels ref, fast;
        ref.N = fast.N = c.N;
        ASSERT_EQ(traceimage(c.N, 1, keeprow, &ref), 1);
        ASSERT_EQ(traceimage(c.N, 0, keeprow, &fast), 1);
        freetexturemap();
        freeTraceObjectList();

        ASSERT_EQ(ref.rgb.size(), (size_t)3 * c.N * c.N);
        ASSERT_EQ(fast.rgb.size(), ref.rgb.size());
        size_t lit = 0, differ = 0, first = 0;
        for (size_t i = 0; i < ref.rgb.size(); i++) {
            lit += ref.rgb[i] != 0;
            if (ref.rgb[i] != fast.rgb[i] && differ++ == 0)
                first = i;
        }
        EXPECT_GT(lit, ref.rgb.size() / 50) << c.what << ": the shell should fill part of the view";
        EXPECT_EQ(differ, 0u) << c.what << " at " << c.N << ": first difference in row "
                              << first / (3 * c.N) + 1 << ", pixel " << first % c.N;
    }
}

}  // namespace
