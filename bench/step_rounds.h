#pragma once

// Two ways of taking the same steps on the full room, timed against each
// other: whole runs in alternating rounds, the least of the rounds for each
// step (the rest is the machine's noise), then the mean and the worst over
// the steps, side by side.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/headless_scene.h"
#include "scene/simulation.h"

constexpr int kRoundSteps = 1200;
constexpr int kRounds = 7;

// 45 balls, speed 0.8, automatic fire, so the shot pool stays busy.
inline HeadlessSettings fullRoom() {
    HeadlessSettings s;
    s.ballCount = kMaxBalls;
    s.timeStep = 0.8;
    s.autoFire = 1;
    s.seed = 3;
    return s;
}

// The time of each of kRoundSteps calls of `step`, in microseconds.
template <typename Step>
std::vector<double> timeEachStep(Step step) {
    std::vector<double> times(kRoundSteps);
    for (int n = 0; n < kRoundSteps; ++n) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const auto end = std::chrono::steady_clock::now();
        times[n] = std::chrono::duration<double, std::micro>(end - start).count();
    }
    return times;
}

// Runs `runA` then `runB` (each gives the per-step times of one run) in
// kRounds rounds and reports <nameA>_mean_us, <nameB>_mean_us,
// mean_extra_pct, <nameA>_worst_us, <nameB>_worst_us and worst_extra_pct:
// what B takes more than A.
template <typename RunA, typename RunB>
void compareRounds(benchmark::State& state, const std::string& nameA, RunA runA, const std::string& nameB, RunB runB) {
    std::vector<double> a(kRoundSteps, 1e30);
    std::vector<double> b(kRoundSteps, 1e30);
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const std::vector<double> roundA = runA();
            const std::vector<double> roundB = runB();
            for (int n = 0; n < kRoundSteps; ++n) {
                a[n] = std::min(a[n], roundA[n]);
                b[n] = std::min(b[n], roundB[n]);
            }
        }
    }
    double sumA = 0.0;
    double sumB = 0.0;
    for (int n = 0; n < kRoundSteps; ++n) {
        sumA += a[n];
        sumB += b[n];
    }
    const double worstA = *std::max_element(a.begin(), a.end());
    const double worstB = *std::max_element(b.begin(), b.end());
    state.counters[nameA + "_mean_us"] = sumA / kRoundSteps;
    state.counters[nameB + "_mean_us"] = sumB / kRoundSteps;
    state.counters["mean_extra_pct"] = 100.0 * (sumB - sumA) / sumA;
    state.counters[nameA + "_worst_us"] = worstA;
    state.counters[nameB + "_worst_us"] = worstB;
    state.counters["worst_extra_pct"] = 100.0 * (worstB - worstA) / worstA;
}
