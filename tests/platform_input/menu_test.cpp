// Popup menus: values from the definition strings, the two ways of choosing,
// the ways of choosing nothing, and that the clicks stay with the menu.
#include <gtest/gtest.h>

#include <vector>

#include "fake.h"
#include "platform/gl.h"

using fake::actions;

namespace {

struct Menus {
    gl::Int32 seashell, spline;
};

// The program's two menus, built as start-up builds them.
Menus build()
{
    gl::Int32 draw = gl::defpup("draw %t|Line %x17|Solid %x18");
    gl::Int32 load = gl::defpup("Load %t|shell parameters %x70|shell bitmap %x71|shell texture %x74");
    gl::Int32 size = gl::defpup(
        "size %t|200x200 %x60|300x300 %x61|400x400 %x62|500x500 %x63|600x600 %x64|700x700 %x65|"
        "800x800 %x66|900x900 %x67|1000x1000 %x68");
    gl::Int32 texture = gl::defpup(
        "texture %t|activator substrate %x50|activator inhibitor %x51|strip formation %x49|"
        "uniform color %x52");
    gl::Int32 save = gl::defpup("Save %t|shell parameters %x72|shell texture %x73");
    gl::Int32 seashell = gl::defpup(
        "Seashell %t |View point|Light position %x15|Option %m|Texture %m|Raytracing %m|Load %m|"
        "Save %m|Library|Attribute|Clear All|Redraw|Quit",
        draw, texture, size, load, save);
    gl::Int32 add = gl::defpup("Add %t|Front %x30|Middle %x31|End %x32");
    gl::Int32 spline = gl::defpup("Spline Curve %t |Modify|View point|Add node %m|Delete node|Clear", add);
    return {seashell, spline};
}

class PopupMenu : public ::testing::Test {
protected:
    Menus m;
    void SetUp() override
    {
        fake::install();
        m = build();
        // The main loop asks for these; none of the menu's clicks may reach it.
        gl::qdevice(gl::RIGHTMOUSE);
        gl::qdevice(gl::LEFTMOUSE);
        gl::qdevice(gl::MIDDLEMOUSE);
        gl::qdevice(gl::ESCKEY);
        gl::rawpointer(800, 600);
    }
    void TearDown() override { fake::uninstall(); }

    // The right press that the main loop has just read.
    void openedbyrightpress()
    {
        gl::rawbutton(gl::RIGHTMOUSE, 1);
        short v;
        ASSERT_EQ(gl::qread(&v), gl::RIGHTMOUSE);
    }
};

struct Path {
    std::vector<const char*> labels;
    bool spline;
    gl::Int32 value;
};

TEST_F(PopupMenu, PressDragReleaseReturnsTheEntrysValue)
{
    const Path paths[] = {
        {{"View point"}, false, 1},
        {{"Light position"}, false, 15},
        {{"Library"}, false, 8},
        {{"Clear All"}, false, 10},
        {{"Quit"}, false, 12},
        {{"Option", "Line"}, false, 17},
        {{"Texture", "strip formation"}, false, 49},
        {{"Raytracing", "1000x1000"}, false, 68},
        {{"Load", "shell texture"}, false, 74},
        {{"Save", "shell parameters"}, false, 72},
        {{"View point"}, true, 2},
        {{"Delete node"}, true, 4},
        {{"Clear"}, true, 5},
        {{"Add node", "Middle"}, true, 31},
    };
    for (const Path& p : paths) {
        openedbyrightpress();
        for (std::size_t i = 0; i < p.labels.size(); i++) actions.push_back(fake::entry((int)i, p.labels[i]));
        actions.push_back(fake::button(gl::RIGHTMOUSE, 0));
        EXPECT_EQ(gl::dopup(p.spline ? m.spline : m.seashell), p.value) << p.labels.back();
        EXPECT_EQ(gl::qtest(), 0) << "a click of the menu reached the queue";
        EXPECT_FALSE(gl::getbutton(gl::RIGHTMOUSE));
    }
}

TEST_F(PopupMenu, ReleasedWithoutChoiceTheNextClickChooses)
{
    // The opening click leaves the menu up; then the pointer goes to the
    // entry (through a submenu) and a click of any button chooses.
    struct Case {
        std::vector<const char*> labels;
        gl::Device button;
        gl::Int32 value;
    } cases[] = {
        {{"Library"}, gl::LEFTMOUSE, 8},
        {{"Option", "Solid"}, gl::LEFTMOUSE, 18},
        {{"Raytracing", "200x200"}, gl::RIGHTMOUSE, 60},
    };
    for (const Case& c : cases) {
        openedbyrightpress();
        actions.push_back(fake::button(gl::RIGHTMOUSE, 0));
        for (std::size_t i = 0; i < c.labels.size(); i++) actions.push_back(fake::entry((int)i, c.labels[i]));
        actions.push_back(fake::button(c.button, 1));
        actions.push_back(fake::button(c.button, 0));
        EXPECT_EQ(gl::dopup(m.seashell), c.value) << c.labels.back();
        EXPECT_EQ(gl::qtest(), 0);
    }
}

TEST_F(PopupMenu, ReleaseOnASubmenuEntryKeepsTheMenuOpen)
{
    openedbyrightpress();
    actions.push_back(fake::entry(0, "Option"));
    actions.push_back(fake::button(gl::RIGHTMOUSE, 0));  // no choice: "Option" only opens "draw"
    actions.push_back(fake::entry(1, "Line"));
    actions.push_back(fake::button(gl::LEFTMOUSE, 1));
    actions.push_back(fake::button(gl::LEFTMOUSE, 0));
    EXPECT_EQ(gl::dopup(m.seashell), 17);
}

TEST_F(PopupMenu, ChoosingNothingReturnsMinusOne)
{
    // Each case runs after the right press that opened the menu.
    const std::vector<std::function<void()>> cases[] = {
        // dragged off the menu and released
        {fake::move(100, 100), fake::button(gl::RIGHTMOUSE, 0)},
        // released in place, then a click elsewhere
        {fake::button(gl::RIGHTMOUSE, 0), fake::move(1500, 100), fake::button(gl::LEFTMOUSE, 1),
         fake::button(gl::LEFTMOUSE, 0)},
        // a submenu open, then a click outside every menu
        {fake::button(gl::RIGHTMOUSE, 0), fake::entry(0, "Option"), fake::move(20, 1190),
         fake::button(gl::MIDDLEMOUSE, 1), fake::button(gl::MIDDLEMOUSE, 0)},
    };
    for (const auto& c : cases) {
        openedbyrightpress();
        actions.assign(c.begin(), c.end());
        EXPECT_EQ(gl::dopup(m.seashell), -1);
        EXPECT_EQ(gl::qtest(), 0);
        EXPECT_TRUE(actions.empty());
    }
}

TEST_F(PopupMenu, EscapeClosesTheMenuAndStaysQueued)
{
    openedbyrightpress();
    actions = {fake::button(gl::RIGHTMOUSE, 0), fake::entry(0, "Quit"), fake::key(gl::ESCKEY, 1)};
    EXPECT_EQ(gl::dopup(m.seashell), -1);
    short v;
    EXPECT_EQ(gl::qread(&v), gl::ESCKEY);
    EXPECT_EQ(v, 1);
}

TEST_F(PopupMenu, ReleaseQueuedBeforeTheMenuShowsIsTaken)
{
    // A quick click: the release is already queued when the loop opens the
    // menu. It must not reach the loop, which would open a second menu.
    gl::rawbutton(gl::RIGHTMOUSE, 1);
    gl::rawbutton(gl::RIGHTMOUSE, 0);
    short v;
    ASSERT_EQ(gl::qread(&v), gl::RIGHTMOUSE);
    actions = {fake::entry(0, "Redraw"), fake::button(gl::LEFTMOUSE, 1), fake::button(gl::LEFTMOUSE, 0)};
    EXPECT_EQ(gl::dopup(m.seashell), 11);
    EXPECT_EQ(gl::qtest(), 0);
}

TEST_F(PopupMenu, OpensInsideTheScreenAtItsEdges)
{
    const int corners[][2] = {{0, 0}, {1599, 1199}, {0, 1199}, {1599, 0}};
    for (const auto& c : corners) {
        gl::rawpointer(c[0], c[1]);
        openedbyrightpress();
        actions = {fake::entry(0, "Raytracing"), fake::entry(1, "1000x1000")};
        // Check the positions while the menus are open, then choose.
        actions.push_back([] {
            for (const char* label : {"View point", "Quit"}) {
                int x, y, sub;
                ASSERT_TRUE(gl::menu_findentry(0, label, &x, &y, &sub));
                EXPECT_TRUE(x >= 0 && x < 1600 && y >= 0 && y < 1200) << label;
            }
            int x, y, sub;
            ASSERT_TRUE(gl::menu_findentry(1, "200x200", &x, &y, &sub));
            EXPECT_TRUE(x >= 0 && x < 1600 && y >= 0 && y < 1200);
            gl::rawbutton(gl::RIGHTMOUSE, 0);
        });
        EXPECT_EQ(gl::dopup(m.seashell), 68) << c[0] << "," << c[1];
    }
}

}  // namespace
