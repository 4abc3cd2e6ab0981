// Which windows redraw() and redraw2() draw again after a change in each
// window: every window is first filled with a marker colour, and a window
// that was drawn again no longer shows it.
#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "curve/curve.h"
#include "platform/gl.h"
#include "platform/screen.h"

namespace {

const std::uint32_t MARKER = 0x00563412;  // packed 0x00BBGGRR

struct Win {
    std::int32_t* id;
    std::int32_t *x, *y;
};

class Redraw : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ObjectPtr = &AnimateObject;
        InitWin();
    }

    // Order: shell, growth axis, YZ, XY, XZ, parameter window.
    std::vector<Win> windows()
    {
        return {{&seawid, &seaxorigin, &seayorigin},
                {&heli_wid, &heli_xorigin, &heli_yorigin},
                {&generatewid3, &generatexorigin3, &generateyorigin3},
                {&generatewid, &generatexorigin, &generateyorigin},
                {&generatewid2, &generatexorigin2, &generateyorigin2},
                {&parawid, &paraxorigin, &parayorigin}};
    }

    void mark()
    {
        for (const Win& w : windows()) {
            gl::winset(*w.id);
            gl::cpack(MARKER);
            gl::clear();
            gl::swapbuffers();
            gl::clear();
        }
    }

    // Which of the six windows were drawn again (no longer show the marker
    // at their lower-left corner).
    std::vector<int> drawn()
    {
        std::vector<std::uint32_t> screen(gl::screen_width() * gl::screen_height());
        gl::screen_compose(screen.data());
        std::vector<int> out;
        for (const Win& w : windows()) {
            int x = *w.x + 2, y = *w.y + 2;
            std::uint32_t px = screen[(gl::screen_height() - 1 - y) * gl::screen_width() + x];
            out.push_back((px & 0x00FFFFFF) == MARKER ? 0 : 1);
        }
        return out;
    }
};

TEST_F(Redraw, DispatchTable)
{
    // shell, growth axis, YZ, XY, XZ, parameter window
    struct Case { int w; std::vector<int> full, drag; } cases[] = {
        {0, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 0}},
        {1, {1, 0, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 0}},
        {2, {1, 1, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 0}},
        {3, {1, 0, 1, 1, 1, 0}, {0, 0, 1, 1, 1, 0}},
        {4, {1, 0, 1, 1, 1, 0}, {0, 0, 1, 1, 1, 0}},
        {5, {1, 0, 1, 1, 1, 0}, {0, 0, 1, 1, 1, 0}},
        {6, {1, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        mark();
        redraw(c.w);
        EXPECT_EQ(drawn(), c.full) << "redraw(" << c.w << ")";
        mark();
        redraw2(c.w);
        EXPECT_EQ(drawn(), c.drag) << "redraw2(" << c.w << ")";
    }
}

}  // namespace
