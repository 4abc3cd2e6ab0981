// The replay script: malformed lines are refused with their line number
// before anything runs; good lines become the input changes they name, one
// per wait of the program; "polls" hands a line to a polling loop.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/backends/headless.h"
#include "platform/gl.h"

namespace {

struct Bad {
    const char* line;
    const char* says;  // part of the message
};

TEST(ReplayScript, MalformedLinesAreRefusedWithTheirNumber)
{
    const Bad cases[] = {
        {"jump 1 2", "unknown action"},
        {"move 10", "usage: move X Y"},
        {"move 10 ten", "whole numbers"},
        {"move 1600 0", "off the screen"},
        {"click left -1 5", "off the screen"},
        {"press thumb", "unknown button"},
        {"click 10 10 left", "unknown button"},
        {"drag 0 0 10 10 0", "STEPS"},
        {"drag 0 0 10", "usage: drag"},
        {"key f1", "unknown key"},
        {"keydown A", "unknown key"},
        {"type file.shl", "\".\" cannot be typed"},
        {"type two words", "usage: type"},
        {"type \"ab", "unterminated quote"},
        {"menu", "usage: menu"},
        {"menu \"Load\"x", "after a closing quote"},
        {"quit now", "usage: quit"},
        {"screenshot", "usage: screenshot"},
        {"dump a.json b.json", "usage: dump"},
        {"polls 0", "1 or more"},
    };
    for (const Bad& c : cases) {
        // Good lines, a comment and a blank line come first.
        std::string text = "# a comment\nmove 1 1  # to the corner\n\nkey a\n" + std::string(c.line) + "\nquit\n";
        int line = 0;
        std::string message;
        EXPECT_EQ(gl::replay_parse(text, &line, &message), 0) << c.line;
        EXPECT_EQ(line, 5) << c.line;
        EXPECT_NE(message.find(c.says), std::string::npos) << c.line << ": " << message;
    }
}

TEST(ReplayScript, GoodLinesAreAccepted)
{
    const char* lines[] = {
        "move 0 0", "move 1599 1199", "press left", "release middle", "click right 5 5",
        "drag 1 2 3 4", "drag 1 2 3 4 1", "key kp9", "keyup rightshift", "keydown backspace",
        "key enter", "key escape", "type Shell01", "type \"a#b\"", "menu Raytracing 200x200",
        "menu Load \"shell parameters\"", "quit", "screenshot out.png", "dump \"my state.json\"",
        "polls 100", "   # only a comment", "",
    };
    for (const char* l : lines) {
        int line = 0;
        std::string message;
        EXPECT_EQ(gl::replay_parse(std::string(l) + "\r\n", &line, &message), 1) << l << ": " << message;
    }
}

class ReplayRun : public ::testing::Test {
protected:
    void load(const char* text)
    {
        for (gl::Device d = 0; d < 600; d++) {
            gl::unqdevice(d);
            gl::rawbutton(d, 0);
        }
        gl::qreset();
        gl::waitinput();  // no backend yet: marks the resets as seen
        int line;
        std::string message;
        ASSERT_EQ(gl::replay_parse(text, &line, &message), 1) << message;
        gl::headless_start("test.replay");
    }
    void TearDown() override { gl::setbackend(nullptr); }

    static int x() { return pointer(gl::MOUSEX); }
    static int y() { return pointer(gl::MOUSEY); }
    static int pointer(gl::Device d)
    {
        short v;
        gl::getdev(1, &d, &v);
        return v;
    }
};

TEST_F(ReplayRun, EachWaitTakesOneChange)
{
    load("click left 10 20\n"
         "drag 100 50 0 0 4\n");
    struct Seen { int x, y, left; } expected[] = {
        {10, 20, 0}, {10, 20, 1}, {10, 20, 0},                  // click
        {100, 50, 0}, {100, 50, 1},                               // drag: to the start, press,
        {75, 38, 1}, {50, 25, 1}, {25, 13, 1}, {0, 0, 1},        // four steps (-12.5 -> -12),
        {0, 0, 0},                                                // release
    };
    for (const Seen& s : expected) {
        gl::waitinput();
        EXPECT_EQ(x(), s.x);
        EXPECT_EQ(y(), s.y);
        EXPECT_EQ(gl::getbutton(gl::LEFTMOUSE), s.left);
    }
}

TEST_F(ReplayRun, TypeHoldsShiftForCapitalsAndShiftedDigits)
{
    load("type \"aB#7\"  # a comment after the text\nkey kp7\n");
    for (gl::Device d : {11, 36, 15, 31, 67}) gl::qdevice(d);
    // Read as the file-name dialog does: the shift state when the key is read.
    std::string typed;
    for (int presses = 0; presses < 5;) {
        short v;
        gl::Device d = gl::qread(&v);
        if (!v) continue;
        presses++;
        bool shift = gl::getbutton(gl::LEFTSHIFTKEY) || gl::getbutton(gl::RIGHTSHIFTKEY);
        typed += std::to_string(d) + (shift ? "S " : " ");
    }
    EXPECT_EQ(typed, "11 36S 15S 31 67 ");
}

TEST_F(ReplayRun, PollsHandsTheNextLineToThePollingLoop)
{
    load("click left 5 5\n"
         "polls 3\n"
         "press middle\n"
         "move 9 9\n");
    for (int i = 0; i < 3; i++) gl::waitinput();  // the click
    gl::pollinput();
    gl::pollinput();
    EXPECT_FALSE(gl::getbutton(gl::MIDDLEMOUSE));
    gl::pollinput();
    EXPECT_TRUE(gl::getbutton(gl::MIDDLEMOUSE)) << "the third poll carries the line out";
    gl::pollinput();
    EXPECT_EQ(x(), 5) << "without polls, polling takes no line";
    gl::waitinput();
    EXPECT_EQ(x(), 9);
}

TEST_F(ReplayRun, AWaitBeforeThePollsComeTakesTheLine)
{
    load("press left\npolls 50\nrelease left\n");
    gl::waitinput();
    for (int i = 0; i < 10; i++) gl::pollinput();
    EXPECT_TRUE(gl::getbutton(gl::LEFTMOUSE));
    gl::waitinput();
    EXPECT_FALSE(gl::getbutton(gl::LEFTMOUSE));
}

TEST_F(ReplayRun, TheScriptsEndSendsQuitThenGivesUp)
{
    load("key escape\n");
    gl::qdevice(gl::WINQUIT);
    short v;
    gl::waitinput();
    gl::waitinput();
    EXPECT_EQ(gl::qread(&v), gl::WINQUIT);
    EXPECT_EXIT(gl::waitinput(), ::testing::ExitedWithCode(3), "script ended");
}

TEST_F(ReplayRun, AMenuEntryThatIsNotOpenFailsWithItsLine)
{
    load("move 700 700\nmenu Nowhere\n");
    gl::Int32 menu = gl::defpup("Seashell %t|Redraw|Quit");
    gl::qdevice(gl::RIGHTMOUSE);
    short v;
    ASSERT_EQ(gl::qread(&v), gl::RIGHTMOUSE);
    EXPECT_EXIT(gl::dopup(menu), ::testing::ExitedWithCode(3), "test.replay:2: no menu entry \"Nowhere\"");
}

TEST_F(ReplayRun, ScreenshotAndDumpRunAtOnce)
{
    static std::vector<std::string> dumped;
    gl::setdumphook([](const char* path) {
        dumped.push_back(path);
        return 1;
    });
    load("dump one.json\nmove 3 4\ndump \"two words.json\"\ndump three.json\nmove 5 6\n");
    gl::waitinput();
    EXPECT_EQ(dumped, (std::vector<std::string>{"one.json"}));
    gl::waitinput();
    EXPECT_EQ(dumped, (std::vector<std::string>{"one.json", "two words.json", "three.json"}));
    EXPECT_EQ(x(), 5);
    gl::setdumphook(nullptr);
}

// Runs the built tool in a fresh directory of the build tree on a copy of
// script; returns its exit status, -1 when it is not built.
int runtool(const std::string& name, const std::string& script, std::string* err)
{
    namespace fs = std::filesystem;
    fs::path tool = fs::path(SEASHELL_BINARY_DIR) / "tools/replay/seashell-replay";
    if (!fs::exists(tool)) return -1;
    fs::path dir = fs::path(SEASHELL_BINARY_DIR) / "scenario-runs" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "script.replay") << script;
    std::string cmd = "cd '" + dir.string() + "' && '" + tool.string() + "' script.replay 2> err.txt";
    int status = std::system(cmd.c_str());
    std::ifstream in(dir / "err.txt");
    err->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
}

std::string readtext(const std::filesystem::path& p)
{
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ReplayTool, MalformedScriptExitsWithStatusTwoBeforeAnythingRuns)
{
    std::string err;
    int status = runtool("malformed", "dump before.json\nmove 1 1\nclick left 1\n", &err);
    if (status < 0) GTEST_SKIP() << "seashell-replay is not built";
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.find("script.replay:3:"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(SEASHELL_BINARY_DIR) /
                                         "scenario-runs/malformed/before.json"))
        << "the program ran";
}

TEST(ReplayTool, SmokeScenarioChoosesThroughASubmenuAndQuits)
{
    std::string script = readtext(std::filesystem::path(SEASHELL_SOURCE_DIR) / "tests/scenarios/smoke_menu_quit.replay");
    ASSERT_FALSE(script.empty());
    std::string err;
    int status = runtool("smoke", script, &err);
    if (status < 0) GTEST_SKIP() << "seashell-replay is not built";
    EXPECT_EQ(status, 0) << err;
    std::string dump = readtext(std::filesystem::path(SEASHELL_BINARY_DIR) / "scenario-runs/smoke/state.json");
    EXPECT_NE(dump.find("\"shellmode\":18"), std::string::npos) << "Option > Solid did not reach the program";
}

}  // namespace
