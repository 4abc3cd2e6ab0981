// fileio.h - small helpers shared by the file readers and writers: the
// message box for a file error, reading the head of a file into memory, and
// the safe writer that replaces a file only once its successor is complete.
//
// Safe writing: safeopen() creates "<path>.tmp" beside the target, the
// writes go there, and safecommit() closes it and renames it over the target
// only if every write succeeded; otherwise the temporary file is removed and
// whatever file was there before is left as it was. A target that is not
// writable is refused, as opening it in place would be; a replaced file
// keeps its permissions. One SafeFile writes one file at a time; the image
// writer keeps its own across a whole run.
#pragma once
#include <cstddef>
#include <cstdio>

#include "files/bigendian.h"

// Formats the message with the (extended) file name and shows it in the
// message box.
void fileerror(const char* format, const char* name);

// Reads at most cap bytes from the start of the file into data. Returns 0
// when the file cannot be opened, 1 otherwise (data may then be short).
int readfilehead(const char* path, std::size_t cap, ByteBuffer& data);

struct SafeFile {
    std::FILE* fp;
    char path[1024];
    char temp[1032];
    int failed;  // a write (or flush) has failed since safeopen
};

// Returns 1 when the temporary file is open for writing, 0 otherwise.
int safeopen(SafeFile* f, const char* path);
// Writes n bytes and flushes them; returns 1 when all reached the file.
int safewrite(SafeFile* f, const void* data, std::size_t n);
// Closes and renames over the target; returns 1 on success. On failure the
// temporary file is removed and the old target stays.
int safecommit(SafeFile* f);
// Closes and removes the temporary file; the old target stays.
void safeabandon(SafeFile* f);
