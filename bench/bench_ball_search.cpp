// The ball pair search on a full room: 45 balls of radius 20 on random start
// slots with random velocities. The step's usual span (0.3) is where the game
// spends its time; over the long span (30) many pairs meet. The crowded floor
// has all balls rolling slowly on the floor, many of them neighbours.

#include <benchmark/benchmark.h>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "geometry/scalar_helpers.h"
#include "physics/ball_collision_search.h"

namespace {

using Search = bool (*)(const Simulation&, double, double&, int&, int&);

void setUpRoom(bool crowded) {
    HeadlessSettings settings;
    settings.ballCount = kMaxBalls;
    settings.seed = 45;
    startHeadlessScene(settings);
    for (int k = 0; k < kMaxBalls; ++k) {
        sim.ballPreviousPositions[k] = sim.ballPositions[k];
        sim.ballVelocities[k] = Vector3(RandomNumber(sim.random, 0) * 3.0, RandomNumber(sim.random, 0) * 3.0,
                                        RandomNumber(sim.random, 0) * 3.0);
        if (crowded) {
            // A 9 x 5 grid of cells 60 wide, jittered, on the floor.
            const double x = -270.0 + 60.0 * (k % 9) + RandomNumber(sim.random, 0) * 9.0;
            const double z = -150.0 + 60.0 * (k / 9) + RandomNumber(sim.random, 0) * 9.0;
            sim.ballPreviousPositions[k] = Vector3(x, -300.0, z);
            sim.ballVelocities[k] = Vector3(RandomNumber(sim.random, 0) * 0.5, 0.0, RandomNumber(sim.random, 0) * 0.5);
        }
    }
}

void runSearch(benchmark::State& state, Search search, double span, bool crowded = false) {
    setUpRoom(crowded);
    double time = -1.0;
    int i = -1;
    int j = -1;
    const bool found = search(sim, span, time, i, j);
    // Both searches must give the same answer here, or the timing means nothing.
    double plainTime = -1.0;
    int plainI = -1;
    int plainJ = -1;
    const bool plainFound = findBallCollisionSampled(sim, span, plainTime, plainI, plainJ);
    if (found != plainFound || time != plainTime || i != plainI || j != plainJ) {
        state.SkipWithError("fast and plain searches disagree");
        return;
    }
    for (auto _ : state) {
        bool result = search(sim, span, time, i, j);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(time);
    }
    state.counters["found"] = found ? 1 : 0;
    state.counters["time"] = found ? time : -1.0;
}

void BM_BallSearchPlain(benchmark::State& state, double span) { runSearch(state, findBallCollisionSampled, span); }
void BM_BallSearchFast(benchmark::State& state, double span) { runSearch(state, findBallCollision, span); }
void BM_BallSearchPlainCrowded(benchmark::State& state, double span) {
    runSearch(state, findBallCollisionSampled, span, true);
}
void BM_BallSearchFastCrowded(benchmark::State& state, double span) {
    runSearch(state, findBallCollision, span, true);
}

}  // namespace

BENCHMARK_CAPTURE(BM_BallSearchPlain, span_0_3, 0.3);
BENCHMARK_CAPTURE(BM_BallSearchFast, span_0_3, 0.3);
BENCHMARK_CAPTURE(BM_BallSearchPlain, span_30, 30.0);
BENCHMARK_CAPTURE(BM_BallSearchFast, span_30, 30.0);
BENCHMARK_CAPTURE(BM_BallSearchPlainCrowded, span_0_3, 0.3);
BENCHMARK_CAPTURE(BM_BallSearchFastCrowded, span_0_3, 0.3);
BENCHMARK_CAPTURE(BM_BallSearchPlainCrowded, span_30, 30.0);
BENCHMARK_CAPTURE(BM_BallSearchFastCrowded, span_30, 30.0);
