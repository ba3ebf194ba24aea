// Cost of one whole simulation step, without the pacing wait, on the
// headless scene with a fixed seed and the headless clock.
//
// Worst case: the full room (45 balls of radius 20) at the highest speed
// (0.8) with every one of the 30 shot records in flight. Automatic fire
// fills the pool first, with the clock moved on past the shot interval at
// every step so that each step fires while a record is free.
// Default: the program as it starts (5 balls, speed 0.3), after a while.
//
// A step changes the scene, and a scene left to run loses balls at the cone
// tips and shots at their sixth contact. So the scene states of a stretch of
// consecutive steps are kept, and each timed step starts from a fresh copy
// of one of them, in turn; only the step itself is timed.

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "bench/bare_step.h"
#include "physics/simulation_step.h"
#include "platform/random_source.h"
#include "scene/scene_state.h"

namespace {

// Longer than the shot interval (200 ms): a shot every step.
constexpr int kFillMilliseconds = 250;
constexpr int kStateCount = 64;

struct StepStart {
    Simulation state;
    int clock = 0;
};

struct Stretch {
    std::vector<StepStart> starts;
    double meanBalls = 0.0;
    double meanShots = 0.0;
    double meanSubSteps = 0.0;
};

// Runs `warmUp` steps (or, with fillShots, as many as it takes to fill the
// shot pool), then keeps the starts of the next kStateCount steps.
Stretch recordStretch(const HeadlessSettings& settings, long warmUp, bool fillShots, int milliseconds) {
    startHeadlessScene(settings);
    runHeadlessSteps(warmUp, milliseconds);
    if (fillShots) {
        for (int n = 0; n < 1000 && liveShotCount(sim) < kShotCount; ++n) runHeadlessStep(milliseconds);
    }
    Stretch stretch;
    for (int n = 0; n < kStateCount; ++n) {
        stretch.starts.push_back({sim, headlessClock()});
        stretch.meanBalls += liveBallCount(sim);
        stretch.meanShots += liveShotCount(sim);
        runHeadlessStep(milliseconds);
        stretch.meanSubSteps += sim.stats.subSteps;
    }
    stretch.meanBalls /= kStateCount;
    stretch.meanShots /= kStateCount;
    stretch.meanSubSteps /= kStateCount;
    return stretch;
}

void timeSteps(benchmark::State& state, const Stretch& stretch, int milliseconds) {
    std::size_t next = 0;
    for (auto _ : state) {
        const StepStart& start = stretch.starts[next];
        sim = start.state;
        setHeadlessClock(start.clock);
        seedRandom(sim.random, static_cast<unsigned>(next));
        next = (next + 1) % stretch.starts.size();

        const auto begin = std::chrono::steady_clock::now();
        runBareStep(milliseconds);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    }
    state.counters["balls"] = stretch.meanBalls;
    state.counters["shots"] = stretch.meanShots;
    state.counters["substeps"] = stretch.meanSubSteps;
    stopHeadlessScene();
}

void BM_StepWorstCase(benchmark::State& state) {
    HeadlessSettings settings;
    settings.ballCount = kMaxBalls;
    settings.ballRadius = 20;
    settings.seed = 4501;
    settings.timeStep = 0.8;
    settings.autoFire = 1;
    const Stretch stretch = recordStretch(settings, 100, true, kFillMilliseconds);
    if (stretch.meanShots < kShotCount - 1) {
        state.SkipWithError("the shot pool did not fill");
        return;
    }
    timeSteps(state, stretch, kFillMilliseconds);
}

void BM_StepDefaultScene(benchmark::State& state) {
    HeadlessSettings settings;
    settings.seed = 4501;
    const Stretch stretch = recordStretch(settings, 200, false, kHeadlessStepMilliseconds);
    timeSteps(state, stretch, kHeadlessStepMilliseconds);
}

}  // namespace

BENCHMARK(BM_StepWorstCase)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepDefaultScene)->UseManualTime()->Unit(benchmark::kMicrosecond);
