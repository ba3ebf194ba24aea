// Cost of one whole simulation step, without the pacing wait, on the
// headless scene with a fixed seed and the headless clock.
//
// Worst case: the full room (45 balls of radius 20) at the highest speed
// (0.8) with every one of the 30 shot records in flight. Automatic fire
// fills the pool first, with the clock moved on past the shot interval at
// every step so that each step fires while a record is free.
// Default: the program as it starts (5 balls, speed 0.3), after a while.
// Each also with a ball held by the pointer, for what a drag adds to the
// step: its first live ball held towards the point its own velocity takes
// it to, so the pull computes and sets the velocity it has and the bodies
// move as without the hold; only the pull's cost differs.
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
#include "physics/ball_drag.h"
#include "bench/bare_step.h"
#include "physics/simulation_step.h"
#include "platform/random_source.h"

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

// The same starts with the first live ball of each held.
Stretch holdingABall(Stretch stretch) {
    for (StepStart& start : stretch.starts) {
        for (int k = 0; k < kMaxBalls; ++k) {
            if (start.state.ballAlive[k] == 0) continue;
            const double reach = start.state.controls.activeTimeStep / kDragPull;
            setDragHold(start.state, k, start.state.ballPositions[k] + start.state.ballVelocities[k] * reach);
            break;
        }
    }
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

Stretch worstCase() {
    HeadlessSettings settings;
    settings.ballCount = kMaxBalls;
    settings.ballRadius = 20;
    settings.seed = 4501;
    settings.timeStep = 0.8;
    settings.autoFire = 1;
    return recordStretch(settings, 100, true, kFillMilliseconds);
}

Stretch defaultScene() {
    HeadlessSettings settings;
    settings.seed = 4501;
    return recordStretch(settings, 200, false, kHeadlessStepMilliseconds);
}

void BM_StepWorstCase(benchmark::State& state) {
    const Stretch stretch = worstCase();
    if (stretch.meanShots < kShotCount - 1) {
        state.SkipWithError("the shot pool did not fill");
        return;
    }
    timeSteps(state, stretch, kFillMilliseconds);
}

void BM_StepDefaultScene(benchmark::State& state) { timeSteps(state, defaultScene(), kHeadlessStepMilliseconds); }

void BM_StepWorstCaseDragging(benchmark::State& state) {
    timeSteps(state, holdingABall(worstCase()), kFillMilliseconds);
}

void BM_StepDefaultSceneDragging(benchmark::State& state) {
    timeSteps(state, holdingABall(defaultScene()), kHeadlessStepMilliseconds);
}

}  // namespace

BENCHMARK(BM_StepWorstCase)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepDefaultScene)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepWorstCaseDragging)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepDefaultSceneDragging)->UseManualTime()->Unit(benchmark::kMicrosecond);
