// seashell-render - ray traces a shell file into a PNG picture (and, when
// asked, the modeller's own ".bp" image file) without opening a window.
//
//   seashell-render [-q] SHELL.shl SIZE OUT.png [--bp OUT.bp]
//
// The shell is loaded by the modeller's loader and its curve sampled as the
// curve views do; its texture is computed by its model; the image is traced
// by the modeller's tracer on all cores, bottom row first, exactly as the
// "Raytracing" command traces it. The ".bp" is byte for byte the file the
// modeller writes for the same shell and size (the modeller also saves the
// shell beside it; the shell here is the input, so it is not written again).
// The PNG holds the same pixels, top row first.
//
// Limits: SIZE from 16 to 2000 (the modeller's menu offers 200 to 1000 by
// hundreds). The whole picture is kept in memory (3 x SIZE^2 bytes).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "files/bigendian.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"
#include "tools/common/pngout.h"
#include "tools/common/toolrun.h"

namespace {

const int MINSIZE = 16, MAXSIZE = 2000;

const char* const usage =
    "Usage: seashell-render [-q] SHELL.shl SIZE OUT.png [--bp OUT.bp]\n"
    "Ray traces the shell of SHELL.shl (the \".shl\" may be left off) into a\n"
    "SIZE x SIZE picture, as the modeller's \"Raytracing\" command does, and\n"
    "writes it as a PNG file.\n"
    "\n"
    "  SIZE        16 to 2000 pixels (the modeller offers 200 to 1000)\n"
    "  --bp FILE   also write the modeller's image file (\".bp\")\n"
    "  -q, --quiet no progress bar\n"
    "  -h, --help  this text\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written or the shell\n"
    "cannot be traced, 2 bad arguments. Nothing is written unless all is.\n";

struct Picture {
    int N;
    std::vector<unsigned char> rgb;  // row-major, bottom row first
};

void keeprow(int r, const unsigned char* red, const unsigned char* green, const unsigned char* blue,
             void* user)
{
    Picture* p = (Picture*)user;
    unsigned char* out = &p->rgb[(std::size_t)(r - 1) * p->N * 3];
    for (int j = 0; j < p->N; ++j) {
        out[3 * j] = red[j];
        out[3 * j + 1] = green[j];
        out[3 * j + 2] = blue[j];
    }
    toolprogress("raytracing", (int)(r * 100.0 / p->N));
}

void pngrow(int y, unsigned char* rgb, void* user)
{
    const Picture* p = (const Picture*)user;
    std::memcpy(rgb, &p->rgb[(std::size_t)(p->N - 1 - y) * p->N * 3], (std::size_t)p->N * 3);
}

// The image file: height, width, then each row from the bottom as the span
// between its first and last lit pixel (a black row is its start alone).
void encodebp(const Picture* p, ByteBuffer& b)
{
    int W = p->N;
    put16(b, p->N);
    put16(b, W);
    for (int r = 0; r < p->N; ++r) {
        const unsigned char* row = &p->rgb[(std::size_t)r * W * 3];
        auto lit = [&](int c) { return row[3 * c] || row[3 * c + 1] || row[3 * c + 2]; };
        int start = 0;
        while (start < W && !lit(start)) ++start;
        put16(b, start);
        if (start == W) continue;
        int last = W - 1;
        while (!lit(last)) --last;
        int length = last - start + 1;
        put16(b, length);
        for (int k = 0; k < 3; ++k)
            for (int c = start; c <= last; ++c) b.push_back(row[3 * c + k]);
    }
}

int parsesize(const char* s, int* N)
{
    if (!*s || std::strlen(s) > 6) return 0;
    int v = 0;
    for (const char* c = s; *c; ++c) {
        if (*c < '0' || *c > '9') return 0;
        v = v * 10 + (*c - '0');
    }
    if (v < MINSIZE || v > MAXSIZE) return 0;
    *N = v;
    return 1;
}

int run(int argc, char** argv)
{
    const char* args[3];
    const char* bppath = nullptr;
    int status = toolargs(argc, argv, usage, "--bp", &bppath, args, 3, "needs SHELL.shl, SIZE and OUT.png");
    if (status >= 0) return status;
    int N;
    if (!parsesize(args[1], &N))
        return toolusage("SIZE must be a whole number from %d to %d, not '%s'", MINSIZE, MAXSIZE, args[1]);

    if (!toolloadshell(args[0])) return TOOL_FAILED;
    if (!triangulateshell() || ListHead.next == nullptr) {
        freeTraceObjectList();
        toolerror("%s has no surface to trace (it needs two control nodes and one growth step)", args[0]);
        return TOOL_FAILED;
    }
    TraceCamera cam;
    if (!setupcamera(&cam, N)) {
        freeTraceObjectList();
        toolerror("No image: the eye is at the origin !");
        return TOOL_FAILED;
    }

    // Open the outputs before the long part: a bad name fails at once.
    SafeFile* png = toolout(args[2]);
    SafeFile* bp = nullptr;
    if (png && bppath) bp = toolout(bppath);
    if (!png || (bppath && !bp)) {
        freeTraceObjectList();
        return TOOL_FAILED;
    }

    toolprogress("texture", 0);
    createtexturemap(0);
    toolprogress("texture", 100);
    Picture picture;
    picture.N = N;
    picture.rgb.assign((std::size_t)N * N * 3, 0);
    toolprogress("raytracing", 0);
    traceimage(N, 0, keeprow, &picture);
    toolprogressdone();
    freeTraceObjectList();
    freetexturemap();

    if (!writepng(png->fp, N, N, pngrow, &picture)) {
        toolerror("can not write %s", args[2]);
        return TOOL_FAILED;
    }
    if (bp) {
        ByteBuffer bytes;
        encodebp(&picture, bytes);
        if (!safewrite(bp, bytes.data(), bytes.size())) {
            toolerror("can not write %s", bppath);
            return TOOL_FAILED;
        }
    }
    return toolcommit() ? TOOL_OK : TOOL_FAILED;
}

}  // namespace

int main(int argc, char** argv)
{
    return toolmain("seashell-render", run, argc, argv);
}
