// The ball pair search on a full room: 45 balls of radius 20 on random start
// slots with random velocities. The step's usual span (0.3) is where the game
// spends its time; the long span makes many pairs meet within it.

#include <benchmark/benchmark.h>

#include "app/scene_layout.h"
#include "app/scene_state.h"
#include "geometry/scalar_helpers.h"
#include "physics/ball_collision_search.h"
#include "platform/random_source.h"

namespace {

void setUpRoom() {
    resetSceneState();
    scene.ballCount = kMaxBalls;
    scene.ballRadius = 20;
    buildSceneGeometry();
    seedRandom(45);
    placeBalls();
    for (int k = 0; k < kMaxBalls; ++k) {
        scene.ballPreviousPositions[k] = scene.ballPositions[k];
        scene.ballVelocities[k] = Vector3(RandomNumber(0) * 3.0, RandomNumber(0) * 3.0, RandomNumber(0) * 3.0);
    }
}

template <bool (*Search)(double, double&, int&, int&)>
void BM_BallSearch(benchmark::State& state) {
    setUpRoom();
    const double span = static_cast<double>(state.range(0)) / 10.0;
    double time = -1.0;
    int i = -1;
    int j = -1;
    for (auto _ : state) {
        bool found = Search(span, time, i, j);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(time);
    }
    state.counters["found"] = Search(span, time, i, j) ? 1 : 0;
    state.counters["time"] = time;
}

}  // namespace

BENCHMARK_TEMPLATE(BM_BallSearch, findBallCollisionSampled)->Name("BallSearch/plain/span_x10")->Arg(3)->Arg(300);
BENCHMARK_TEMPLATE(BM_BallSearch, findBallCollision)->Name("BallSearch/fast/span_x10")->Arg(3)->Arg(300);
