// headless.h - the backend of the replay tool: nothing is shown, input comes
// from a script, time is virtual. The script format is described at the top
// of tools/replay/main.cpp and in tools/replay/README.md.
#pragma once
#include <string>

namespace gl {

// Reads a whole script into the backend. Returns 1, or 0 with the number of
// the first malformed line (from 1) and what is wrong with it. Coordinates
// are checked against the screen size set at the time of the call.
int replay_parse(const std::string& text, int* errline, std::string* message);

// Makes the headless backend the core's backend; scriptname prefixes the
// messages about lines that fail while the program runs.
void headless_start(const char* scriptname);

}  // namespace gl
