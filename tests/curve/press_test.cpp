// The left button in the curve views: picking a node, adding one on empty
// space, and dragging the current node, through the screen positions of the
// three views (YZ at x 0, XY at x 425, XZ at x 842, all at y 0).
#include "curve_fixture.h"

using Press = CurveTest;

// Screen position of a curve point's pixel in the XY view.
static int xyscreenx(double x) { return 425 + (int)(200 + 20 * x); }
static int xyscreeny(double y) { return (int)(200 + 20 * y); }

TEST_F(Press, PickRadiusInPixels)
{
    struct Case {
        int dx, dy;
        bool selects;
    } cases[] = {
        {0, 0, true}, {15, 0, true}, {0, -15, true}, {11, 11, true},  // 242 < 250
        {16, 0, false}, {-16, 0, false}, {12, 11, false},             // 256, 265
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.dx << ", " << c.dy);
        delete_path();
        addall({{1, 2, 0}, {-5, -5, 0}});
        ControlNode* target = ObjectPtr->head;
        gen_lastx = gen_lasty = gen_lastz = 99;
        selectnode(xyscreenx(1) + c.dx, xyscreeny(2) + c.dy, WIN_XY);
        if (c.selects) {
            EXPECT_EQ(CurrSelectPoint, target);
            EXPECT_EQ(ObjectPtr->count, 2);
            EXPECT_EQ((P3{gen_lastx, gen_lasty, gen_lastz}), (P3{1, 2, 0}));
        } else {
            EXPECT_EQ(ObjectPtr->count, 3);  // a new node at the end
            EXPECT_EQ(CurrSelectPoint, nth(2));
            EXPECT_NEAR(CurrSelectPoint->x, 1 + c.dx / 20.0, 1e-12);
            EXPECT_NEAR(CurrSelectPoint->y, 2 + c.dy / 20.0, 1e-12);
            EXPECT_EQ(CurrSelectPoint->z, 0.0);
        }
    }
}

TEST_F(Press, NodeNearerTheHeadWins)
{
    addall({{0, 0, 0}, {0.5, 0, 0}});  // 10 pixels apart
    selectnode(xyscreenx(0.5), xyscreeny(0), WIN_XY);  // right on the second
    EXPECT_EQ(CurrSelectPoint, ObjectPtr->head);
    EXPECT_EQ(ObjectPtr->count, 2);
}

TEST_F(Press, AddedNodeIsFittedAndSelected)
{
    selectnode(xyscreenx(0), xyscreeny(0), WIN_XY);
    selectnode(xyscreenx(7), xyscreeny(0), WIN_XY);
    EXPECT_EQ(nodes(), (std::vector<P3>{{0, 0, 0}, {7, 0, 0}}));
    EXPECT_EQ(CurrentWindow, WIN_XY);
    EXPECT_NEAR(xcontrol[0], -1.75, 1e-12);
    EXPECT_NEAR(xcontrol[3], 8.75, 1e-12);

    status = 0;  // no adding on empty space
    selectnode(xyscreenx(-5), xyscreeny(-5), WIN_XY);
    EXPECT_EQ(ObjectPtr->count, 2);
    EXPECT_EQ(CurrSelectPoint, nullptr);
}

// Presses on empty space in each view, then drags of +40 px right and +20 px
// up: the node follows the pointer in the view's two coordinates and keeps
// the third. In the XZ view z grows downward.
TEST_F(Press, PressAndDragInEachView)
{
    struct Case {
        int view, x, y;  // press on the screen
        P3 added, dragged;
    } cases[] = {
        {WIN_YZ, 0 + 260, 100, {0, -5, 3}, {0, -4, 5}},
        {WIN_XY, 425 + 260, 100, {3, -5, 0}, {5, -4, 0}},
        {WIN_XZ, 842 + 260, 300, {3, 0, -5}, {5, 0, -6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view);
        delete_path();
        selectnode(c.x, c.y, c.view);
        ASSERT_EQ(nodes(), std::vector<P3>{c.added});
        movenode(c.x + 40, c.x, c.y + 20, c.y, c.view);
        EXPECT_EQ(nodes(), std::vector<P3>{c.dragged});
        movenode(c.x, c.x, c.y, c.y, c.view);  // back to the press: back where it was
        EXPECT_EQ(nodes(), std::vector<P3>{c.added});
    }
}

TEST_F(Press, ViewPointModeOnlyDragsTheLastNode)
{
    addall({{0, 0, 0}, {5, 0, 0}});
    selectnode(xyscreenx(0), xyscreeny(0), WIN_XY);
    ControlNode* picked = CurrSelectPoint;
    ASSERT_EQ(picked, ObjectPtr->head);

    mode = 2;
    selectnode(xyscreenx(5), xyscreeny(0), WIN_XZ);      // on the other node, in another view
    selectnode(xyscreenx(-8), xyscreeny(8), WIN_XY);     // on empty space
    EXPECT_EQ(ObjectPtr->count, 2);
    EXPECT_EQ(CurrSelectPoint, picked);
    EXPECT_EQ(CurrentWindow, WIN_XY);

    movenode(100, 80, 50, 50, WIN_XY);  // 20 px right
    EXPECT_EQ(nodes(), (std::vector<P3>{{1, 0, 0}, {5, 0, 0}}));

    CurrSelectPoint = nullptr;
    movenode(200, 80, 50, 50, WIN_XY);  // nothing selected: nothing moves
    EXPECT_EQ(nodes(), (std::vector<P3>{{1, 0, 0}, {5, 0, 0}}));
}
