// Dragging the knobs of a slider and of a colour slider with scripted input.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/model.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "platform/screen.h"
#include "scripted_input.h"

using scripted::Move;
using scripted::Press;
using scripted::Release;
using scripted::Script;

namespace {

// A panel window away from the screen's corner, so that the origin matters.
class Drag : public ::testing::Test {
protected:
    void SetUp() override
    {
        stepsize = helico_stepsize;
        std::memcpy(mat, material, sizeof mat);
        gl::prefposition(100, 500, 50, 600);
        wid = gl::winopen("Adjust parameter");
        gl::RGBmode();
        gl::doublebuffer();
        gl::gconfig();
        gl::getorigin(&ox, &oy);
    }
    void TearDown() override
    {
        gl::winclose(wid);
        helico_stepsize = stepsize;
        std::memcpy(material, mat, sizeof mat);
        InitParambar();
    }
    // Presses at window position (x, y) and hands the press to barMove.
    void press(ParameterBar* bar, int x, int y)
    {
        gl::rawpointer(ox + x, oy + y);
        gl::rawbutton(gl::LEFTMOUSE, 1);
        barMove(bar, ox + x, oy + y, ox, oy);
    }
    void pressrgb(RGBBar* bar, int x, int y)
    {
        gl::rawpointer(ox + x, oy + y);
        gl::rawbutton(gl::LEFTMOUSE, 1);
        RGBbarMove(bar, ox + x, oy + y, ox, oy);
    }
    double stepsize = 0;
    float mat[15] = {};
    gl::Int32 wid = 0, ox = 0, oy = 0;
};

// The knob of "No of segment of helico to draw" sits at (20, 300) with the
// default 16; a hit drags it to the far right, which gives 300.
TEST_F(Drag, PressHitsWithinTheKnobRadius)
{
    struct Case {
        int dx, dy;
        bool hit;
    } cases[] = {
        {12, 0, true},    // 144
        {13, 0, false},   // 169
        {10, 7, true},    // 149, the largest square distance that still hits
        {-7, -10, true},  // 149
        {12, 3, false},   // 153, the next one above
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        helico_stepsize = 16.0;
        InitParambar();
        ASSERT_EQ(parameterbar[4].knobx, 20);
        Script s({Move(ox + 2000, oy + 300), Release()});
        press(&parameterbar[4], 20 + c.dx, 300 + c.dy);
        EXPECT_EQ(helico_stepsize, c.hit ? 300.0 : 16.0);
        EXPECT_EQ(s.left(), c.hit ? 0u : 2u);
    }
}

TEST_F(Drag, KnobFollowsThePointerAndStopsAtTheTrackEnds)
{
    struct Case {
        int x, y;  // where the pointer goes, window coordinates
        double value;
        int knob;
    } cases[] = {
        {2000, 300, 300.0, 215},   // past the right end: exactly the maximum
        {-500, 300, 8.0, 15},      // past the left end: the minimum
        {115, 900, 154.0, 115},    // 292 * 100 / 200 + 8, pointer far above
        {65, -400, 81.0, 65},      // 292 * 50 / 200 + 8, pointer far below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        helico_stepsize = 16.0;
        InitParambar();
        Script s({Move(ox + 40, oy + 300), Move(ox + c.x, oy + c.y), Release()});
        press(&parameterbar[4], 20, 300);
        EXPECT_EQ(helico_stepsize, c.value);
        EXPECT_EQ(parameterbar[4].knobx, c.knob);
    }
}

// A value loaded from elsewhere puts the knob off the track; the first drag
// brings it back inside.
TEST_F(Drag, KnobOffTheTrackIsPulledBackByADrag)
{
    helico_stepsize = 500.0;
    InitParambar();
    ASSERT_EQ(parameterbar[4].knobx, 351);
    Script s({Move(ox + 360, oy + 300), Release()});
    press(&parameterbar[4], 351, 300);
    EXPECT_EQ(parameterbar[4].knobx, 215);
    EXPECT_EQ(helico_stepsize, 300.0);
}

// "Pattern color" (x 10, y 70): red knob at height 150, green 115, blue 80.
TEST_F(Drag, ColourChannelsReachZeroAndOneAndTheSwatchFollows)
{
    material[3] = material[4] = material[5] = 0.5f;
    InitParambar();
    ASSERT_EQ(patterncolorbar[0].greenknobx, 120);
    struct Case {
        int knoby;
        int tox;
        double* channel;
        double value;
    } cases[] = {
        {150, 2000, &pattern_r, 1.0},
        {115, -300, &pattern_g, 0.0},
        {80, 5, &pattern_b, 0.0},
    };
    for (const Case& c : cases) {
        Script s({Move(ox + c.tox, oy + c.knoby + 300), Release()});
        pressrgb(patterncolorbar, 120, c.knoby);
        EXPECT_EQ(*c.channel, c.value);
    }
    // one press moves one knob only
    EXPECT_EQ(patterncolorbar[0].redknobx, 220);
    EXPECT_EQ(patterncolorbar[0].greenknobx, 20);
    EXPECT_EQ(patterncolorbar[0].blueknobx, 20);

    // the swatch (x 250..300, y 80..160 in the window) is pure red now
    int w = gl::screen_width(), h = gl::screen_height();
    std::vector<std::uint32_t> screen((std::size_t)w * h);
    gl::screen_compose(screen.data());
    int sx = ox + 275, sy = oy + 120;
    std::uint32_t px = screen[(std::size_t)(h - 1 - sy) * w + sx];
    EXPECT_EQ(px & 0xFFFFFF, 0x0000FFu);
}

}  // namespace

namespace {

// A drag draws each step into one buffer and swaps; after a second bar's
// drag has swapped again, the first bar must still show where it was left,
// whichever buffer is in front.
TEST_F(Drag, AnEarlierDragStaysShownAfterAnotherBarSwaps)
{
    for (int colourmoves = 1; colourmoves <= 2; colourmoves++) {
        SCOPED_TRACE(colourmoves);
        helico_stepsize = 16.0;
        InitParambar();
        redrawbar(parameterbar, 11);
        gl::swapbuffers();
        redrawbar(parameterbar, 11);
        drawRGBbar(patterncolorbar);
        {
            Script s({Move(ox + 60, oy + 300), Move(ox + 100, oy + 300), Release()});
            press(&parameterbar[4], 20, 300);
        }
        std::vector<scripted::Step> steps;
        for (int i = 1; i <= colourmoves; i++) steps.push_back(Move(ox + 20 + 10 * i, oy + 80 + 70));
        steps.push_back(Release());
        {
            Script s(steps);
            pressrgb(patterncolorbar, 20 + (int)(material[3] * 200), 150);
        }
        std::vector<std::uint32_t> screen(gl::screen_width() * gl::screen_height());
        gl::screen_compose(screen.data());
        auto at = [&](int x, int y) {
            return screen[(gl::screen_height() - 1 - (oy + y)) * gl::screen_width() + ox + x] & 0xFFFFFF;
        };
        EXPECT_EQ(at(100, 300), 0x505050u);  // the knob where the drag ended
        EXPECT_NE(at(60, 300), 0x505050u);   // not where it was one step before
    }
}

}  // namespace
