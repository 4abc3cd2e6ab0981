// curve_redraw.cpp - what one drag step in a curve view costs: the spline fit
// and the redraw of the three curve views, which re-samples the curve into
// GenerateCurve and draws it with the node markers. The curve has 30 nodes
// (the most the list holds) on a spiral across the views, sampled at the
// default 1 and at 9.5 samples per curve unit. A third run gives the sampling
// alone, without the views' clearing, markers and swaps.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "platform/gl.h"

static void openviews()
{
    static bool open = false;
    if (open) return;
    open = true;
    struct View { std::int32_t x1, x2; std::int32_t* wid; const char* title; char axis; float near; } views[3] = {
        {0, 400, &generatewid3, "Generating curve - YZ view", 'y', 20.0f},
        {425, 825, &generatewid, "Generating curve - XY view", 0, 10.0f},
        {842, 1242, &generatewid2, "Generating curve - XZ view", 'x', 20.0f},
    };
    for (View& v : views) {
        gl::prefposition(v.x1, v.x2, 0, 400);
        *v.wid = gl::winopen(v.title);
        gl::RGBmode();
        gl::doublebuffer();
        gl::gconfig();
        gl::zbuffer(1);
        gl::mmode(gl::MVIEWING);
        if (v.axis) gl::rotate(900, v.axis);
        gl::ortho(-10, 10, -10, 10, v.near, -20);
    }
}

static void spiralcurve(double samplesperunit)
{
    delete_path();
    InsertType = 32;
    for (int i = 0; i < 30; i++) {
        double a = i * 0.4, r = 1.0 + i * 0.25;
        addnode(r * std::cos(a), r * std::sin(a), 0.1 * i - 1.5);
    }
    genstepsize = samplesperunit;
    hortmag = 0.2;
    hortsize = 3.0;
    fitcurve();
}

static void BM_DragStep(benchmark::State& state)
{
    openviews();
    spiralcurve(state.range(0) / 10.0);
    for (auto _ : state) {
        fitcurve();
        generateredraw(0);
    }
    state.counters["samples"] = CurveSegment + 1;
    state.counters["steps/s"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DragStep)->Arg(10)->Arg(95)->Unit(benchmark::kMicrosecond);

static void BM_SamplingOnly(benchmark::State& state)
{
    openviews();
    spiralcurve(9.5);
    for (auto _ : state) drawinterpolatepath();
    state.counters["samples"] = CurveSegment + 1;
}
BENCHMARK(BM_SamplingOnly)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
