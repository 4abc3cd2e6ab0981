// Benchmarks of the three pigmentation models filling a texture map: the
// default shell's map (26.4 rad of growth, 1261 rows, increment 0.1) over a
// generating curve of length 20 (201 cells, what a five-node curve drawn
// across the views gives), and the fixed 601 x 601 map of the texture file.
// Reports cell updates per second: (R + 50) x k steps of N cells. The runs
// draw into an open window, so the progress title really changes; the
// _NoTitle variant drops the title to show what it costs.
#include <benchmark/benchmark.h>

#include "app/model.h"
#include "curve/curve.h"
#include "platform/gl.h"
#include "texture/modelrun.h"
#include "texture/texture.h"

namespace {

void notitle(const char*) {}

void runmap(benchmark::State& state, short type, unsigned char fixed, bool title = true)
{
    gl::prefposition(0, 199, 0, 199);
    gl::Int32 wid = gl::winopen("raytracing : 0 %");
    texturetitle = title ? gl::wintitle : notitle;
    texturetype = type;
    GenCurveTotalLength = 20.0;
    helico_endangle = 26.4;
    double updates = 0;
    for (auto _ : state) {
        createtexturemap(fixed);
        updates += (double)(texturemapheight + 1 + 50) * 10.0 * (texturemapwidth + 1);
        benchmark::DoNotOptimize(texturemap[texturemapheight][0]);
        freetexturemap();
    }
    state.counters["cells"] = texturemapwidth + 1;
    state.counters["rows"] = texturemapheight + 1;
    state.counters["cell_updates_per_s"] = benchmark::Counter(updates, benchmark::Counter::kIsRate);
    texturetitle = gl::wintitle;
    gl::winclose(wid);
}

void ActivatorSubstrate_Shell(benchmark::State& s) { runmap(s, 50, 0); }
void ActivatorInhibitor_Shell(benchmark::State& s) { runmap(s, 51, 0); }
void StripeFormation_Shell(benchmark::State& s) { runmap(s, 49, 0); }
void ActivatorSubstrate_Shell_NoTitle(benchmark::State& s) { runmap(s, 50, 0, false); }
void ActivatorSubstrate_Fixed601(benchmark::State& s) { runmap(s, 50, 1); }
void ActivatorInhibitor_Fixed601(benchmark::State& s) { runmap(s, 51, 1); }
void StripeFormation_Fixed601(benchmark::State& s) { runmap(s, 49, 1); }

}  // namespace

BENCHMARK(ActivatorSubstrate_Shell)->Unit(benchmark::kMillisecond);
BENCHMARK(ActivatorSubstrate_Shell_NoTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(ActivatorInhibitor_Shell)->Unit(benchmark::kMillisecond);
BENCHMARK(StripeFormation_Shell)->Unit(benchmark::kMillisecond);
BENCHMARK(ActivatorSubstrate_Fixed601)->Unit(benchmark::kMillisecond);
BENCHMARK(ActivatorInhibitor_Fixed601)->Unit(benchmark::kMillisecond);
BENCHMARK(StripeFormation_Fixed601)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
