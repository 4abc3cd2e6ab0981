// shell_redraw.cpp - one full redraw of the shell window: regeneration of
// the surface and drawing of every band, in solid mode and in grid (line)
// mode. Two settings: the defaults with a 5-node curve, and the largest the
// bars allow (end angle 50.1, 300 steps per turn, 10 samples per curve unit)
// with a 10-node curve spanning the curve views, about 2,400 rings of 485
// points; from the default eye, which that shell encloses, most of its 2.3
// million triangles are cut away or cover no pixel centre. Reports redraws
// per second; a last run gives the generation alone at the largest settings.
//
// The windows are opened as the program opens them, so that the figure
// includes the drawing done by the graphics layer.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "platform/gl.h"
#include "shell/shell.h"

// The program's windows, opened as the program opens them.
static void openwindows()
{
    if (seawid != 0) return;
    ObjectPtr = &AnimateObject;
    InitWin();
}

// Replaces the curve by the given nodes and samples it.
static void makecurve(const double (*nodes)[3], int n)
{
    delete_path();
    InsertType = 32;
    for (int i = 0; i < n; i++) addnode(nodes[i][0], nodes[i][1], nodes[i][2]);
    fitcurve();
    drawinterpolatepath();
}

static void redraws(benchmark::State& state, void (*redraw)())
{
    for (auto _ : state) redraw();
    state.counters["redraws/s"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["samples"] = CurveSegment;
}

// The defaults with a 5-node curve. Returns 0 if no curve came out.
static int setdefaults()
{
    openwindows();
    static const double nodes[5][3] = {{0, 0, 0}, {2, 2, 0}, {4, 0, 0}, {2, -2, 0}, {0.5, -1, 0}};
    helico_r0 = 0.1; helico_z0 = 0.2; helico_rate = 1.1; helico_endangle = 26.4; helico_stepsize = 16.0;
    genstepsize = 1.0;
    makecurve(nodes, 5);
    return ObjectPtr->count >= 2 && GenerateCurve != nullptr;
}

// The largest settings the bars allow, with ten nodes on most of a circle of
// radius 9, so that the curve spans the views. Returns 0 if no curve came out.
static int setlargest()
{
    openwindows();
    double nodes[10][3];
    for (int i = 0; i < 10; i++) {
        double t = i * 0.6;
        nodes[i][0] = 9 * std::cos(t);
        nodes[i][1] = 9 * std::sin(t);
        nodes[i][2] = 0;
    }
    helico_r0 = 0.1; helico_z0 = 0.2; helico_rate = 1.1; helico_endangle = 50.1; helico_stepsize = 300.0;
    genstepsize = 10.0;
    makecurve(nodes, 10);
    return ObjectPtr->count >= 2 && GenerateCurve != nullptr;
}

static void run(benchmark::State& state, int (*set)(), void (*redraw)())
{
    if (!set()) {
        state.SkipWithError("the generating curve could not be sampled");
        return;
    }
    redraws(state, redraw);
}

static void BM_ShellRedrawDefaults(benchmark::State& state) { run(state, setdefaults, seashellsolidredraw); }
static void BM_ShellRedrawLargest(benchmark::State& state) { run(state, setlargest, seashellsolidredraw); }
static void BM_ShellGridRedrawDefaults(benchmark::State& state) { run(state, setdefaults, seashellgridredraw); }
static void BM_ShellGridRedrawLargest(benchmark::State& state) { run(state, setlargest, seashellgridredraw); }

// The same surface generated but not drawn: the generation's share of a redraw.
static void BM_ShellGenerationLargest(benchmark::State& state)
{
    if (!setlargest()) {
        state.SkipWithError("the generating curve could not be sampled");
        return;
    }
    for (auto _ : state)
        generateshell([](const RingPoint* prev, const RingPoint* cur, int k, void* user) {
            benchmark::DoNotOptimize(cur[0].p[0]);
        }, nullptr);
    state.counters["generations/s"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_ShellRedrawDefaults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShellRedrawLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShellGridRedrawDefaults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShellGridRedrawLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShellGenerationLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
