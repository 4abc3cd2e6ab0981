// "Define attribute" and "Define color" driven with scripted input. The
// dialogs open at the screen's lower-left corner, so window and screen
// coordinates are the same here.
#include <gtest/gtest.h>

#include <cstring>

#include "app/model.h"
#include "panels/panels.h"
#include "scripted_input.h"

using scripted::Move;
using scripted::Press;
using scripted::Release;
using scripted::Script;

namespace {

int redraws = 0;
void countredraw() { ++redraws; }

class Dialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memcpy(mat, material, sizeof mat);
        std::memcpy(l1, light1, sizeof l1);
        std::memcpy(l2, light2, sizeof l2);
        bg[0] = background_r; bg[1] = background_g; bg[2] = background_b;
        reflect = reflectvalue;
        saved = dialogshellredraw;
        dialogshellredraw = countredraw;
        redraws = 0;
    }
    void TearDown() override
    {
        dialogshellredraw = saved;
        std::memcpy(material, mat, sizeof mat);
        std::memcpy(light1, l1, sizeof l1);
        std::memcpy(light2, l2, sizeof l2);
        background_r = bg[0]; background_g = bg[1]; background_b = bg[2];
        reflectvalue = reflect;
        InitParambar();
    }
    float mat[15] = {}, l1[10] = {}, l2[10] = {};
    double bg[3] = {}, reflect = 0;
    void (*saved)() = nullptr;
};

TEST_F(Dialog, OkClosesOnlyInsideItsBounds)
{
    struct Case {
        int x, y;
        bool closes;
    } cases[] = {
        {40, 30, false}, {120, 30, false}, {41, 30, true}, {119, 30, true},
        {80, 10, false}, {80, 50, false}, {80, 11, true}, {80, 49, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        InitParambar();
        Script s({Move(c.x, c.y), Press(), Release(), Move(80, 30), Press()});
        attributebox();
        // closing at the first click leaves the second one unread
        EXPECT_EQ(s.left() == 3, c.closes);
        EXPECT_EQ(redraws, 0);
    }
}

// "Shinness" (knob height 780) from 64 (knob 120) past the right end.
TEST_F(Dialog, ShininessAtTheEndRedrawsTheShellOnce)
{
    material[1] = 64.0f;
    InitParambar();
    Script s({Move(120, 780), Press(), Move(330, 780), Move(600, 780), Release(), Move(80, 30), Press()});
    attributebox();
    EXPECT_EQ(s.left(), 0u);
    EXPECT_EQ(shinnessvalue, 128.0);
    EXPECT_EQ(material[1], 128.0f);
    EXPECT_EQ(redraws, 1);
}

// The OK test comes before the bars in each pass: a drag that ends over OK
// does not close, the next click there does.
TEST_F(Dialog, DragEndingOnOkDoesNotClose)
{
    material[1] = 128.0f;
    InitParambar();
    Script s({Move(220, 780), Press(), Move(80, 30), Release(), Press(), Release()});
    attributebox();
    EXPECT_EQ(s.left(), 1u);
    EXPECT_EQ(material[1], 38.4f);  // 128 * (80 - 20) / 200
    EXPECT_EQ(redraws, 1);
}

// Values with no list element change, but the shell is not redrawn.
TEST_F(Dialog, ReflectionAndBackgroundDoNotRedrawTheShell)
{
    struct Case {
        int knobx, knoby;
        double* variable;
    } cases[] = {
        {60, 730, &reflectvalue},  // 0.2 on a 0..1 bar
        {20, 280, &background_r},  // red knob of "Background color" (y 200)
    };
    for (const Case& c : cases) {
        reflectvalue = 0.2;
        background_r = 0.0;
        InitParambar();
        Script s({Move(c.knobx, c.knoby), Press(), Move(900, c.knoby), Release(), Move(80, 30), Press()});
        attributebox();
        EXPECT_EQ(*c.variable, 1.0);
    }
    EXPECT_EQ(redraws, 0);
}

// Each colour bar writes its list element; the red knobs start at the right
// end (1.0) and go to the left end.
TEST_F(Dialog, ColourBarsWriteTheirListElements)
{
    struct Case {
        int knoby;
        float* element;
    } cases[] = {
        {670, &light1[6]},    // "Light 1 color", y 590
        {540, &light2[6]},    // "Light 2 color", y 460
        {410, &material[7]},  // "Specular color", y 330
        {150, &material[3]},  // "Pattern color", y 70
    };
    for (const Case& c : cases) {
        light1[6] = light2[6] = material[7] = material[3] = 1.0f;
        InitParambar();
        redraws = 0;
        Script s({Move(220, c.knoby), Press(), Move(-50, c.knoby), Release(), Move(80, 30), Press()});
        attributebox();
        EXPECT_EQ(*c.element, 0.0f);
        EXPECT_EQ(redraws, 1);
    }
}

// 0.005 has no exact float: the list holds its rounding, and later passes
// must not take the difference for a new change.
TEST_F(Dialog, InexactValueRedrawsOnlyOnce)
{
    material[4] = 0.0f;
    InitParambar();
    Script s({Move(20, 115), Press(), Move(21, 115), Release(), Move(200, 400), Move(210, 400),
              Move(220, 400), Move(80, 30), Press()});
    attributebox();
    EXPECT_EQ(pattern_g, 0.005);
    EXPECT_EQ(material[4], 0.005f);
    EXPECT_EQ(redraws, 1);
}

TEST_F(Dialog, DefineColorEditsThePatternOnly)
{
    material[3] = 1.0f;
    InitParambar();
    Script s({Move(220, 150), Press(), Move(120, 150), Release(), Move(40, 30), Press(), Release(),
              Move(80, 30), Press()});
    colorwindow();
    EXPECT_EQ(s.left(), 0u);
    EXPECT_EQ(material[3], 0.5f);
    EXPECT_EQ(redraws, 1);
}

}  // namespace
