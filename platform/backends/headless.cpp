// headless.cpp - the replay tool's backend: input from a script, nothing
// shown, virtual time (a timed pause passes at once).
//
// The script is read whole before the program starts (replay_parse) and
// turned into a list of steps; each step is one raw input change (a pointer
// move, a button or key going down or up, the window manager's quit), or a
// line that is not input (screenshot, dump), which is carried out when it is
// reached. Whenever the program waits for input (wait), the next input step
// is delivered and the program runs on until it waits again; so a click is a
// move, then a press, then a release, each seen by the program in turn. A
// "polls N" line makes the line after it wait for the program's N-th
// following pollinput() instead (a polling loop never waits); if the program
// waits for input first, the count is dropped and the line runs then.
//
// A menu line is resolved while it runs: after the right press the open
// menu is asked where the entry with each label is (menu_findentry) and the
// pointer moves there, one submenu after another, and the release chooses.
//
// When the script is used up while the program still waits, the window
// manager's quit is sent; if the program waits once more, the tool ends with
// status 3, as it does when a line fails at run time (a menu entry that is
// not there, a screenshot or dump that cannot be written).
#include "platform/backends/headless.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/input.h"
#include "platform/screen.h"

namespace gl {

namespace {

enum StepKind { POINTER, BUTTON, KEY, QUIT, MENUMOVE, SCREENSHOT, DUMP, POLLS };

struct Step {
    StepKind kind = POINTER;
    int line = 0;
    int x = 0, y = 0;    // POINTER; MENUMOVE: x the menu level, y 1 for the last label
    Device dev = 0;      // BUTTON, KEY
    int down = 0;
    std::string text;    // SCREENSHOT, DUMP: the file; MENUMOVE: the label
    bool last = false;   // the last step of its line
};

std::vector<Step> steps;
std::size_t next = 0;
int pollsleft = 0;      // pollinput() calls until the next line is due
bool due = false;       // a line is being carried out through pollinput()
bool quitsent = false;
std::string scriptname = "script";

[[noreturn]] void fail(int line, const std::string& message)
{
    std::fprintf(stderr, "%s:%d: %s\n", scriptname.c_str(), line, message.c_str());
    std::exit(3);
}

// ---- reading the script -----------------------------------------------------

// Splits a line into words; a word in double quotes may hold spaces and "#";
// "#" outside quotes starts a comment.
bool words(const std::string& line, std::vector<std::string>* out, std::string* message)
{
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) i++;
        if (i == line.size() || line[i] == '#') return true;
        std::string w;
        if (line[i] == '"') {
            std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                *message = "unterminated quote";
                return false;
            }
            w = line.substr(i + 1, end - i - 1);
            i = end + 1;
            if (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '#') {
                *message = "text right after a closing quote";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '#')
                w += line[i++];
        }
        out->push_back(w);
    }
}

bool number(const std::string& w, int* out)
{
    if (w.empty() || w.size() > 9) return false;
    std::size_t i = w[0] == '-' ? 1 : 0;
    if (i == w.size()) return false;
    for (std::size_t k = i; k < w.size(); k++)
        if (w[k] < '0' || w[k] > '9') return false;
    *out = std::atoi(w.c_str());
    return true;
}

struct LineReader {
    int line = 0;
    std::vector<std::string> w;
    std::vector<Step> out;
    std::string message;

    bool error(const std::string& m)
    {
        message = m;
        return false;
    }
    bool count(std::size_t lo, std::size_t hi, const char* usage)
    {
        if (w.size() - 1 < lo || w.size() - 1 > hi) return error(std::string("usage: ") + usage);
        return true;
    }
    bool point(std::size_t at, int* x, int* y)
    {
        if (!number(w[at], x) || !number(w[at + 1], y))
            return error("coordinates must be whole numbers");
        if (*x < 0 || *x >= screen_width() || *y < 0 || *y >= screen_height())
            return error("(" + w[at] + ", " + w[at + 1] + ") is off the screen (" +
                         std::to_string(screen_width()) + " x " + std::to_string(screen_height()) +
                         ")");
        return true;
    }
    bool button(const std::string& name, Device* dev)
    {
        if (name == "left") *dev = LEFTMOUSE;
        else if (name == "middle") *dev = MIDDLEMOUSE;
        else if (name == "right") *dev = RIGHTMOUSE;
        else return error("unknown button \"" + name + "\" (left, middle or right)");
        return true;
    }
    void add(StepKind kind, int x, int y, Device dev, int down, const std::string& text = "")
    {
        Step s;
        s.kind = kind;
        s.line = line;
        s.x = x;
        s.y = y;
        s.dev = dev;
        s.down = down;
        s.text = text;
        out.push_back(s);
    }
    void move(int x, int y) { add(POINTER, x, y, 0, 0); }
    void press(StepKind kind, Device dev, int down) { add(kind, 0, 0, dev, down); }

    bool read()
    {
        const std::string& a = w[0];
        int x1, y1, x2, y2;
        Device dev;
        if (a == "move") {
            if (!count(2, 2, "move X Y") || !point(1, &x1, &y1)) return false;
            move(x1, y1);
        } else if (a == "press" || a == "release") {
            if (!count(1, 1, "press B / release B") || !button(w[1], &dev)) return false;
            press(BUTTON, dev, a == "press");
        } else if (a == "click") {
            if (!count(3, 3, "click B X Y") || !button(w[1], &dev) || !point(2, &x1, &y1))
                return false;
            move(x1, y1);
            press(BUTTON, dev, 1);
            press(BUTTON, dev, 0);
        } else if (a == "drag") {
            if (!count(4, 5, "drag X1 Y1 X2 Y2 [STEPS]") || !point(1, &x1, &y1) ||
                !point(3, &x2, &y2))
                return false;
            int n = 10;
            if (w.size() == 6 && (!number(w[5], &n) || n < 1 || n > 100000))
                return error("STEPS must be a whole number from 1 to 100000");
            move(x1, y1);
            press(BUTTON, LEFTMOUSE, 1);
            for (int k = 1; k <= n; k++)
                move(x1 + (int)((long long)(x2 - x1) * k / n), y1 + (int)((long long)(y2 - y1) * k / n));
            press(BUTTON, LEFTMOUSE, 0);
        } else if (a == "key" || a == "keydown" || a == "keyup") {
            if (!count(1, 1, "key K / keydown K / keyup K")) return false;
            dev = keydevice(w[1].c_str());
            if (!dev) return error("unknown key \"" + w[1] + "\"");
            if (a != "keyup") press(KEY, dev, 1);
            if (a != "keydown") press(KEY, dev, 0);
        } else if (a == "type") {
            if (!count(1, 1, "type TEXT (no spaces; quote it to type \"#\")")) return false;
            if (w[1].empty()) return error("nothing to type");
            for (char c : w[1]) {
                int shift = 0;
                dev = chardevice(c, &shift);
                if (!dev) return error(std::string("\"") + c + "\" cannot be typed");
                if (shift) press(KEY, LEFTSHIFTKEY, 1);
                press(KEY, dev, 1);
                press(KEY, dev, 0);
                if (shift) press(KEY, LEFTSHIFTKEY, 0);
            }
        } else if (a == "menu") {
            if (w.size() < 2) return error("usage: menu LABEL...");
            press(BUTTON, RIGHTMOUSE, 1);
            for (std::size_t k = 1; k < w.size(); k++)
                add(MENUMOVE, (int)k - 1, k + 1 == w.size(), 0, 0, w[k]);
            press(BUTTON, RIGHTMOUSE, 0);
        } else if (a == "quit") {
            if (!count(0, 0, "quit")) return false;
            add(QUIT, 0, 0, 0, 0);
        } else if (a == "screenshot" || a == "dump") {
            if (!count(1, 1, a == "dump" ? "dump FILE" : "screenshot FILE")) return false;
            if (w[1].empty()) return error("empty file name");
            add(a == "dump" ? DUMP : SCREENSHOT, 0, 0, 0, 0, w[1]);
        } else if (a == "polls") {
            int n;
            if (!count(1, 1, "polls N")) return false;
            if (!number(w[1], &n) || n < 1) return error("N must be a whole number of 1 or more");
            add(POLLS, n, 0, 0, 0);
        } else {
            return error("unknown action \"" + a + "\"");
        }
        out.back().last = true;
        return true;
    }
};

// ---- carrying the script out --------------------------------------------

void notinput(const Step& s)
{
    if (s.kind == SCREENSHOT) {
        if (!screen_writepng(s.text.c_str())) fail(s.line, "cannot write the screenshot " + s.text);
    } else if (s.kind == DUMP) {
        int (*hook)(const char*) = getdumphook();
        if (!hook) fail(s.line, "the program offers no state to dump");
        if (!hook(s.text.c_str())) fail(s.line, "cannot write the dump " + s.text);
    }
}

void deliver(const Step& s)
{
    switch (s.kind) {
    case POINTER:
        rawpointer(s.x, s.y);
        break;
    case BUTTON:
        rawbutton(s.dev, s.down);
        break;
    case KEY:
        rawkey(s.dev, s.down);
        break;
    case QUIT:
        rawquit();
        break;
    case MENUMOVE: {
        int x, y, sub = 0;
        if (!menu_findentry(s.x, s.text.c_str(), &x, &y, &sub))
            fail(s.line, "no menu entry \"" + s.text + "\" is open");
        if (s.y && sub) fail(s.line, "\"" + s.text + "\" opens a submenu: name an entry of it");
        if (!s.y && !sub) fail(s.line, "\"" + s.text + "\" has no submenu");
        // Where the menu opened the pointer has not moved, and a release
        // there is no choice: step aside by a pixel.
        if (x == input::pointer_x() && y == input::pointer_y()) x++;
        rawpointer(x, y);
        break;
    }
    default:
        break;
    }
}

// After a line's last step: "polls" lines that follow take effect now.
void armpolls()
{
    while (next < steps.size() && steps[next].kind == POLLS) pollsleft = steps[next++].x;
}

// Delivers the next input step; lines that are not input are carried out on
// the way. Returns false at the end of the script.
bool step()
{
    while (next < steps.size()) {
        const Step& s = steps[next++];
        if (s.kind == SCREENSHOT || s.kind == DUMP) {
            notinput(s);
            continue;
        }
        if (s.kind == POLLS) {  // the program is waiting: the count is void
            continue;
        }
        deliver(s);
        if (s.last) {
            due = false;
            armpolls();
        }
        return true;
    }
    return false;
}

void headless_wait()
{
    pollsleft = 0;
    due = false;
    if (step()) return;
    if (!quitsent) {
        quitsent = true;
        rawquit();
        return;
    }
    std::fprintf(stderr, "%s: the script ended while the program still waits for input\n",
                 scriptname.c_str());
    std::exit(3);
}

void headless_poll()
{
    if (!due) {
        if (pollsleft == 0 || --pollsleft > 0) return;
        due = true;
    }
    if (!step()) due = false;
}

void headless_changed(bool) {}
void headless_pause(int) {}

const Backend headless = {headless_wait, headless_poll, headless_changed, headless_pause};

}  // namespace

int replay_parse(const std::string& text, int* errline, std::string* message)
{
    std::vector<Step> all;
    std::size_t at = 0;
    for (int line = 1; at < text.size(); line++) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string s = text.substr(at, end - at);
        if (!s.empty() && s.back() == '\r') s.pop_back();
        at = end + 1;

        LineReader r;
        r.line = line;
        if (!words(s, &r.w, &r.message) || (!r.w.empty() && !r.read())) {
            *errline = line;
            *message = r.message;
            return 0;
        }
        all.insert(all.end(), r.out.begin(), r.out.end());
    }
    steps = all;
    next = 0;
    pollsleft = 0;
    due = false;
    quitsent = false;
    armpolls();  // a "polls" line at the very start counts from the start
    return 1;
}

void headless_start(const char* name)
{
    scriptname = name ? name : "script";
    setbackend(&headless);
}

}  // namespace gl
