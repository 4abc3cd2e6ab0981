// table.cpp - reads the sample table into records of "key values" lines.
//
// The format is line based: a line that begins with a non-blank character
// opens a record (its first word is the sample's name, the rest of the line
// describes it); indented lines belong to the record above; "#" to the end
// of a line is a comment; blank lines are ignored.
#include "tools/samplegen/table.h"

#include <fstream>
#include <sstream>

static std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

int readtable(const char* path, std::vector<SampleRecord>* records, std::string* error)
{
    std::ifstream in(path);
    if (!in) {
        *error = std::string(path) + ": cannot open";
        return 0;
    }
    records->clear();
    std::string line;
    int lineno = 0;
    while (std::getline(in, line)) {
        lineno++;
        std::string::size_type hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        std::string where = std::string(path) + ":" + std::to_string(lineno) + ": ";
        if (line[0] != ' ' && line[0] != '\t') {
            if (findrecord(*records, w[0])) {
                *error = where + "sample \"" + w[0] + "\" is defined twice";
                return 0;
            }
            SampleRecord r;
            r.name = w[0];
            r.lineno = lineno;
            std::string::size_type rest = line.find(w[0]) + w[0].size();
            std::vector<std::string> d = words(line.substr(rest));
            for (size_t i = 0; i < d.size(); i++) r.description += (i ? " " : "") + d[i];
            records->push_back(r);
            continue;
        }
        if (records->empty()) {
            *error = where + "a setting before the first sample";
            return 0;
        }
        SampleLine s;
        s.lineno = lineno;
        s.key = w[0];
        s.values.assign(w.begin() + 1, w.end());
        records->back().lines.push_back(s);
    }
    return 1;
}

const SampleRecord* findrecord(const std::vector<SampleRecord>& records, const std::string& name)
{
    for (const SampleRecord& r : records)
        if (r.name == name) return &r;
    return nullptr;
}

int texturekind(const std::string& name)
{
    if (name.rfind("actsub", 0) == 0) return 50;
    if (name.rfind("actinh", 0) == 0) return 51;
    if (name.rfind("stripfor", 0) == 0) return 49;
    return 0;
}
