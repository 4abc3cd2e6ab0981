// support.h - running replay scripts from the tests and reading what they
// leave behind: a small JSON reader for dumps and a PNG reader for
// screenshots.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace replaytest {

struct Value {
    enum Kind { Null, Number, String, Array, Object, Bool } kind = Null;
    double number = 0;
    bool boolean = false;
    std::string text;
    std::vector<Value> items;
    std::map<std::string, Value> fields;

    const Value& operator[](const std::string& key) const;
    const Value& operator[](std::size_t i) const;
    double num() const { return number; }
    std::size_t size() const { return kind == Array ? items.size() : fields.size(); }
    bool has(const std::string& key) const { return fields.count(key) != 0; }
};

Value parsejson(const std::string& text);
Value readjson(const std::string& path);

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // top row first
    // Pixel at screen coordinates with the lower-left origin.
    void at(int x, int y, unsigned char out[3]) const;
    unsigned packed(int x, int y) const;  // 0xRRGGBB
};
bool readpng(const std::string& path, Image& out);

// A fresh directory for one scenario; files are written there.
std::string scratchdir(const std::string& name);
// Writes SCRIPT into dir/script.replay and runs seashell-replay on it in
// dir; returns the tool's exit status (-1 if it could not run).
int runreplay(const std::string& dir, const std::string& script);
std::string readfile(const std::string& path);

}  // namespace replaytest
