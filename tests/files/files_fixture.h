// files_fixture.h - every file test runs in a fresh temporary directory with
// the model at its defaults; helpers read files back, patch them, and take
// the pixels of the composed screen.
#pragma once
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/model.h"
#include "curve/curve.h"
#include "files/bigendian.h"
#include "files/files.h"
#include "panels/panels.h"
#include "platform/gl.h"
#include "platform/screen.h"

typedef std::vector<unsigned char> Bytes;

inline Bytes readbytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writebytes(const std::string& path, const Bytes& b)
{
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)b.data(), (std::streamsize)b.size());
}

inline bool exists(const std::string& path) { return std::filesystem::exists(path); }

// Overwrites the big-endian double at offset.
inline void patchdouble(Bytes& b, std::size_t offset, double v)
{
    ByteBuffer d;
    putdouble(d, v);
    std::memcpy(b.data() + offset, d.data(), 8);
}

// The screen pixel (x, y), lower-left origin, as r, g, b.
struct Pixel {
    int r, g, b;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
};
inline std::ostream& operator<<(std::ostream& os, const Pixel& p)
{
    return os << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

struct Screen {
    std::vector<std::uint32_t> rgba;
    Screen() : rgba((std::size_t)gl::screen_width() * gl::screen_height()) { gl::screen_compose(rgba.data()); }
    Pixel at(int x, int y) const
    {
        std::uint32_t c = rgba[(std::size_t)(gl::screen_height() - 1 - y) * gl::screen_width() + x];
        return Pixel{(int)(c & 0xFF), (int)((c >> 8) & 0xFF), (int)((c >> 16) & 0xFF)};
    }
};

// Makes writes beyond `bytes` fail (as on a full disk) while it lives.
struct FileSizeLimit {
    rlimit old;
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit lim = old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

class FilesTest : public ::testing::Test {
protected:
    std::filesystem::path olddir, dir;

    void SetUp() override
    {
        olddir = std::filesystem::current_path();
        std::string tmpl = (std::filesystem::temp_directory_path() / "seashell-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        std::filesystem::current_path(dir);

        restart();
        // What restart keeps, back to the start-up values.
        shellscale = 0.0;
        shinnessvalue = 128.0;
        material[1] = 128.0f;
        reflectvalue = 0.2;
        shellmode = 17;
        InitParambar();
    }
    void TearDown() override
    {
        std::filesystem::current_path(olddir);
        std::filesystem::remove_all(dir);
    }

    // Files left in the directory, sorted.
    std::vector<std::string> listing() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};
