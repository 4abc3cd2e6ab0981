// robust_fixture.h - hostile-file tests: a fresh directory per test (the
// file tests' fixture), the message box caught as it is shown, and the whole
// model state as one comparable text.
//
// Messages: while a test runs, a backend that answers the message box's
// pause takes a copy of the box as it stands on the screen. A message is
// recognised by comparing that copy with the box of the expected text shown
// the same way, so nothing depends on the font.
#pragma once
#include "../files/files_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/backend.h"

namespace robust {

// The pixels of one message box as shown.
typedef std::vector<std::uint32_t> Box;

inline std::vector<Box>& shownboxes()
{
    static std::vector<Box> boxes;
    return boxes;
}

// The pause of the message box: copy the newest window, the box.
inline void catchbox(int)
{
    gl::WindowInfo w[64];
    int n = gl::screen_windows(w, 64);
    if (n <= 0) return;
    const gl::WindowInfo& top = w[n < 64 ? n - 1 : 63];
    std::vector<std::uint32_t> screen((std::size_t)gl::screen_width() * gl::screen_height());
    gl::screen_compose(screen.data());
    Box box;
    for (int y = top.y; y < top.y + top.height; ++y)
        for (int x = top.x; x < top.x + top.width; ++x)
            box.push_back(screen[(std::size_t)(gl::screen_height() - 1 - y) * gl::screen_width() + x]);
    shownboxes().push_back(box);
}

inline void nothing() {}

// Nothing in these tests may wait for input: there is none to come.
inline void nowait()
{
    std::fprintf(stderr, "the program waits for input in a test without any\n");
    std::abort();
}

inline const gl::Backend& boxcatcher()
{
    static const gl::Backend b = {nowait, nothing, nullptr, catchbox};
    return b;
}

// The box that messagebox shows for the file error format with name.
inline Box boxof(const char* format, const char* name)
{
    char text[256];
    std::snprintf(text, sizeof text, format, name);
    std::vector<Box> saved;
    saved.swap(shownboxes());
    messagebox(text);
    Box box = shownboxes().empty() ? Box() : shownboxes().back();
    saved.swap(shownboxes());
    return box;
}

// Every model variable, the nodes, the sampled curve, the windows and the
// bars, as the replay tool's dump writes them.
inline std::string modelstate()
{
    const char* path = "state.json";
    if (!dumpmodel(path)) return "";
    Bytes b = readbytes(path);
    std::remove(path);
    return std::string(b.begin(), b.end());
}

// Where two model states first differ, with a little context, for messages.
inline std::string firstdifference(const std::string& a, const std::string& b)
{
    std::size_t k = 0;
    while (k < a.size() && k < b.size() && a[k] == b[k]) ++k;
    if (k == a.size() && k == b.size()) return "no difference";
    std::size_t from = k > 60 ? k - 60 : 0;
    return "differs at " + std::to_string(k) + ": ..." + a.substr(from, 100) + "... against ..." +
           b.substr(from, 100) + "...";
}

class RobustTest : public FilesTest {
protected:
    void SetUp() override
    {
        FilesTest::SetUp();
        shownboxes().clear();
        gl::setbackend(&boxcatcher());
    }
    void TearDown() override
    {
        gl::setbackend(nullptr);
        FilesTest::TearDown();
    }
};

}  // namespace robust
