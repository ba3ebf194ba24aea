// Cost of one ray test against the room's obstacles, over a fixed mix of
// hits and misses from random starts inside the room.

#include <benchmark/benchmark.h>

#include <vector>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "geometry/scalar_helpers.h"
#include "physics/intersections.h"

namespace {

struct Probe {
    Vector3 origin;
    Vector3 direction;
};

const std::vector<Probe>& probes() {
    static const std::vector<Probe> all = [] {
        HeadlessSettings settings;
        settings.seed = 2024;
        startHeadlessScene(settings);
        std::vector<Probe> made;
        for (int n = 0; n < 1024; ++n) {
            const Vector3 origin(RandomNumber(sim.random, 0) * 300.0, RandomNumber(sim.random, 0) * 300.0,
                                 RandomNumber(sim.random, 0) * 300.0);
            made.push_back({origin, Unit(Vector3(RandomNumber(sim.random, 0), RandomNumber(sim.random, 0),
                                                 RandomNumber(sim.random, 0)))});
        }
        return made;
    }();
    return all;
}

template <typename Test>
void runProbes(benchmark::State& state, Test test) {
    const std::vector<Probe>& all = probes();
    double distance = 0.0;
    Vector3 normal;
    Vector3 hit;
    for (auto _ : state) {
        int hits = 0;
        for (const Probe& probe : all) hits += test(probe, distance, normal, hit);
        benchmark::DoNotOptimize(hits);
        benchmark::DoNotOptimize(distance);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(all.size()));
}

void BM_IntersectPlane(benchmark::State& state) {
    runProbes(state, [](const Probe& p, double& d, Vector3& n, Vector3&) {
        return IntersectPlane(sim.collisionPlanes[2], p.origin, p.direction, d, n);
    });
}

void BM_IntersectCylinder(benchmark::State& state) {
    runProbes(state, [](const Probe& p, double& d, Vector3& n, Vector3& h) {
        return IntersectCylinder(sim.collisionCylinders[2], p.origin, p.direction, d, n, h);
    });
}

void BM_IntersectCone(benchmark::State& state) {
    runProbes(state, [](const Probe& p, double& d, Vector3& n, Vector3& h) {
        return IntersectCone(sim.collisionCones[2], p.origin, p.direction, d, n, h);
    });
}

void BM_IntersectSphere(benchmark::State& state) {
    const Vector3 centre(-200, -300, 170);
    runProbes(state, [&centre](const Probe& p, double& d, Vector3& n, Vector3& h) {
        return IntersectSphere(centre, 120.0f, p.origin, p.direction, d, n, h);
    });
}

}  // namespace

BENCHMARK(BM_IntersectPlane);
BENCHMARK(BM_IntersectCylinder);
BENCHMARK(BM_IntersectCone);
BENCHMARK(BM_IntersectSphere);
