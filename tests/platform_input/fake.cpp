#include "fake.h"

#include <gtest/gtest.h>

namespace fake {

std::deque<std::function<void()>> actions;
int waits = 0;

static void wait()
{
    waits++;
    if (actions.empty()) {
        gl::rawquit();
        return;
    }
    std::function<void()> a = actions.front();
    actions.pop_front();
    a();
}

static void nothing() {}
static void changed(bool) {}
static void pause(int) {}

static const gl::Backend backend = {wait, nothing, changed, pause};

void install()
{
    gl::setbackend(nullptr);
    for (gl::Device d = 0; d < 600; d++) {
        gl::unqdevice(d);
        gl::rawbutton(d, 0);
    }
    gl::qreset();
    gl::waitinput();  // no backend: marks the resets as seen
    gl::setbackend(&backend);
    actions.clear();
    waits = 0;
}

void uninstall()
{
    gl::setbackend(nullptr);
    actions.clear();
}

std::function<void()> move(int x, int y)
{
    return [=] { gl::rawpointer(x, y); };
}

std::function<void()> button(gl::Device dev, int down)
{
    return [=] { gl::rawbutton(dev, down); };
}

std::function<void()> key(gl::Device dev, int down)
{
    return [=] { gl::rawkey(dev, down); };
}

std::function<void()> entry(int level, const char* label)
{
    return [=] {
        int x, y, sub;
        ASSERT_TRUE(gl::menu_findentry(level, label, &x, &y, &sub)) << label;
        gl::rawpointer(x, y);
    };
}

}  // namespace fake
