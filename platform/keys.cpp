// keys.cpp - the key devices of the file-name dialog by name and by the
// character they type, for the backends and the replay tool.
//
// Letters and the digit row type their shifted forms (capitals, and
// ! @ # $ % ^ & * ( ) for 1 2 3 4 5 6 7 8 9 0) with a shift key held; the
// keypad digits have no shifted form. Nothing else can be typed.
#include <cstring>

#include "platform/backend.h"

namespace gl {

namespace {

struct Key {
    const char* name;
    Device dev;
    char plain, shifted;
};

const Key keys[] = {
    {"a", 11, 'a', 'A'}, {"b", 36, 'b', 'B'}, {"c", 28, 'c', 'C'}, {"d", 18, 'd', 'D'},
    {"e", 17, 'e', 'E'}, {"f", 19, 'f', 'F'}, {"g", 26, 'g', 'G'}, {"h", 27, 'h', 'H'},
    {"i", 40, 'i', 'I'}, {"j", 34, 'j', 'J'}, {"k", 35, 'k', 'K'}, {"l", 42, 'l', 'L'},
    {"m", 44, 'm', 'M'}, {"n", 37, 'n', 'N'}, {"o", 41, 'o', 'O'}, {"p", 48, 'p', 'P'},
    {"q", 10, 'q', 'Q'}, {"r", 24, 'r', 'R'}, {"s", 12, 's', 'S'}, {"t", 25, 't', 'T'},
    {"u", 33, 'u', 'U'}, {"v", 29, 'v', 'V'}, {"w", 16, 'w', 'W'}, {"x", 21, 'x', 'X'},
    {"y", 32, 'y', 'Y'}, {"z", 20, 'z', 'Z'},
    {"1", 8, '1', '!'},  {"2", 14, '2', '@'}, {"3", 15, '3', '#'}, {"4", 22, '4', '$'},
    {"5", 23, '5', '%'}, {"6", 30, '6', '^'}, {"7", 31, '7', '&'}, {"8", 38, '8', '*'},
    {"9", 39, '9', '('}, {"0", 46, '0', ')'},
    {"kp0", 59, 0, 0}, {"kp1", 58, 0, 0}, {"kp2", 64, 0, 0}, {"kp3", 65, 0, 0},
    {"kp4", 63, 0, 0}, {"kp5", 69, 0, 0}, {"kp6", 70, 0, 0}, {"kp7", 67, 0, 0},
    {"kp8", 68, 0, 0}, {"kp9", 75, 0, 0},
    {"backspace", BACKSPACEKEY, 0, 0}, {"enter", ENTERKEY, 0, 0}, {"escape", ESCKEY, 0, 0},
    {"leftshift", LEFTSHIFTKEY, 0, 0}, {"rightshift", RIGHTSHIFTKEY, 0, 0},
};

}  // namespace

Device keydevice(const char* name)
{
    for (const Key& k : keys)
        if (std::strcmp(k.name, name) == 0) return k.dev;
    return 0;
}

Device chardevice(char c, int* shift)
{
    // The main keys only: a digit is typed on the digit row, not the keypad.
    for (const Key& k : keys) {
        if (c == 0) break;
        if (k.plain == c || k.shifted == c) {
            if (shift) *shift = k.plain != c;
            return k.dev;
        }
    }
    return 0;
}

}  // namespace gl
