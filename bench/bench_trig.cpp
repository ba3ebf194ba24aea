// What our Sin and Cos cost the step, against the C library's sin and cos
// they replaced: the full room (45 balls, speed 0.8, automatic fire) with
// the camera turning all the time, so every shot takes a new yaw, stepped
// 1,200 times with each, in alternating rounds. On this machine both give
// the same bits for every argument the program makes, so both runs take the
// same steps; as in BM_HistoryCost, the least of the rounds for each step,
// then the mean and the worst over the steps, side by side.
//
// The program links with --wrap for Sin and Cos (bench/CMakeLists.txt): the
// calls the simulation makes come here and go to ours or the library's.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "bench/step_rounds.h"
#include "geometry/trig.h"

namespace {
bool useLibrary = false;
}

extern "C" double __real__Z3Sind(double x);
extern "C" double __real__Z3Cosd(double x);
extern "C" double __wrap__Z3Sind(double x) { return useLibrary ? std::sin(x) : __real__Z3Sind(x); }
extern "C" double __wrap__Z3Cosd(double x) { return useLibrary ? std::cos(x) : __real__Z3Cosd(x); }

namespace {

// Per-step times of one run, in microseconds.
std::vector<double> timeRun(bool library) {
    useLibrary = library;
    startHeadlessScene(fullRoom());
    sim.controls.rightKeyDown = 1;
    const std::vector<double> times = timeEachStep([] { runHeadlessStep(); });
    stopHeadlessScene();
    useLibrary = false;
    return times;
}

void BM_TrigCost(benchmark::State& state) {
    compareRounds(state, "libc", [] { return timeRun(true); }, "ours", [] { return timeRun(false); });
}
BENCHMARK(BM_TrigCost)->Iterations(1)->Unit(benchmark::kSecond);

// One call of each, on the yaws the turning camera gives.
void BM_SinCos(benchmark::State& state) {
    const bool library = state.range(0) != 0;
    double x = 0.0;
    double sum = 0.0;
    for (auto _ : state) {
        x += 0.0349;
        sum += library ? std::sin(x) + std::cos(x) : Sin(x) + Cos(x);
    }
    benchmark::DoNotOptimize(sum);
    state.SetLabel(library ? "libc" : "ours");
}
BENCHMARK(BM_SinCos)->Arg(1)->Arg(0);

}  // namespace
