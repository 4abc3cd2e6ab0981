// The control-node list: where addnode puts a node, the 30-node limit,
// removing the current node, clearing, and the segment hit test.
#include "curve_fixture.h"

using Nodes = CurveTest;

TEST(Selectline, OneUnitAroundTheSegment)
{
    struct Case {
        double a, b, c, d, e, f;
        int hit;
    } cases[] = {
        // vertical segment (0,0)-(0,5)
        {0.8, 2, 0, 0, 0, 5, 1},
        {1.2, 2, 0, 0, 0, 5, 0},
        {0.5, 6, 0, 0, 0, 5, 0},
        {0.0, 5, 0, 0, 0, 5, 1},   // ends included
        // horizontal segment (0,0)-(5,0)
        {2, 0.9, 0, 0, 5, 0, 1},
        {2, 1.1, 0, 0, 5, 0, 0},
        {2, -0.9, 5, 0, 0, 0, 1},  // either direction
        {-0.5, 0, 0, 0, 5, 0, 0},  // beyond the first node
        // slanted segment (0,0)-(4,4): distance from the line is |b - a| / sqrt 2
        {2, 3.4, 0, 0, 4, 4, 1},
        {2, 3.5, 0, 0, 4, 4, 0},
        {4.5, 4.5, 0, 0, 4, 4, 0},
        // nodes that coincide in the view: a point within one unit only
        {2.5, 2.5, 2, 2, 2, 2, 1},
        {2, 8, 2, 2, 2, 2, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(selectline(c.a, c.b, c.c, c.d, c.e, c.f), c.hit)
            << "point (" << c.a << ", " << c.b << ") segment (" << c.c << ", " << c.d << ")-(" << c.e
            << ", " << c.f << ")";
}

TEST_F(Nodes, InsertionFollowsInsertType)
{
    const P3 a{0, 0, 0}, b{5, 0, 0};
    struct Case {
        const char* name;
        std::vector<P3> start;
        short insert, window;
        P3 point;
        std::vector<P3> expect;
    } cases[] = {
        {"front", {a, b}, 30, 4, {1, 1, 0}, {{1, 1, 0}, a, b}},
        {"end", {a, b}, 32, 4, {1, 1, 0}, {a, b, {1, 1, 0}}},
        {"middle, XY view", {a, b}, 31, 4, {2, 0.5, 0}, {a, {2, 0.5, 0}, b}},
        {"middle, XZ view", {a, b}, 31, 5, {2, 0, -0.5}, {a, {2, 0, -0.5}, b}},
        {"middle, first segment hit wins", {a, b, a}, 31, 4, {2, 0.5, 0}, {a, {2, 0.5, 0}, b, a}},
        {"middle, one node appends", {a}, 31, 4, {9, 9, 0}, {a, {9, 9, 0}}},
        {"middle, empty list", {}, 31, 4, {9, 9, 0}, {{9, 9, 0}}},
        {"middle misses", {a, b}, 31, 4, {2, 3, 0}, {a, b}},
        {"middle, not a curve view", {a, b}, 31, 1, {2, 0, 0}, {a, b}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete_path();
        InsertType = 32;
        addall(c.start);
        ControlNode* before = CurrSelectPoint;
        InsertType = c.insert;
        CurrentWindow = c.window;
        addnode(c.point.x, c.point.y, c.point.z);

        EXPECT_EQ(nodes(), c.expect);
        EXPECT_EQ(ObjectPtr->count, (short)c.expect.size());
        if (c.expect.size() > c.start.size()) {
            ASSERT_NE(CurrSelectPoint, nullptr);
            EXPECT_EQ((P3{CurrSelectPoint->x, CurrSelectPoint->y, CurrSelectPoint->z}), c.point);
            EXPECT_EQ((P3{gen_lastx, gen_lasty, gen_lastz}), c.point);
        } else {
            EXPECT_EQ(CurrSelectPoint, before);  // a refusal changes nothing
        }
    }
}

TEST_F(Nodes, ThirtyFirstNodeIsRefused)
{
    for (int i = 0; i < 30; i++) addnode(i * 0.5 - 7, 0, 0);
    ControlNode* last = CurrSelectPoint;
    for (short type : {30, 31, 32}) {
        InsertType = type;
        addnode(0, 0.5, 0);  // would hit a segment in Middle mode
        EXPECT_EQ(ObjectPtr->count, 30) << type;
        EXPECT_EQ(nodes().size(), 30u) << type;
        EXPECT_EQ(CurrSelectPoint, last) << type;
    }
}

TEST_F(Nodes, RemoveTheHeadThenClearTwice)
{
    addall({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    CurrSelectPoint = ObjectPtr->head;
    Remove_node();
    EXPECT_EQ(nodes(), (std::vector<P3>{{1, 0, 0}, {2, 0, 0}}));
    EXPECT_EQ(ObjectPtr->count, 2);
    EXPECT_EQ(CurrSelectPoint, nullptr);

    Remove_node();  // no current node: nothing happens
    EXPECT_EQ(ObjectPtr->count, 2);

    ControlNode stranger{5, 5, 5, nullptr};
    CurrSelectPoint = &stranger;  // not in the list: nothing happens
    Remove_node();
    EXPECT_EQ(ObjectPtr->count, 2);

    drawinterpolatepath();
    CurveSample* samples = GenerateCurve;
    int segments = CurveSegment;
    ASSERT_NE(samples, nullptr);

    CurrSelectPoint = nth(1);  // the last node
    Remove_node();
    EXPECT_EQ(nodes(), (std::vector<P3>{{1, 0, 0}}));
    drawinterpolatepath();  // one node: the last samples stay
    EXPECT_EQ(GenerateCurve, samples);
    EXPECT_EQ(CurveSegment, segments);

    mode = 2;
    status = 0;
    delete_path();
    delete_path();
    EXPECT_EQ(ObjectPtr->count, 0);
    EXPECT_EQ(ObjectPtr->head, nullptr);
    EXPECT_EQ(CurrSelectPoint, nullptr);
    EXPECT_EQ(GenerateCurve, nullptr);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(status, 1);
}
