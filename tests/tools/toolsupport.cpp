#include "toolsupport.h"

#include "../common/pngread.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/model.h"
#include "curve/curve.h"
#include "files/files.h"

namespace tooltest {

std::string scratch(const std::string& name)
{
    std::filesystem::path dir = std::filesystem::path(SEASHELL_BINARY_DIR) / "tool-runs" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string readfile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writefile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::set<std::string> listing(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

static std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Result runtool(const std::string& dir, const std::string& tool, const std::vector<std::string>& args,
               long limitkb)
{
    std::string cmd = "cd " + quote(dir) + " && ";
    if (limitkb > 0) cmd += "ulimit -v " + std::to_string(limitkb) + " && ";
    cmd += quote(std::string(SEASHELL_BINARY_DIR) + "/tools/" + tool + "/seashell-" + tool);
    for (const std::string& a : args) cmd += " " + quote(a);
    // Outside the folder, so a run leaves nothing of its own there.
    std::string base = std::string(SEASHELL_BINARY_DIR) + "/tool-runs/" +
                       std::filesystem::path(dir).filename().string();
    cmd += " > " + quote(base + ".stdout") + " 2> " + quote(base + ".stderr");
    Result r;
    int rc = std::system(("(" + cmd + ")").c_str());
    if (rc != -1 && WIFEXITED(rc)) r.status = WEXITSTATUS(rc);
    r.out = readfile(base + ".stdout");
    r.err = readfile(base + ".stderr");
    return r;
}

bool readpng(const std::string& path, Picture& out)
{
    return readrgbpng(path, &out.width, &out.height, &out.rgb);
}

void makeshell(const std::string& dir, const std::string& name, const ShellSpec& spec)
{
    restart();
    const double outline[6][3] = {{2, -1, 0}, {3.5, 1, 0}, {3, 3.5, 0}, {1, 4.5, 0}, {-1.5, 3.5, 0}, {-2.5, 1, 0.5}};
    for (int i = 0; i < spec.nodes; ++i) {
        const double* n = outline[spec.reversed ? 5 - i : i];
        addnode(n[0], n[1], n[2]);
    }
    texturetype = spec.texturetype;
    pattern_r = spec.pattern[0], pattern_g = spec.pattern[1], pattern_b = spec.pattern[2];
    background_r = spec.background[0], background_g = spec.background[1], background_b = spec.background[2];
    std::string path = dir + "/" + name;
    std::vector<char> buffer(path.begin(), path.end());
    buffer.resize(path.size() + 8, 0);
    saveshellparameter(buffer.data());
    restart();
}

}  // namespace tooltest
