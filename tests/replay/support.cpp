#include "support.h"

#include "../common/pngread.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace replaytest {

static const Value nullvalue;

const Value& Value::operator[](const std::string& key) const
{
    auto it = fields.find(key);
    if (it == fields.end()) throw std::runtime_error("no field " + key);
    return it->second;
}

const Value& Value::operator[](std::size_t i) const
{
    if (i >= items.size()) throw std::runtime_error("index out of range");
    return items[i];
}

namespace {
struct Parser {
    const std::string& s;
    std::size_t p = 0;
    void ws()
    {
        while (p < s.size() && (s[p] == ' ' || s[p] == '\n' || s[p] == '\t' || s[p] == '\r')) p++;
    }
    char peek()
    {
        ws();
        if (p >= s.size()) throw std::runtime_error("unexpected end of JSON");
        return s[p];
    }
    void expect(char c)
    {
        if (peek() != c) throw std::runtime_error(std::string("expected ") + c);
        p++;
    }
    std::string str()
    {
        expect('"');
        std::string out;
        while (p < s.size() && s[p] != '"') {
            if (s[p] == '\\') {
                p++;
                if (s[p] == 'u') {
                    out += (char)std::stoi(s.substr(p + 1, 4), nullptr, 16);
                    p += 5;
                    continue;
                }
            }
            out += s[p++];
        }
        p++;
        return out;
    }
    Value value()
    {
        Value v;
        char c = peek();
        if (c == '{') {
            v.kind = Value::Object;
            p++;
            if (peek() == '}') { p++; return v; }
            for (;;) {
                std::string k = str();
                expect(':');
                v.fields[k] = value();
                if (peek() == ',') { p++; continue; }
                expect('}');
                return v;
            }
        }
        if (c == '[') {
            v.kind = Value::Array;
            p++;
            if (peek() == ']') { p++; return v; }
            for (;;) {
                v.items.push_back(value());
                if (peek() == ',') { p++; continue; }
                expect(']');
                return v;
            }
        }
        if (c == '"') {
            v.kind = Value::String;
            v.text = str();
            return v;
        }
        if (s.compare(p, 4, "null") == 0) { p += 4; return v; }
        if (s.compare(p, 4, "true") == 0) { p += 4; v.kind = Value::Bool; v.boolean = true; return v; }
        if (s.compare(p, 5, "false") == 0) { p += 5; v.kind = Value::Bool; return v; }
        std::size_t used = 0;
        v.kind = Value::Number;
        v.number = std::stod(s.substr(p, 40), &used);
        p += used;
        return v;
    }
};
}  // namespace

Value parsejson(const std::string& text)
{
    Parser parser{text};
    return parser.value();
}

std::string readfile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

Value readjson(const std::string& path)
{
    return parsejson(readfile(path));
}

void Image::at(int x, int y, unsigned char out[3]) const
{
    int row = height - 1 - y;
    const unsigned char* px = &rgb[((std::size_t)row * width + x) * 3];
    out[0] = px[0];
    out[1] = px[1];
    out[2] = px[2];
}

unsigned Image::packed(int x, int y) const
{
    unsigned char c[3];
    at(x, y, c);
    return (unsigned)c[0] << 16 | (unsigned)c[1] << 8 | c[2];
}

bool readpng(const std::string& path, Image& out)
{
    return readrgbpng(path, &out.width, &out.height, &out.rgb);
}

std::string scratchdir(const std::string& name)
{
    std::filesystem::path dir =
        std::filesystem::path(SEASHELL_BINARY_DIR) / "scenario-runs" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

int runreplay(const std::string& dir, const std::string& script)
{
    std::string scriptpath = dir + "/script.replay";
    {
        std::ofstream out(scriptpath);
        out << script;
    }
    std::string cmd = "cd '" + dir + "' && '" SEASHELL_BINARY_DIR
                      "/tools/replay/seashell-replay' script.replay > replay.out 2> replay.err";
    int rc = std::system(cmd.c_str());
    if (rc == -1 || !WIFEXITED(rc)) return -1;
    return WEXITSTATUS(rc);
}

}  // namespace replaytest
