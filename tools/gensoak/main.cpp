// seashell-gensoak - writes a long replay script of generated user actions
// for the soak test: node clicks and drags in the curve views and the curve
// menu, drags of the parameter bars, view and light drags, the main menu's
// commands, the attribute and colour dialogs, texture dialogs with a preview
// stopped early, saves and loads of shells and textures, image views, the
// sample library and small traces at 200x200.
//
//   seashell-gensoak ACTIONS [SEED] > soak.replay
//
// The same ACTIONS and SEED always give the same script (the generator is
// the project's own, as in the modeller). The script ends with a dump to
// "end.json", which exists only if the modeller ran the whole script.
//
// Knobs are pressed where they are: the generator keeps the knob positions
// of the parameter window and of the attribute dialog as the modeller does
// (defaults, drags, "Clear All", files saved and loaded again). Where it
// cannot know (a file it never wrote), a press may miss its knob, which
// does nothing. The costly parameters (growth steps, spiral length, curve
// samples) are dragged only over the lower part of their range, so that
// redraws and traces stay quick.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// 31-bit linear congruential generator (Park and Miller's minimal standard).
struct Random {
    long long state;
    explicit Random(long long seed) : state(seed % 2147483647 > 0 ? seed % 2147483647 : 1) {}
    int next()
    {
        state = state * 48271 % 2147483647;
        return (int)state;
    }
    // lo..hi, both included
    int range(int lo, int hi) { return lo + next() % (hi - lo + 1); }
    bool chance(int percent) { return range(1, 100) <= percent; }
};

Random rnd(1);
void line(const char* format, ...) __attribute__((format(printf, 1, 2)));
void line(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
}

// ---- the knobs the generator follows -----------------------------------------

const int PARAMX = 1315, PARAMY = 490;  // the parameter window's origin
struct Bar {
    int y;
    double minimum, range, initial;
    int top;  // largest knob x the soak drags to (window-relative)
};
// The parameter window's bars in table order.
const Bar parambars[11] = {
    {480, 0.001, 2.0, 0.1, 215},  {435, 0.0, 2.0, 0.2, 215},   {390, 1.0, 2.0, 1.1, 215},
    {335, 0.1, 50.0, 26.4, 130},  {290, 8.0, 292.0, 16.0, 40},  {200, 0.0, 60.0, 0.0, 215},
    {155, 0.0, 0.1, 0.0, 215},    {110, 0.0, 60.0, 0.0, 215},   {65, 0.0, 0.3, 0.0, 215},
    {20, 0.5, 9.5, 1.0, 80},      {245, 0.0, 4.0, 0.0, 215},
};
const int SHELLSCALE = 10;  // the bar that "Clear All" leaves

// The attribute dialog (at the screen's lower-left corner): two bars and
// five colour bars of three knobs each.
const int attrbary[2] = {770, 720};
enum { LIGHT1, LIGHT2, SPECULAR, BACKGROUND, PATTERN };
const int colourbary[5] = {590, 460, 330, 200, 70};
const int channeldy[3] = {80, 45, 10};  // red, green, blue knob heights

struct Knobs {
    int param[11];
    int attr[2];
    int colour[5][3];
};

int knobof(double value, double minimum, double range, int left)
{
    return (int)(200.0 * (value - minimum) / range + left + 10);
}

Knobs defaults()
{
    Knobs k;
    for (int i = 0; i < 11; ++i)
        k.param[i] = knobof(parambars[i].initial, parambars[i].minimum, parambars[i].range, 5);
    k.attr[0] = knobof(128.0, 0.0, 128.0, 10);
    k.attr[1] = knobof(0.2, 0.0, 1.0, 10);
    const int start[5][3] = {{220, 220, 220}, {220, 220, 220}, {220, 220, 220}, {20, 20, 20}, {220, 20, 20}};
    for (int b = 0; b < 5; ++b)
        for (int c = 0; c < 3; ++c) k.colour[b][c] = start[b][c];
    return k;
}

Knobs knobs;
std::map<std::string, Knobs> savedshells;  // knobs as each shell file holds them
struct TextureKnobs {
    int pattern[3], background[3];
};
std::map<std::string, TextureKnobs> savedtextures;

// "Clear All": everything back but the curve scale, shininess and reflection.
void clearall()
{
    Knobs d = defaults();
    for (int i = 0; i < 11; ++i)
        if (i != SHELLSCALE) knobs.param[i] = d.param[i];
    for (int b = 0; b < 5; ++b)
        for (int c = 0; c < 3; ++c) knobs.colour[b][c] = d.colour[b][c];
}

// ---- places on the screen -------------------------------------------------------

// A point for the main menu: off the curve views, on the desktop or the shell.
void moveformainmenu()
{
    if (rnd.chance(50))
        line("move %d %d", rnd.range(980, 1300), rnd.range(600, 1150));
    else
        line("move %d %d", rnd.range(430, 960), rnd.range(495, 1025));
}

// The curve views' lower-left corners: YZ, XY, XZ.
const int viewx[3] = {0, 425, 842};

// A point in a curve view, mostly near the middle so that curves stay short.
void viewpoint(int view, int* x, int* y)
{
    *x = viewx[view] + rnd.range(80, 320);
    *y = rnd.range(80, 320);
}

const char* const shellnames[] = {"sa", "sb", "sc", "sd", "nosuch"};
const char* const texturenames[] = {"ta", "tb", "tc", "nosuch"};
const char* const imagenames[] = {"ia", "ib", "nosuch"};
const char* const texturemenu[] = {"activator substrate", "activator inhibitor", "strip formation"};

template <int N>
const char* pick(const char* const (&names)[N], int last)
{
    return names[rnd.range(0, last < 0 ? N - 1 : last)];
}

void filename(const char* name)
{
    line("type %s", name);
    line("key enter");
}

// ---- the actions -----------------------------------------------------------------

void nodeclick()
{
    int x, y;
    viewpoint(rnd.range(0, 2), &x, &y);
    line("click left %d %d", x, y);
}

void nodedrag()
{
    int view = rnd.range(0, 2), x1, y1;
    viewpoint(view, &x1, &y1);
    int x2 = x1 + rnd.range(-60, 60), y2 = y1 + rnd.range(-60, 60);
    if (x2 < viewx[view] + 20) x2 = viewx[view] + 20;
    if (y2 < 20) y2 = 20;
    line("drag %d %d %d %d %d", x1, y1, x2, y2, rnd.range(2, 6));
}

void curvemenu()
{
    int x, y;
    viewpoint(rnd.range(0, 2), &x, &y);
    line("move %d %d", x, y);
    int r = rnd.range(1, 100);
    if (r <= 25)
        line("menu Modify");
    else if (r <= 32)
        line("menu \"View point\"");
    else if (r <= 60)
        line("menu \"Add node\" %s", r <= 40 ? "Front" : r <= 50 ? "Middle" : "End");
    else if (r <= 92)
        line("menu \"Delete node\"");
    else
        line("menu Clear");
}

void bardrag()
{
    int b = rnd.range(0, 10);
    int from = knobs.param[b];
    int to = rnd.range(15, parambars[b].top);
    line("drag %d %d %d %d %d", PARAMX + from, PARAMY + parambars[b].y + 10, PARAMX + to,
         PARAMY + parambars[b].y + 10 + rnd.range(-30, 30), rnd.range(2, 8));
    knobs.param[b] = to;
}

void viewdrag()
{
    int x, y;
    if (rnd.chance(60)) {  // the shell window
        x = rnd.range(440, 950);
        y = rnd.range(505, 1015);
    } else {  // the growth-axis window
        x = rnd.range(20, 380);
        y = rnd.range(465, 825);
    }
    // Off the window the stepping ends; the release still commits.
    int x2 = x + rnd.range(-80, 80), y2 = y + rnd.range(-80, 80);
    line("drag %d %d %d %d %d", x, y, x2 < 0 ? 0 : x2, y2, rnd.range(2, 5));
}

void viewmode()
{
    moveformainmenu();
    line(rnd.chance(60) ? "menu \"View point\"" : "menu \"Light position\"");
}

void display()
{
    moveformainmenu();
    line(rnd.chance(50) ? "menu Option Line" : "menu Option Solid");
}

// A drag of one colour knob of the dialog at the screen's corner.
void colourdrag(int b)
{
    int c = rnd.range(0, 2);
    int y = colourbary[b] + channeldy[c];
    int to = rnd.range(20, 220);
    line("drag %d %d %d %d %d", knobs.colour[b][c], y, to, y + rnd.range(-20, 20), rnd.range(2, 5));
    knobs.colour[b][c] = to;
}

void attributes()
{
    moveformainmenu();
    line("menu Attribute");
    for (int n = rnd.range(0, 3); n > 0; --n) {
        if (rnd.chance(35)) {
            int b = rnd.range(0, 1);
            int to = rnd.range(20, 220);
            line("drag %d %d %d %d %d", knobs.attr[b], attrbary[b] + 10, to, attrbary[b] + 10, rnd.range(2, 5));
            knobs.attr[b] = to;
        } else {
            colourdrag(rnd.range(0, 4));
        }
    }
    line("click left 80 30");
}

void uniformcolour()
{
    moveformainmenu();
    line("menu Texture \"uniform color\"");
    if (rnd.chance(70)) colourdrag(PATTERN);
    line("click left 80 30");
}

// A texture dialog, its preview stopped after a few hundred polls, OK.
void texturedialog()
{
    moveformainmenu();
    line("menu Texture \"%s\"", texturemenu[rnd.range(0, 2)]);
    if (rnd.chance(75)) {
        line("click left 160 30");
        line("polls %d", rnd.range(200, 1500));
        line("press left");
        line("release left");
    }
    line("click left 50 30");
}

void saveshell()
{
    const char* name = pick(shellnames, 3);
    moveformainmenu();
    line("menu Save \"shell parameters\"");
    filename(name);
    savedshells[name] = knobs;
}

void loadshell()
{
    const char* name = pick(shellnames, -1);
    moveformainmenu();
    line("menu Load \"shell parameters\"");
    filename(name);
    auto it = savedshells.find(name);
    if (it != savedshells.end()) knobs = it->second;
}

void savetexturefile()
{
    const char* name = pick(texturenames, 2);
    moveformainmenu();
    line("menu Save \"shell texture\"");
    filename(name);
    TextureKnobs t;
    for (int c = 0; c < 3; ++c) {
        t.pattern[c] = knobs.colour[PATTERN][c];
        t.background[c] = knobs.colour[BACKGROUND][c];
    }
    savedtextures[name] = t;
}

void loadtexturefile()
{
    const char* name = pick(texturenames, -1);
    moveformainmenu();
    line("menu Load \"shell texture\"");
    filename(name);
    auto it = savedtextures.find(name);
    if (it != savedtextures.end())
        for (int c = 0; c < 3; ++c) {
            knobs.colour[PATTERN][c] = it->second.pattern[c];
            knobs.colour[BACKGROUND][c] = it->second.background[c];
        }
}

void trace()
{
    const char* name = pick(imagenames, 1);
    moveformainmenu();
    line("menu Raytracing 200x200");
    // Without two nodes or with the eye at the origin nothing asks for a
    // name; the keys then reach the main loop, which ignores them.
    filename(name);
}

void showimage()
{
    moveformainmenu();
    line("menu Load \"shell bitmap\"");
    filename(pick(imagenames, -1));
}

void library()
{
    moveformainmenu();
    line("menu Library");
    if (rnd.chance(50))
        line("click right %d %d", rnd.range(0, 1500), rnd.range(0, 1100));
    else
        line("click left %d %d", rnd.range(0, 1500), rnd.range(0, 1100));
}

void simplemenu()
{
    moveformainmenu();
    if (rnd.chance(70)) {
        line("menu Redraw");
    } else {
        line("menu \"Clear All\"");
        clearall();
    }
}

struct Action {
    int weight;
    void (*write)();
};
const Action table[] = {
    {140, nodeclick},    {110, nodedrag},    {45, curvemenu},       {160, bardrag},
    {110, viewdrag},     {40, viewmode},     {40, display},         {40, attributes},
    {15, uniformcolour}, {40, texturedialog}, {40, saveshell},      {40, loadshell},
    {15, savetexturefile}, {20, loadtexturefile}, {7, trace},       {3, showimage},
    {3, library},        {30, simplemenu},
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: seashell-gensoak ACTIONS [SEED]\n");
        return 2;
    }
    int count = std::atoi(argv[1]);
    long long seed = argc > 2 ? std::atoll(argv[2]) : 1;
    if (count < 1) {
        std::fprintf(stderr, "seashell-gensoak: ACTIONS must be a positive number\n");
        return 2;
    }
    rnd = Random(seed);
    knobs = defaults();

    int total = 0;
    for (const Action& a : table) total += a.weight;
    line("# Soak: %d generated user actions (seashell-gensoak %d %lld).", count, count, seed);
    for (int n = 0; n < count; ++n) {
        int r = rnd.range(1, total);
        for (const Action& a : table) {
            if (r <= a.weight) {
                a.write();
                break;
            }
            r -= a.weight;
        }
    }
    line("dump end.json");
    return 0;
}
