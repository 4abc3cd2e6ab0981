// render.cpp - the graphics layer alone, in a window like the shell window
// (551 x 551, RGB, double-buffered, z-buffer, perspective 45 degrees, the
// default material and light): an empty redraw (clear, zclear, swap), and
// redraws of a lit sphere of triangle strips at two densities, filling about
// half the window. Reports redraws per second; and the composition of the
// whole 1600 x 1200 screen.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/gl.h"
#include "platform/screen.h"

namespace {

float material[15] = {5, 128, 3, 1, 0, 0, 4, 1, 1, 1, 2, 0, 0, 0, 0};
float lightmodel[7] = {2, 0.1f, 0.1f, 0.1f, 201, 1, 0};
float light1[10] = {102, 10, 5, 10, 1, 101, 1, 1, 1, 0};

void openwindow()
{
    static bool open = false;
    if (open) return;
    open = true;
    gl::prefposition(420, 970, 485, 1035);
    gl::winopen("bench");
    gl::RGBmode();
    gl::doublebuffer();
    gl::gconfig();
    gl::zbuffer(1);
    gl::mmode(gl::MVIEWING);
    gl::perspective(450, 1.0f, 0.5f, 150.0f);
    gl::lmdef(gl::DEFMATERIAL, 1, 15, material);
    gl::lmdef(gl::DEFLMODEL, 1, 0, lightmodel);
    gl::lmdef(gl::DEFLIGHT, 1, 10, light1);
}

// Rings of a unit sphere: rings x (segments + 1) points with normals.
struct Sphere {
    int rings, segments;
    std::vector<float> p;
    Sphere(int r, int s) : rings(r), segments(s), p((size_t)r * (s + 1) * 3)
    {
        for (int i = 0; i < r; ++i)
            for (int j = 0; j <= s; ++j) {
                double th = 3.141592653589793 * (i + 0.5) / r, ph = 6.283185307179586 * j / s;
                float* q = &p[((size_t)i * (s + 1) + j) * 3];
                q[0] = (float)(std::sin(th) * std::cos(ph));
                q[1] = (float)std::cos(th);
                q[2] = (float)(std::sin(th) * std::sin(ph));
            }
    }
    void draw() const
    {
        for (int i = 1; i < rings; ++i) {
            gl::bgntmesh();
            for (int j = 0; j <= segments; ++j) {
                const float* a = &p[((size_t)(i - 1) * (segments + 1) + j) * 3];
                const float* b = &p[((size_t)i * (segments + 1) + j) * 3];
                gl::n3f(a);
                gl::v3f(a);
                gl::n3f(b);
                gl::v3f(b);
            }
            gl::endtmesh();
        }
    }
};

void redraw(const Sphere* s)
{
    static const gl::Matrix iden = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    gl::zclear();
    gl::cpack(0);
    gl::clear();
    gl::loadmatrix(iden);
    gl::lmbind(gl::MATERIAL, 1);
    gl::lmbind(gl::LMODEL, 1);
    gl::lmbind(gl::LIGHT0, 1);
    gl::lookat(0.9f, 0.3f, 3.0f, 0, 0, 0, 0);
    if (s) s->draw();
    gl::swapbuffers();
}

void run(benchmark::State& state, const Sphere* s)
{
    openwindow();
    for (auto _ : state) redraw(s);
    state.counters["redraws/s"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    if (s) state.counters["triangles"] = 2.0 * (s->rings - 1) * s->segments;
}

void BM_EmptyRedraw(benchmark::State& state) { run(state, nullptr); }

void BM_LitSphere(benchmark::State& state)
{
    Sphere s((int)state.range(0), (int)state.range(1));
    run(state, &s);
}

// The whole screen as the backends show it, with the shell window open.
void BM_Compose(benchmark::State& state)
{
    openwindow();
    std::vector<std::uint32_t> px((size_t)gl::screen_width() * gl::screen_height());
    for (auto _ : state) gl::screen_compose(px.data());
    state.counters["composes/s"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Compose)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmptyRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LitSphere)->Args({30, 60})->Args({200, 400})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
