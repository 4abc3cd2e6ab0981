// table.h - the table of sample parameters: one record per sample shell or
// sample texture, read from a plain text file.
//
// A record starts with a line that begins in the first column with the
// sample's name (sample0 .. sample23, actsub0..7, actinh0..7, stripfor0..7)
// followed by a short description. Its settings follow on indented lines,
// one "key values..." per line, applied in order; "#" starts a comment.
// The keys and what they set are listed in applyrecord (sampleset.cpp).
#pragma once
#include <string>
#include <vector>

struct SampleLine {
    int lineno;
    std::string key;
    std::vector<std::string> values;
};

struct SampleRecord {
    std::string name;
    std::string description;
    int lineno;
    std::vector<SampleLine> lines;
};

// Reads the whole table. Returns 1, or 0 with a message naming the file and
// line of the first problem (a setting outside a record, a name used twice).
int readtable(const char* path, std::vector<SampleRecord>* records, std::string* error);

// The record of that name, or null.
const SampleRecord* findrecord(const std::vector<SampleRecord>& records, const std::string& name);

// Sets the model from a record, starting from the start-up defaults, so a
// record depends on nothing but itself (and the texture record it names).
// Returns 1, or 0 with a message for an unknown key or a bad value.
int applyrecord(const std::vector<SampleRecord>& records, const SampleRecord& record, std::string* error);

// 50, 51 or 49 for a texture record's name prefix, 0 for a shell.
int texturekind(const std::string& name);
