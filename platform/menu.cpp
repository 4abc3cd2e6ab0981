// menu.cpp - popup menus: defpup builds a menu from its definition string,
// dopup shows it at the pointer and returns the value of the entry chosen.
//
// Definition: "|" separates the items; "%t" makes an item the title; "%x"
// and a number give an entry that value; "%m" attaches the next Int32
// argument as the entry's submenu. An entry without "%x" returns its
// position, counting 1, 2, ... after the title (entries with "%x" or "%m"
// count too). Other "%" letters are ignored; "%%" is a percent sign.
//
// Showing: the menu opens with the pointer on its title line (pushed inside
// the screen where it would not fit). The entry under the pointer is
// highlighted; resting on an entry with a submenu opens the submenu beside
// it. A choice is made by releasing the button over an entry (press, drag,
// release) or, when the button came up without a choice (on the title, on a
// submenu's entry, or where the menu opened without the pointer having
// moved), by the next click. A release outside every open menu, Escape or the
// window manager's quit closes the menu with -1. dopup returns only when all
// mouse buttons are up, and the clicks it took never reach the event queue,
// so one click opens one menu.
//
// Limits: submenus nest at most MAXLEVELS deep. Without a backend nothing can
// be chosen and dopup returns -1 at once.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gl.h"
#include "platform/input.h"
#include "platform/screen.h"

namespace gl {

namespace {

struct Entry {
    std::string label;
    Int32 value;
    Int32 submenu;  // 0 for none
};

struct Menu {
    bool used = false;
    std::string title;
    bool hastitle = false;
    std::vector<Entry> entries;
};

std::vector<Menu> menus;  // identifier = index + 1

Menu* findmenu(Int32 id)
{
    if (id < 1 || id > (Int32)menus.size() || !menus[id - 1].used) return nullptr;
    return &menus[id - 1];
}

// ---- layout of the open menus ----------------------------------------------

enum { MAXLEVELS = 8, PAD = 10, MINWIDTH = 60 };

const std::uint32_t BACKGROUND = 0x00D8D8D8;
const std::uint32_t TITLEBACK = 0x00583828;
const std::uint32_t HIGHLIGHT = 0x00B06030;
const std::uint32_t FRAME = 0x00000000;
const std::uint32_t DARKTEXT = 0x00000000;
const std::uint32_t LIGHTTEXT = 0x00FFFFFF;

struct Level {
    Int32 menu;
    int left, top, width, height;
    int titlerows;
    int hi;  // highlighted entry, -1 for none
};

Level levels[MAXLEVELS];
int nlevels = 0;

int rowheight()
{
    int h = text_height();
    return (h < 12 ? 12 : h) + 6;
}

int arrowwidth() { return text_width(">") + 8; }

void layout(Level& l, const Menu& m)
{
    int w = m.hastitle ? text_width(m.title.c_str()) : 0;
    bool sub = false;
    for (const Entry& e : m.entries) {
        int ew = text_width(e.label.c_str());
        if (ew > w) w = ew;
        if (e.submenu) sub = true;
    }
    w += 2 * PAD + (sub ? arrowwidth() : 0);
    l.width = w < MINWIDTH ? MINWIDTH : w;
    l.titlerows = m.hastitle ? 1 : 0;
    l.height = (l.titlerows + (int)m.entries.size()) * rowheight();
    l.hi = -1;
}

// Pushes a menu inside the screen.
void clamp(Level& l)
{
    int sw = screen_width(), sh = screen_height();
    if (l.left + l.width > sw) l.left = sw - l.width;
    if (l.left < 0) l.left = 0;
    if (l.top - l.height + 1 < 0) l.top = l.height - 1;
    if (l.top > sh - 1) l.top = sh - 1;
}

bool inside(const Level& l, int x, int y)
{
    return x >= l.left && x < l.left + l.width && y <= l.top && y > l.top - l.height;
}

// Entry index at screen height y inside level l; -1 on the title.
int entryat(const Level& l, int y)
{
    return (l.top - y) / rowheight() - l.titlerows;
}

int rowtop(const Level& l, int entry)
{
    return l.top - (entry + l.titlerows) * rowheight();
}

void opensubmenu(int parent)
{
    const Level& p = levels[parent];
    const Menu* pm = findmenu(p.menu);
    if (!pm || p.hi < 0 || nlevels >= MAXLEVELS) return;
    const Menu* m = findmenu(pm->entries[p.hi].submenu);
    if (!m || m->entries.empty()) return;
    Level& l = levels[nlevels];
    l.menu = pm->entries[p.hi].submenu;
    layout(l, *m);
    // First entry level with the parent's entry, to the right where it fits.
    l.left = p.left + p.width;
    if (l.left + l.width > screen_width()) l.left = p.left - l.width;
    l.top = rowtop(p, p.hi) + l.titlerows * rowheight();
    clamp(l);
    nlevels++;
}

// Follows the pointer: highlight, open and close submenus.
void hover(int x, int y)
{
    for (int i = nlevels - 1; i >= 0; i--) {
        if (!inside(levels[i], x, y)) continue;
        int e = entryat(levels[i], y);
        if (nlevels == i + 1 && levels[i].hi == e) return;  // nothing changes
        nlevels = i + 1;
        levels[i].hi = e;
        const Menu* m = findmenu(levels[i].menu);
        if (m && e >= 0 && findmenu(m->entries[e].submenu)) opensubmenu(i);
        return;
    }
    levels[nlevels - 1].hi = -1;
}

enum { OUTSIDE, TITLE, SUBMENU, LEAF };

int itemat(int x, int y, Int32* value)
{
    for (int i = nlevels - 1; i >= 0; i--) {
        if (!inside(levels[i], x, y)) continue;
        int e = entryat(levels[i], y);
        if (e < 0) return TITLE;
        const Entry& en = findmenu(levels[i].menu)->entries[e];
        if (findmenu(en.submenu)) return SUBMENU;
        *value = en.value;
        return LEAF;
    }
    return OUTSIDE;
}

// What is shown: the open menus and their highlights.
long shown()
{
    long s = nlevels;
    for (int i = 0; i < nlevels; i++) s = s * 131 + levels[i].menu * 17 + levels[i].hi + 1;
    return s;
}

int baseline(int rowtopy)
{
    int th = text_height();
    int rh = rowheight();
    return rowtopy - rh + 1 + (rh - th) / 2 + th / 4;
}

void drawmenus(void*)
{
    int rh = rowheight();
    for (int i = 0; i < nlevels; i++) {
        const Level& l = levels[i];
        const Menu* m = findmenu(l.menu);
        if (!m) continue;
        int right = l.left + l.width - 1, bottom = l.top - l.height + 1;
        overlay_fillrect(l.left, bottom, right, l.top, BACKGROUND);
        if (m->hastitle) {
            overlay_fillrect(l.left, l.top - rh + 1, right, l.top, TITLEBACK);
            overlay_text(l.left + PAD, baseline(l.top), m->title.c_str(), LIGHTTEXT);
        }
        for (int e = 0; e < (int)m->entries.size(); e++) {
            int t = rowtop(l, e);
            std::uint32_t ink = DARKTEXT;
            if (e == l.hi) {
                overlay_fillrect(l.left + 1, t - rh + 1, right - 1, t, HIGHLIGHT);
                ink = LIGHTTEXT;
            }
            overlay_text(l.left + PAD, baseline(t), m->entries[e].label.c_str(), ink);
            if (m->entries[e].submenu)
                overlay_text(right - arrowwidth() + 4, baseline(t), ">", ink);
        }
        overlay_rect(l.left, bottom, right, l.top, FRAME);
    }
}

std::string trim(const std::string& s)
{
    std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

}  // namespace

Int32 defpup(const char* text, ...)
{
    va_list args;
    va_start(args, text);
    Menu m;
    m.used = true;
    Int32 position = 0;
    const char* p = text ? text : "";
    for (;;) {
        std::string label;
        bool title = false, hasvalue = false;
        Int32 value = 0, submenu = 0;
        for (; *p && *p != '|'; p++) {
            if (*p != '%') {
                label += *p;
                continue;
            }
            char c = p[1];
            if (c == '\0') break;
            p++;
            if (c == 't') {
                title = true;
            } else if (c == 'x') {
                char* end;
                value = (Int32)std::strtol(p + 1, &end, 10);
                hasvalue = end != p + 1;
                p = end - 1;
            } else if (c == 'm') {
                submenu = va_arg(args, Int32);
            } else if (c == '%') {
                label += '%';
            }
        }
        label = trim(label);
        if (title && !m.hastitle) {
            m.title = label;
            m.hastitle = true;
        } else {
            position++;
            m.entries.push_back({label, hasvalue ? value : position, submenu});
        }
        if (*p != '|') break;
        p++;
    }
    va_end(args);
    menus.push_back(m);
    return (Int32)menus.size();
}

void freepup(Int32 id)
{
    if (Menu* m = findmenu(id)) *m = Menu();
}

Int32 dopup(Int32 id)
{
    const Menu* m = findmenu(id);
    if (!m || m->entries.empty() || !getbackend()) return -1;

    input::menu_begin();
    int x0 = input::pointer_x(), y0 = input::pointer_y();
    Level& root = levels[0];
    root.menu = id;
    layout(root, *m);
    root.left = x0 - root.width / 2;
    root.top = y0 + rowheight() / 2;  // the pointer on the title line
    clamp(root);
    nlevels = 1;
    hover(x0, y0);
    screen_setoverlay(drawmenus, nullptr);
    screen_changed(true);
    long drawn = shown();

    Int32 result = -1;
    bool done = false, moved = false, clicked = false;
    while (!done) {
        input::MenuEvent e;
        while (!done && input::menu_take(&e)) {
            if (e.kind != input::MENU_BUTTON) {  // Escape or quit
                done = true;
                break;
            }
            if (e.x != x0 || e.y != y0) moved = true;
            hover(e.x, e.y);
            if (e.down) {
                clicked = true;
                continue;
            }
            if (input::anybutton()) continue;  // another button still down
            Int32 value;
            switch (itemat(e.x, e.y, &value)) {
            case OUTSIDE:
                done = true;
                break;
            case LEAF:
                // The release of the opening click where the menu appeared
                // is no choice: the menu stays for the next click.
                if (moved || clicked) {
                    result = value;
                    done = true;
                }
                break;
            default:  // title or submenu entry: wait for the next click
                break;
            }
        }
        if (done) break;
        int x = input::pointer_x(), y = input::pointer_y();
        if (x != x0 || y != y0) moved = true;
        hover(x, y);
        if (shown() != drawn) {
            drawn = shown();
            screen_changed(true);
        }
        waitinput();
    }

    // A button still held belongs to the menu: take its release too.
    nlevels = 0;
    screen_setoverlay(nullptr, nullptr);
    screen_changed(true);
    while (input::anybutton()) {
        waitinput();
        input::MenuEvent e;
        while (input::menu_take(&e)) {
        }
    }
    input::menu_end();
    return result;
}

int menu_findentry(int level, const char* label, int* x, int* y, int* submenu)
{
    if (level < 0 || level >= nlevels || !label) return 0;
    const Level& l = levels[level];
    const Menu* m = findmenu(l.menu);
    if (!m) return 0;
    for (int e = 0; e < (int)m->entries.size(); e++) {
        if (m->entries[e].label != label) continue;
        *x = l.left + l.width / 2;
        *y = rowtop(l, e) - rowheight() / 2;
        if (submenu) *submenu = findmenu(m->entries[e].submenu) != nullptr;
        return 1;
    }
    return 0;
}

}  // namespace gl
