// fuzz_common.h - what the fuzz targets of the file readers share.
//
// Each target writes its input to a file and hands it to the real loading
// function, exactly as the menus do, then carries on as the program would
// with what was loaded: the windows are redrawn and, for shells and textures
// small enough to keep the fuzzer fast, a tiny image is traced with the
// texture map. Larger models are loaded and checked but not drawn; their
// sizes are bounded by the loaders' checks (files/loadcheck.h).
//
// The input files live in a private directory made at the first input (the
// working directory stays, as libFuzzer reads its corpus by relative paths).
// The six windows of the program are open on the headless screen and there
// is no backend, so a message box returns at once and nothing waits.
#pragma once
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "raytrace/raytrace.h"
#include "texture/texture.h"

namespace fuzz {

// Work limits of the follow-up, not of the program.
const double SURFACELIMIT = 1e6;   // surface points drawn after a load
const double TRACELIMIT = 5e4;     // surface points traced
const double TEXTURELIMIT = 2e7;   // cell updates of the texture map
const int TRACESIZE = 12;          // pixels per side of the traced image

inline char* inputdir()
{
    static char dir[] = "/tmp/seashell-fuzz-XXXXXX";
    return dir;
}

inline void setup()
{
    static bool done = false;
    if (done) return;
    done = true;
    if (!mkdtemp(inputdir())) {
        std::perror("fuzz input directory");
        std::abort();
    }
    raytracethreads = 1;
    InitWin();
    redraw(0);
}

// Writes the input as <dir>/in<extension> and leaves <dir>/in, the name the
// loaders take, in name (room for the extension they append).
inline void writeinput(char (&name)[128], const char* extension, const std::uint8_t* data, std::size_t size)
{
    char path[160];
    std::snprintf(path, sizeof path, "%s/in%s", inputdir(), extension);
    std::FILE* fp = std::fopen(path, "wb");
    if (!fp) std::abort();
    if (size && std::fwrite(data, 1, size, fp) != size) std::abort();
    std::fclose(fp);
    std::snprintf(name, sizeof name, "%s/in", inputdir());
}

// Points of the surface the next redraw makes, from the growth steps and an
// estimate of the curve's samples (twice the node polygon's length).
inline double surfacepoints()
{
    double length = 0.0;
    for (const ControlNode* c = ObjectPtr->head; c && c->next; c = c->next) {
        double dx = c->next->x - c->x, dy = c->next->y - c->y, dz = c->next->z - c->z;
        length += std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    double rings = helico_endangle * helico_stepsize / 6.283185307179586 + 1.0;
    return rings * (2.0 * length * genstepsize + 3.0);
}

// Cell updates of the texture map of the current model (after a redraw has
// sampled the curve).
inline double texturework()
{
    double delta = texturetype == 50 ? t_delta : texturetype == 51 ? i_delta : texturetype == 49 ? s_delta : 1.0;
    double steps = std::trunc(1.0 / delta);
    double rows = std::trunc(helico_endangle * 300.0 / 6.283185307179586) + 51.0;
    double columns = std::trunc(GenCurveTotalLength * 10.0) + 1.0;
    return rows * steps * columns;
}

inline void droprow(int, const unsigned char*, const unsigned char*, const unsigned char*, void*) {}

// The menu's redraw after a load, then a tiny traced image.
inline void followload()
{
    double points = surfacepoints();
    if (!(points <= SURFACELIMIT)) return;
    redraw(0);
    if (!(points <= TRACELIMIT) || !(texturework() <= TEXTURELIMIT)) return;
    if (!triangulateshell()) return;
    createtexturemap(0);
    traceimage(TRACESIZE, 0, droprow, nullptr);
    freetexturemap();
    freeTraceObjectList();
}

}  // namespace fuzz
