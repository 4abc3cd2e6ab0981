// The window finder and the drag arithmetic of the shell and growth-axis
// windows.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/model.h"

namespace {

void setregistry()
{
    // The rectangles as the six windows receive them (size includes both ends).
    seaxorigin = 420; seayorigin = 485; seaxsize = 551; seaysize = 551;
    generatexorigin3 = 0; generateyorigin3 = 0; generatexsize3 = 401; generateysize3 = 401;
    generatexorigin = 425; generateyorigin = 0; generatexsize = 401; generateysize = 401;
    generatexorigin2 = 842; generateyorigin2 = 0; generatexsize2 = 401; generateysize2 = 401;
    heli_xorigin = 0; heli_yorigin = 445; heli_xsize = 401; heli_ysize = 401;
    paraxorigin = 1315; parayorigin = 490; paraxsize = 286; paraysize = 546;
}

TEST(FindWindow, EdgesBelongToTheWindowAndEarlierWindowsWin)
{
    setregistry();
    struct Case { short x, y; int expected; } cases[] = {
        {420, 485, WIN_SHELL},   {971, 1036, WIN_SHELL},  {972, 700, WIN_NONE},
        {0, 0, WIN_YZ},          {401, 401, WIN_YZ},      {402, 200, WIN_NONE},
        {425, 0, WIN_XY},        {826, 401, WIN_XY},      {842, 0, WIN_XZ},
        {1243, 401, WIN_XZ},     {1244, 10, WIN_NONE},    {0, 445, WIN_HELICO},
        {401, 846, WIN_HELICO},  {1315, 490, WIN_PARAM},  {1601, 1036, WIN_PARAM},
        {1314, 700, WIN_NONE},   {410, 1100, WIN_NONE},
    };
    for (const Case& c : cases) {
        mp[0] = c.x;
        mp[1] = c.y;
        EXPECT_EQ(findwindow(), c.expected) << c.x << "," << c.y;
    }
    // Where two rectangles touch, the one tested first wins: the shell
    // window comes before the growth-axis window.
    heli_xorigin = 420; heli_yorigin = 485;
    mp[0] = 500; mp[1] = 500;
    EXPECT_EQ(findwindow(), WIN_SHELL);
    // The YZ view is tested before the XY view.
    generatexorigin = 401;
    mp[0] = 401; mp[1] = 100;
    EXPECT_EQ(findwindow(), WIN_YZ);
}

TEST(ViewDrag, TwentyPixelsMoveOneUnitTowardNegative)
{
    struct Case { int window; short vmodeset; int dx, dy; short ex, ey, ez, lx, ly, lz; } cases[] = {
        // shell window, view mode: x motion -> eye x, y motion -> eye z
        {WIN_SHELL, 1, 100, 0, -5, 0, 0, 0, 0, 0},
        {WIN_SHELL, 1, 19, -19, 0, 0, 0, 0, 0, 0},
        {WIN_SHELL, 1, -40, 60, 2, 0, -3, 0, 0, 0},
        // growth-axis window: x motion -> eye y, y motion -> eye z
        {WIN_HELICO, 1, 100, -41, 0, -5, 2, 0, 0, 0},
        // light mode moves light 1 instead of the eye
        {WIN_SHELL, 15, 100, 20, 0, 0, 0, -5, 0, -1},
        {WIN_HELICO, 15, -20, 39, 0, 0, 0, 0, 1, -1},
    };
    for (const Case& c : cases) {
        sea_xlasteye = sea_ylasteye = sea_zlasteye = 0;
        lightxlast = lightylast = lightzlast = 0;
        vmode = c.vmodeset;
        oldp[0] = 500; oldp[1] = 600;
        mp[0] = (short)(500 + c.dx); mp[1] = (short)(600 + c.dy);
        setT(mp[0], oldp[0], mp[1], oldp[1], c.window);
        EXPECT_EQ(sea_xlasteye, c.ex);
        EXPECT_EQ(sea_ylasteye, c.ey);
        EXPECT_EQ(sea_zlasteye, c.ez);
        EXPECT_EQ(lightxlast, c.lx);
        EXPECT_EQ(lightylast, c.ly);
        EXPECT_EQ(lightzlast, c.lz);
    }
    vmode = 1;
    sea_xlasteye = sea_ylasteye = sea_zlasteye = 0;
    lightxlast = lightylast = lightzlast = 0;
}

}  // namespace
