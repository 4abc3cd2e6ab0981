// toolsupport.h - running the command-line tools from the tests: scratch
// folders, a command's status and standard error, files read back, PNG
// pictures decoded with libpng, and shell files made with the modeller's
// own saver.
#pragma once
#include <set>
#include <string>
#include <vector>

namespace tooltest {

// A fresh, empty folder for one test.
std::string scratch(const std::string& name);
std::string readfile(const std::string& path);
void writefile(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
// The names of the files in a folder.
std::set<std::string> listing(const std::string& dir);

struct Result {
    int status = -1;   // exit status; -1 when the tool did not end normally
    std::string err;   // its standard error
    std::string out;   // its standard output
};
// Runs a tool of the build ("render", "convert", "export", "replay") in dir
// with the given arguments (each quoted for the shell). limitkb > 0 caps
// the tool's virtual memory.
Result runtool(const std::string& dir, const std::string& tool, const std::vector<std::string>& args,
               long limitkb = 0);

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // top row first
};
bool readpng(const std::string& path, Picture& out);

// A shell of six nodes in the XY view (reversed: the same outline drawn the
// other way round), with the given texture code and pattern colour, saved
// as dir/name.shl by the modeller's saver. The model is back at its defaults
// afterwards.
struct ShellSpec {
    short texturetype = 52;
    double pattern[3] = {1, 0, 0};
    double background[3] = {0, 0, 0};
    bool reversed = false;
    int nodes = 6;
};
void makeshell(const std::string& dir, const std::string& name, const ShellSpec& spec);

}  // namespace tooltest
