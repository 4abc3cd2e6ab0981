// The event queue and the input state: which changes are queued, what the
// program reads back, and when qread waits.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "fake.h"
#include "platform/gl.h"

using fake::actions;

namespace {

class EventQueue : public ::testing::Test {
protected:
    void SetUp() override { fake::install(); }
    void TearDown() override { fake::uninstall(); }

    std::vector<std::pair<gl::Device, short>> drain()
    {
        std::vector<std::pair<gl::Device, short>> out;
        while (gl::qtest()) {
            short v;
            gl::Device d = gl::qread(&v);
            out.push_back({d, v});
        }
        return out;
    }
};

using Events = std::vector<std::pair<gl::Device, short>>;

TEST_F(EventQueue, HoldsOnlyTheDevicesAskedFor)
{
    gl::qdevice(gl::LEFTMOUSE);
    gl::qdevice(gl::ESCKEY);
    gl::qdevice(gl::LEFTSHIFTKEY);  // shift keys are read, never queued
    gl::rawbutton(gl::MIDDLEMOUSE, 1);
    gl::rawbutton(gl::LEFTMOUSE, 1);
    gl::rawkey(gl::LEFTSHIFTKEY, 1);
    gl::rawkey(11, 1);  // "a", not asked
    gl::rawbutton(gl::LEFTMOUSE, 1);  // no change, no event
    gl::rawkey(gl::ESCKEY, 1);
    gl::rawbutton(gl::LEFTMOUSE, 0);
    gl::rawpointer(300, 200);  // valuators are read with getdev
    EXPECT_EQ(drain(), (Events{{gl::LEFTMOUSE, 1}, {gl::ESCKEY, 1}, {gl::LEFTMOUSE, 0}}));

    // The state of every device is kept, queued or not.
    EXPECT_TRUE(gl::getbutton(gl::MIDDLEMOUSE));
    EXPECT_TRUE(gl::getbutton(gl::LEFTSHIFTKEY));
    EXPECT_TRUE(gl::getbutton(11));
    EXPECT_FALSE(gl::getbutton(gl::LEFTMOUSE));
    const gl::Device devs[3] = {gl::MOUSEX, gl::MOUSEY, gl::MIDDLEMOUSE};
    short vals[3];
    gl::getdev(3, devs, vals);
    EXPECT_EQ(vals[0], 300);
    EXPECT_EQ(vals[1], 200);
    EXPECT_EQ(vals[2], 1);

    gl::unqdevice(gl::LEFTMOUSE);
    gl::rawbutton(gl::LEFTMOUSE, 1);
    EXPECT_EQ(gl::qtest(), 0);
}

TEST_F(EventQueue, ReadsInOrderAndResets)
{
    gl::qdevice(gl::RIGHTMOUSE);
    gl::qdevice(gl::WINQUIT);
    gl::qenter(gl::DRAGSTEP, 0);
    gl::rawbutton(gl::RIGHTMOUSE, 1);
    gl::qenter(300, 7);
    gl::rawquit();
    EXPECT_EQ(gl::qtest(), gl::DRAGSTEP);
    EXPECT_EQ(gl::qtest(), gl::DRAGSTEP) << "qtest must not take the event";
    EXPECT_EQ(drain(), (Events{{gl::DRAGSTEP, 0}, {gl::RIGHTMOUSE, 1}, {300, 7}, {gl::WINQUIT, 1}}));

    gl::qenter(gl::DRAGSTEP, 0);
    gl::rawbutton(gl::RIGHTMOUSE, 0);
    gl::qreset();
    EXPECT_EQ(gl::qtest(), 0);
    EXPECT_EQ(fake::waits, 0) << "events already queued are read without waiting";
}

TEST_F(EventQueue, QreadWaitsUntilAnEventIsQueued)
{
    gl::qdevice(gl::LEFTMOUSE);
    actions = {fake::move(10, 10), fake::button(gl::MIDDLEMOUSE, 1), fake::button(gl::LEFTMOUSE, 1)};
    short v;
    EXPECT_EQ(gl::qread(&v), gl::LEFTMOUSE);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(fake::waits, 3);
}

TEST_F(EventQueue, DragStepsAloneWaitForNewInput)
{
    // The loop queues a drag step after each step; reading it back at once
    // would spin while the button is held still.
    gl::qdevice(gl::LEFTMOUSE);
    gl::rawbutton(gl::LEFTMOUSE, 1);
    short v;
    ASSERT_EQ(gl::qread(&v), gl::LEFTMOUSE);
    gl::qenter(gl::DRAGSTEP, 0);
    actions = {fake::move(50, 60)};
    EXPECT_EQ(gl::qread(&v), gl::DRAGSTEP);
    EXPECT_EQ(fake::waits, 1);
    const gl::Device devs[2] = {gl::MOUSEX, gl::MOUSEY};
    short p[2];
    gl::getdev(2, devs, p);
    EXPECT_EQ(p[0], 50);

    // With real input behind it, the step comes first and nothing waits.
    gl::qenter(gl::DRAGSTEP, 0);
    gl::rawbutton(gl::LEFTMOUSE, 0);
    EXPECT_EQ(drain(), (Events{{gl::DRAGSTEP, 0}, {gl::LEFTMOUSE, 0}}));
    EXPECT_EQ(fake::waits, 1);
}

TEST_F(EventQueue, InputTakenInWhileDrawingIsNotWaitedFor)
{
    // The interactive backend takes input in when it presents, in the middle
    // of the program's drawing; waiting then would leave the program a move
    // behind the pointer until the next one.
    gl::qenter(gl::DRAGSTEP, 0);
    gl::rawpointer(70, 80);
    short v;
    EXPECT_EQ(gl::qread(&v), gl::DRAGSTEP);
    EXPECT_EQ(fake::waits, 0);

    gl::rawpointer(71, 80);
    gl::waitinput();
    EXPECT_EQ(fake::waits, 0);
    gl::waitinput();  // nothing new now
    EXPECT_EQ(fake::waits, 1);
}

TEST_F(EventQueue, PointerStaysOnTheScreen)
{
    const int cases[][4] = {{-5, 20, 0, 20}, {1700, 1300, 1599, 1199}, {40, -1, 40, 0}};
    const gl::Device devs[2] = {gl::MOUSEX, gl::MOUSEY};
    for (const auto& c : cases) {
        gl::rawpointer(c[0], c[1]);
        short p[2];
        gl::getdev(2, devs, p);
        EXPECT_EQ(p[0], c[2]);
        EXPECT_EQ(p[1], c[3]);
    }
}

}  // namespace
