// dialogs.cpp - the two small modal windows: the message box, which shows
// one line for a moment and closes by itself, and the file-name dialog,
// which echoes the keys typed until Enter.
//
// Only letters and digits can be typed (no full stop, slash or space), at
// most 20 characters; the file operations add the extension.
#include <cstring>

#include "app/app.h"
#include "platform/gl.h"

static const int MESSAGEPAUSE_MS = 1500;
static const int MAXNAME = 20;

void (*messagehook)(const char* text) = nullptr;

void messagebox(const char* text)
{
    if (messagehook) {
        messagehook(text);
        return;
    }
    gl::prefposition(420, 720, 350, 430);
    std::int32_t id = gl::winopen("File error");
    gl::gconfig();
    gl::color(0);
    gl::clear();
    gl::color(7);
    gl::cmov2i(14, 24);
    gl::charstr(text);
    gl::sleepms(MESSAGEPAUSE_MS);
    gl::winclose(id);
}

struct KeyChar {
    gl::Device device;
    char plain;
    char shifted;
};

// The key devices of the dialog and the characters they type.
static const KeyChar keytable[] = {
    {8, '1', '!'},  {14, '2', '@'}, {15, '3', '#'}, {22, '4', '$'}, {23, '5', '%'},
    {30, '6', '^'}, {31, '7', '&'}, {38, '8', '*'}, {39, '9', '('}, {46, '0', ')'},
    {10, 'q', 'Q'}, {11, 'a', 'A'}, {12, 's', 'S'}, {16, 'w', 'W'}, {17, 'e', 'E'},
    {18, 'd', 'D'}, {19, 'f', 'F'}, {20, 'z', 'Z'}, {21, 'x', 'X'}, {24, 'r', 'R'},
    {25, 't', 'T'}, {26, 'g', 'G'}, {27, 'h', 'H'}, {28, 'c', 'C'}, {29, 'v', 'V'},
    {32, 'y', 'Y'}, {33, 'u', 'U'}, {34, 'j', 'J'}, {35, 'k', 'K'}, {36, 'b', 'B'},
    {37, 'n', 'N'}, {40, 'i', 'I'}, {41, 'o', 'O'}, {42, 'l', 'L'}, {44, 'm', 'M'},
    {48, 'p', 'P'},
    // keypad digits have no shifted form
    {59, '0', '0'}, {58, '1', '1'}, {64, '2', '2'}, {65, '3', '3'}, {63, '4', '4'},
    {69, '5', '5'}, {70, '6', '6'}, {67, '7', '7'}, {68, '8', '8'}, {75, '9', '9'},
};

static void showname(const char* name)
{
    gl::color(0);
    gl::clear();
    gl::color(7);
    gl::cmov2i(14, 24);
    gl::charstr(name);
    gl::swapbuffers();
}

// Runs the dialog; with cancel set, Escape leaves it with an empty name and
// returns 0.
static int runfilename(char* name, const char* prompt, bool cancel)
{
    name[0] = '\0';
    gl::prefposition(420, 670, 270, 320);
    std::int32_t id = gl::winopen(prompt);
    gl::doublebuffer();
    gl::gconfig();
    gl::color(0);
    gl::clear();
    gl::swapbuffers();
    gl::clear();
    gl::cmov2i(14, 24);
    for (const KeyChar& k : keytable) gl::qdevice(k.device);
    gl::qdevice(gl::BACKSPACEKEY);
    gl::qdevice(gl::ENTERKEY);
    if (cancel) gl::qdevice(gl::ESCKEY);
    gl::color(7);
    gl::qreset();
    for (;;) {
        short value;
        gl::Device dev = gl::qread(&value);
        if (dev == gl::ENTERKEY) {
            gl::winclose(id);
            return 1;
        }
        if (cancel && dev == gl::ESCKEY && value) {
            // Take the key's release too, so the main loop never reads it as
            // a request to quit.
            while (gl::qread(&value) != gl::ESCKEY || value) {
            }
            name[0] = '\0';
            gl::winclose(id);
            return 0;
        }
        if (dev == gl::BACKSPACEKEY && value) {
            std::size_t len = std::strlen(name);
            if (len > 0) {
                name[len - 1] = '\0';
                showname(name);
                showname(name);
            }
            continue;
        }
        if (!value) continue;
        for (const KeyChar& k : keytable) {
            if (k.device != dev) continue;
            bool shift = gl::getbutton(gl::LEFTSHIFTKEY) || gl::getbutton(gl::RIGHTSHIFTKEY);
            std::size_t len = std::strlen(name);
            if (len < (std::size_t)MAXNAME) {
                name[len] = shift ? k.shifted : k.plain;
                name[len + 1] = '\0';
                showname(name);
            }
            break;
        }
    }
}

void getfilename(char* name, const char* prompt)
{
    runfilename(name, prompt, false);
}

int getfilenameorcancel(char* name, const char* prompt)
{
    return runfilename(name, prompt, true);
}
