// The file-name dialog: what a sequence of keys types.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/backend.h"
#include "platform/gl.h"

namespace {

// One raw key change per wait of the program.
struct KeyStep {
    const char* key;
    int down;
};
std::vector<KeyStep> keys;
std::size_t nextkey;

void feedkey()
{
    if (nextkey < keys.size()) {
        const KeyStep& k = keys[nextkey++];
        gl::rawkey(gl::keydevice(k.key), k.down);
        return;
    }
    // Out of keys while the dialog still waits: finish it.
    ADD_FAILURE() << "the dialog still waits after the last key";
    gl::rawkey(gl::ENTERKEY, 1);
}
void nopoll() {}
void nochange(bool) {}
void nopause(int) {}
const gl::Backend keybackend = {feedkey, nopoll, nochange, nopause};

std::vector<KeyStep> tap(const char* k) { return {{k, 1}, {k, 0}}; }
// The dialog returns at the press of Enter.
std::vector<KeyStep> enter() { return {{"enter", 1}}; }

std::vector<KeyStep> join(std::initializer_list<std::vector<KeyStep>> parts)
{
    std::vector<KeyStep> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::string run(std::vector<KeyStep> script, bool cancel = false, int* result = nullptr)
{
    // The previous run ended with Enter still down.
    gl::rawkey(gl::ENTERKEY, 0);
    keys = std::move(script);
    nextkey = 0;
    gl::setbackend(&keybackend);
    char name[32];
    std::memset(name, 'x', sizeof name);
    int r = cancel ? getfilenameorcancel(name, "Save parameters to file")
                   : (getfilename(name, "Save parameters to file"), 1);
    gl::setbackend(nullptr);
    if (result) *result = r;
    EXPECT_EQ(nextkey, keys.size()) << "keys left unread";
    return name;
}

TEST(FileNameDialog, KeySequences)
{
    std::vector<KeyStep> twentyone;
    for (int i = 0; i < 21; i++) {
        twentyone.push_back({"q", 1});
        twentyone.push_back({"q", 0});
    }
    twentyone.push_back({"enter", 1});

    struct Case { std::vector<KeyStep> keys; std::string expected; } cases[] = {
        {join({tap("a"), {{"leftshift", 1}}, tap("b"), {{"leftshift", 0}}, enter()}), "aB"},
        {twentyone, std::string(20, 'q')},
        {join({tap("backspace"), tap("x"), enter()}), "x"},
        {join({tap("a"), tap("b"), tap("backspace"), enter()}), "a"},
        // holding a key types once: only the press counts
        {{{"k", 1}, {"k", 0}, {"enter", 1}}, "k"},
        {join({{{"rightshift", 1}}, tap("kp7"), tap("7"), {{"rightshift", 0}}, enter()}), "7&"},
        {join({{{"leftshift", 1}}, tap("1"), tap("2"), tap("0"), {{"leftshift", 0}}, enter()}), "!@)"},
        {enter(), ""},
        // Escape is read and dropped in the plain dialog
        {join({tap("escape"), tap("z"), enter()}), "z"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.keys), c.expected);
}

TEST(FileNameDialog, EscapeCancelsWhereCancelIsOffered)
{
    int result = -1;
    EXPECT_EQ(run(join({tap("a"), tap("escape")}), true, &result), "");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(run(join({tap("a"), enter()}), true, &result), "a");
    EXPECT_EQ(result, 1);
    // The Escape release was taken by the dialog: nothing is left for the
    // main loop to read as a quit.
    gl::qdevice(gl::ESCKEY);
    run(join({tap("escape")}), true, &result);
    EXPECT_EQ(gl::qtest(), 0);
}

}  // namespace
