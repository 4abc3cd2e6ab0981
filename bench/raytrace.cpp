// raytrace.cpp - speed of the two tracers.
//
// Shells: the default growth with a six-node curve (about 2,000 triangles)
// at 1000 x 1000, and a finely stepped one of about 100,000 triangles at
// 500 x 500. The default tracer renders whole images (hierarchy build
// included) on all cores and on one. The reference would take hours on the
// large cases, so it traces an evenly spread subset of the sample rows and
// the whole image's time is extrapolated from it; the summary says so.
//
// Rays are counted once per shell by a counting pass: primary, reflected and
// shadow rays each count one.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/model.h"
#include "curve/curve.h"
#include "raytrace/hierarchy.h"
#include "raytrace/raytrace.h"
#include "raytrace/reference.h"
#include "raytrace/shading.h"
#include "texture/texture.h"

namespace {

struct Shell {
    const char* name;
    int N;
    double stepsize, genstep;
};
const Shell shells[2] = {
    {"default growth, 6 nodes", 1000, 16.0, 1.0},
    {"about 100,000 triangles", 500, 72.0, 12.8},
};

// Figures gathered for the summary.
struct Figures {
    int triangles = 0;
    double samples = 0, rays = 0;
    double fast = 0, fast1 = 0, reference = 0, build = 0;
    int refrows = 0;
} figures[2];

void makeshell(const Shell& s)
{
    freeTraceObjectList();
    delete_path();
    InsertType = 32;
    helico_stepsize = s.stepsize;
    genstepsize = s.genstep;
    texturetype = 52;
    const double nodes[6][3] = {{2, -1, 0}, {3.5, 1, 0}, {3, 3.5, 0}, {1, 4.5, 0}, {-1.5, 3.5, 0}, {-2.5, 1, 0.5}};
    for (const auto& n : nodes)
        addnode(n[0], n[1], n[2]);
    fitcurve();
    drawinterpolatepath();
    triangulateshell();
}

void droprow(int, const unsigned char*, const unsigned char*, const unsigned char*, void*) {}

struct CountingScene {
    const TraceHierarchy* h;
    mutable double rays = 0;
    const TraceTriangle* nearest(const TraceVector* o, const TraceVector* d, double* t, double* u,
                                 double* v) const
    {
        rays++;
        return h->nearest(o, d, t, u, v);
    }
    bool blocked(const TraceVector* P, const TraceVector* L, double dist) const
    {
        rays++;
        return h->blocked(P, L, dist);
    }
};

// The colour of every sample of the rows r0, r0 + step, ... with a scene.
template <class Scene>
void samplerows(const Scene& scene, int N, int step)
{
    TraceCamera cam;
    setupcamera(&cam, N);
    for (int r = 0; r <= N; r += step) {
        double s = (r - 0.5) * cam.pitch - cam.h;
        for (int i = 0; i <= N; i++) {
            double c = (i - 0.5) * cam.pitch - cam.h;
            TraceVector d = {cam.F.x + s * cam.V.x + c * cam.H.x, cam.F.y + s * cam.V.y + c * cam.H.y,
                             cam.F.z + s * cam.V.z + c * cam.H.z};
            double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
            d = {d.x / len, d.y / len, d.z / len};
            double colour[3] = {0, 0, 0};
            raytraceon(scene, &cam.E, &d, colour, 0);
            benchmark::DoNotOptimize(colour);
        }
    }
}

void prepare(int which)
{
    const Shell& s = shells[which];
    makeshell(s);
    createtexturemap(0);
    HortGridSize = (double)texturemapwidth / CurveSegment;
    VertGridSize = (double)texturemapheight / HelicoSegment;
    Figures& f = figures[which];
    if (f.rays == 0) {
        f.triangles = 0;
        for (TraceTriangle* t = ListHead.next; t; t = t->next)
            f.triangles++;
        TraceCamera cam;
        setupcamera(&cam, s.N);
        TraceHierarchy h;
        buildhierarchy(&h, &cam.E);
        CountingScene counter{&h};
        samplerows(counter, s.N, 1);
        f.rays = counter.rays;
        f.samples = (double)(s.N + 1) * (s.N + 1);
        freehierarchy(&h);
    }
}

void finish()
{
    freetexturemap();
    freeTraceObjectList();
}

void BM_Default(benchmark::State& state)
{
    int which = state.range(0), threads = state.range(1);
    prepare(which);
    raytracethreads = threads;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        traceimage(shells[which].N, 0, droprow, nullptr);
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        (threads == 1 ? figures[which].fast1 : figures[which].fast) = secs;
    }
    raytracethreads = 0;
    state.counters["rays/s"] = benchmark::Counter(figures[which].rays, benchmark::Counter::kIsIterationInvariantRate);
    state.SetLabel(shells[which].name);
    finish();
}

void BM_Build(benchmark::State& state)
{
    int which = state.range(0);
    prepare(which);
    TraceCamera cam;
    setupcamera(&cam, shells[which].N);
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        TraceHierarchy h;
        buildhierarchy(&h, &cam.E);
        figures[which].build = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        freehierarchy(&h);
    }
    state.SetLabel(shells[which].name);
    finish();
}

void BM_ReferenceRows(benchmark::State& state)
{
    int which = state.range(0), step = state.range(1);
    prepare(which);
    ListScene scene;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        samplerows(scene, shells[which].N, step);
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        int rows = shells[which].N / step + 1;
        figures[which].refrows = rows;
        figures[which].reference = secs * (shells[which].N + 1) / rows;
    }
    state.SetLabel(shells[which].name);
    finish();
}

}  // namespace

int hardware() { return (int)std::thread::hardware_concurrency(); }

BENCHMARK(BM_Default)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Build)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ReferenceRows)->Args({0, 50})->Args({1, 25})->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d cores\n", hardware());
    for (int i = 0; i < 2; i++) {
        const Figures& f = figures[i];
        if (f.rays == 0)
            continue;
        std::printf("%s, %d x %d: %d triangles, %.0f samples, %.0f rays\n", shells[i].name, shells[i].N,
                    shells[i].N, f.triangles, f.samples, f.rays);
        if (f.build > 0)
            std::printf("  hierarchy build: %.3f s (included below)\n", f.build);
        if (f.fast > 0)
            std::printf("  default, all cores: %.3f s, %.2f M rays/s\n", f.fast, f.rays / f.fast / 1e6);
        if (f.fast1 > 0)
            std::printf("  default, one core:  %.3f s, %.2f M rays/s\n", f.fast1, f.rays / f.fast1 / 1e6);
        if (f.reference > 0)
            std::printf("  reference (extrapolated from %d of %d sample rows): %.1f s, %.3f M rays/s\n",
                        f.refrows, shells[i].N + 1, f.reference, f.rays / f.reference / 1e6);
        if (f.reference > 0 && f.fast > 0)
            std::printf("  reference / default (all cores): %.0f x\n", f.reference / f.fast);
    }
    return 0;
}
