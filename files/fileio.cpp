// fileio.cpp - the file error message, whole-head reads and the safe writer
// (see fileio.h).
#include "files/fileio.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "app/app.h"

void fileerror(const char* format, const char* name)
{
    char text[1200];
    std::snprintf(text, sizeof text, format, name);
    messagebox(text);
}

int readfilehead(const char* path, std::size_t cap, ByteBuffer& data)
{
    data.clear();
    std::FILE* fp = std::fopen(path, "rb");
    if (!fp) return 0;
    unsigned char chunk[8192];
    while (data.size() < cap) {
        std::size_t want = cap - data.size();
        if (want > sizeof chunk) want = sizeof chunk;
        std::size_t got = std::fread(chunk, 1, want, fp);
        data.insert(data.end(), chunk, chunk + got);
        if (got < want) break;
    }
    std::fclose(fp);
    return 1;
}

int safeopen(SafeFile* f, const char* path)
{
    f->fp = nullptr;
    f->failed = 0;
    // A name that does not fit is one that cannot be opened.
    if (std::snprintf(f->path, sizeof f->path, "%s", path) >= (int)sizeof f->path) return 0;
    // A file that could not be opened for writing in place is not replaced
    // either; one that can keeps its permissions.
    struct stat old;
    int exists = stat(f->path, &old) == 0;
    if (exists && access(f->path, W_OK) != 0) return 0;
    std::snprintf(f->temp, sizeof f->temp, "%s.tmp", f->path);
    f->fp = std::fopen(f->temp, "wb");
    if (f->fp && exists) fchmod(fileno(f->fp), old.st_mode & 07777);
    return f->fp != nullptr;
}

int safewrite(SafeFile* f, const void* data, std::size_t n)
{
    if (!f->fp) return 0;
    // Flushed at once, so a full disk shows up in the write that hit it.
    if (std::fwrite(data, 1, n, f->fp) != n || std::fflush(f->fp) != 0) {
        f->failed = 1;
        return 0;
    }
    return 1;
}

int safecommit(SafeFile* f)
{
    if (!f->fp) return 0;
    int ok = !f->failed && !std::ferror(f->fp);
    if (std::fclose(f->fp) != 0) ok = 0;
    f->fp = nullptr;
    if (ok && std::rename(f->temp, f->path) != 0) ok = 0;
    if (!ok) std::remove(f->temp);
    return ok;
}

void safeabandon(SafeFile* f)
{
    if (!f->fp) return;
    std::fclose(f->fp);
    f->fp = nullptr;
    std::remove(f->temp);
}
