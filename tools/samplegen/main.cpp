// seashell-samplegen - builds one sample of the shipped libraries from its
// record in the sample table, through the modeller's own code.
//
//   seashell-samplegen TABLE NAME [DIR]        writes the sample into DIR (default .)
//   seashell-samplegen --list TABLE            prints the names, in table order
//   seashell-samplegen --png SIZE OUT TABLE NAME
//                                              a shell traced at SIZE x SIZE, or a
//                                              texture's picture, as a PNG file
//
// A shell (sampleN) is set up as the record says, saved with
// saveshellparameter and loaded back with loadshellparameter, so it holds
// exactly what a user gets from the library; its generating curve is sampled
// as the curve views do, and it is traced at 200 x 200 into NAME.bp through
// initsaveRGB / saveRGB / closesaveRGB as the "Raytracing" command does (which
// writes NAME.shl again beside it). A texture (actsubN, actinhN, stripforN)
// is written with savetexture.
//
// The pattern generators are never seeded and continue within a process, so
// each sample must be built in a fresh process: its files then depend on its
// own record only, and building it again gives the same bytes.
//
// Exit status 0 on success; 1 when a file could not be written; 2 for bad
// arguments or a bad table (the reason on standard error).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "curve/curve.h"
#include "files/files.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"
#include "tools/common/pngout.h"
#include "tools/samplegen/table.h"

namespace {

const int THUMBNAIL = 200;

struct Rows {
    int N;
    int failed;                          // rows the image file did not take
    std::vector<unsigned char> rgb;      // N x N x 3, top row first
};

void keeprow(int r, const unsigned char* red, const unsigned char* green, const unsigned char* blue,
             void* user)
{
    Rows* rows = (Rows*)user;
    if (!saveRGB(red, green, blue)) rows->failed++;
    // Rows come bottom first: image row r (1..N) is picture row N - r.
    unsigned char* out = &rows->rgb[(size_t)(rows->N - r) * rows->N * 3];
    for (int j = 0; j < rows->N; j++) {
        out[3 * j] = red[j];
        out[3 * j + 1] = green[j];
        out[3 * j + 2] = blue[j];
    }
}

// Reports what went wrong; returns the exit status: 1 for a file that could
// not be made, 2 for bad arguments or a bad table.
int fail(const std::string& what, int status = 1)
{
    std::fprintf(stderr, "seashell-samplegen: %s\n", what.c_str());
    return status;
}

// The shell of the model, as the library will hold it, traced at N x N.
int makeshell(const std::string& name, int N, Rows* rows)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s", name.c_str());
    if (!saveshellparameter(buf)) return fail("cannot write " + name + ".shl");
    std::snprintf(buf, sizeof buf, "%s", name.c_str());
    if (!loadshellparameter(buf)) return fail("cannot load " + name + ".shl back");

    drawinterpolatepath();
    if (!triangulateshell()) return fail(name + ": the shell has no surface");
    std::snprintf(buf, sizeof buf, "%s", name.c_str());
    if (!initsaveRGB(N, N, buf)) {
        freeTraceObjectList();
        return fail("cannot write " + name + ".bp");
    }
    createtexturemap(0);
    rows->N = N;
    rows->failed = 0;
    rows->rgb.assign((size_t)N * N * 3, 0);
    int traced = traceimage(N, 0, keeprow, rows);
    closesaveRGB();
    freeTraceObjectList();
    freetexturemap();
    if (!traced) return fail(name + ": no view of the shell from its eye position");
    if (rows->failed) return fail("cannot write " + name + ".bp");
    return 0;
}

int maketexture(const std::string& name)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s", name.c_str());
    if (!savetexture(buf)) return fail("cannot write " + name + ".ttr");
    return 0;
}

// The picture stored at the end of a texture file, top row first.
int texturepicture(const std::string& path, std::vector<unsigned char>* rgb)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    const size_t picture = (size_t)THUMBNAIL * THUMBNAIL * 3;
    if (bytes.size() < picture) return 0;
    const unsigned char* p = &bytes[bytes.size() - picture];
    rgb->assign(picture, 0);
    for (int i = 0; i < THUMBNAIL; i++)          // stored row i is the i-th from the bottom
        for (int ch = 0; ch < 3; ch++)
            for (int j = 0; j < THUMBNAIL; j++)
                (*rgb)[((size_t)(THUMBNAIL - 1 - i) * THUMBNAIL + j) * 3 + ch] = p[(size_t)i * 600 + ch * 200 + j];
    return 1;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: seashell-samplegen TABLE NAME [DIR]\n"
                 "       seashell-samplegen --list TABLE\n"
                 "       seashell-samplegen --png SIZE OUT.png TABLE NAME\n");
    return 2;
}

}  // namespace

// Rows of a square picture held whole in memory, top row first.
struct Picture {
    const unsigned char* rgb;
    int side;
};

static void copyrow(int y, unsigned char* rgb, void* user)
{
    const Picture* p = (const Picture*)user;
    std::memcpy(rgb, p->rgb + (std::size_t)y * p->side * 3, (std::size_t)p->side * 3);
}

static bool writergbpng(const std::string& path, int side, const std::vector<unsigned char>& rgb)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    Picture p = {rgb.data(), side};
    bool ok = writepng(f, side, side, copyrow, &p) != 0;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::remove(path.c_str());
    return ok;
}

int main(int argc, char** argv)
{
    std::vector<SampleRecord> records;
    std::string error;
    if (argc == 3 && std::strcmp(argv[1], "--list") == 0) {
        if (!readtable(argv[2], &records, &error)) return fail(error, 2);
        for (const SampleRecord& r : records) std::printf("%s\n", r.name.c_str());
        return 0;
    }

    bool png = argc == 6 && std::strcmp(argv[1], "--png") == 0;
    if (!png && argc != 3 && argc != 4) return usage();
    int size = THUMBNAIL;
    if (png) {
        char* end;
        long s = std::strtol(argv[2], &end, 10);
        if (*end || s < 2 || s > 4000) return usage();
        size = (int)s;
    }
    const char* table = png ? argv[4] : argv[1];
    std::string name = png ? argv[5] : argv[2];
    std::string out = png ? argv[3] : "";
    if (png && out[0] != '/') {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd)) return fail("no current directory");
        out = std::string(cwd) + "/" + out;
    }

    if (!readtable(table, &records, &error)) return fail(error, 2);
    const SampleRecord* record = findrecord(records, name);
    if (!record) return fail(std::string(table) + ": no sample \"" + name + "\"", 2);
    if (name.size() > 20) return fail("\"" + name + "\" is longer than a file name may be", 2);
    if (!applyrecord(records, *record, &error)) return fail(std::string(table) + ": " + error, 2);

    // A picture for the documentation is made in a scratch folder.
    std::string dir = argc == 4 ? argv[3] : ".";
    std::string scratch = (std::filesystem::temp_directory_path() / "samplegen-XXXXXX").string();
    if (png) {
        if (!mkdtemp(scratch.data())) return fail("cannot make a scratch folder");
        dir = scratch;
    }
    if (chdir(dir.c_str()) != 0) {
        if (png) rmdir(scratch.c_str());
        return fail("cannot enter " + dir, 2);
    }

    int status;
    std::vector<unsigned char> rgb;
    int side = size;
    if (texturekind(name)) {
        status = maketexture(name);
        side = THUMBNAIL;
        if (!status && png && !texturepicture(name + ".ttr", &rgb)) status = fail("cannot read " + name + ".ttr");
    } else {
        Rows rows;
        status = makeshell(name, size, &rows);
        rgb.swap(rows.rgb);
    }
    if (png) {
        if (!status && !writergbpng(out, side, rgb)) status = fail("cannot write " + out);
        for (const char* ext : {".shl", ".bp", ".ttr"}) std::remove((name + ext).c_str());
        rmdir(scratch.c_str());
    }
    return status;
}
