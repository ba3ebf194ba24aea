// What the session costs: the journal and the snapshots that step back
// needs, on every live step, and playing a long recording back.
//
// History cost: the full room (45 balls, speed 0.8, automatic fire, so the
// shot pool stays busy) stepped 1,200 times plain and 1,200 times through
// the session, in alternating rounds. Both runs take the same steps bit for
// bit, so the time of step n is compared with step n: the least of the
// rounds for each n (the rest is the machine's noise), then the mean and
// the worst over n, side by side.
//
// Jump: 1,000 steps back in the full room from the newest of 1,599, to a
// step just before a snapshot (the most steps to take again), and forward
// again.
//
// Replay: a 10-minute session (12,000 steps) recorded with automatic fire,
// read from its text and played to the end as vl_replay does, for the
// program's start (5 balls, speed 0.3) and the full room.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/headless_scene.h"
#include "app/session.h"
#include "bench/bare_step.h"
#include "bench/step_rounds.h"
#include "input/keyboard.h"
#include "input/replay_file.h"

namespace {

// Per-step times of one run, in microseconds.
std::vector<double> timeRun(bool history) {
    startHeadlessScene(fullRoom());
    const std::vector<double> times =
        history ? timeEachStep([] { runHeadlessStep(); }) : timeEachStep([] { runBareStep(); });
    stopHeadlessScene();
    return times;
}

void BM_HistoryCost(benchmark::State& state) {
    long memory = 0;
    compareRounds(
        state, "off", [] { return timeRun(false); }, "on",
        [&memory] {
            const std::vector<double> times = timeRun(true);
            memory = sessionMemoryBytes();
            return times;
        });
    state.counters["history_kB"] = static_cast<double>(memory) / 1024.0;
}
BENCHMARK(BM_HistoryCost)->Iterations(1)->Unit(benchmark::kSecond);

// The recording of a 10-minute session, made through the live session.
std::string recordSession(const HeadlessSettings& settings, long steps) {
    startHeadlessScene(settings);
    const std::string path = "/tmp/vl_bench_session.vlr";
    ReplayHeader header;
    header.seed = settings.seed;
    header.ballCount = settings.ballCount;
    header.ballRadius = settings.ballRadius;
    std::string error;
    if (!startRecording(path.c_str(), header, error)) return std::string();
    for (long n = 0; n < steps; ++n) runHeadlessStep();
    endSession();
    stopHeadlessScene();
    std::string text;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
        std::fclose(f);
    }
    std::remove(path.c_str());
    return text;
}

void replayTenMinutes(benchmark::State& state, const HeadlessSettings& settings) {
    const std::string text = recordSession(settings, 12000);
    long steps = 0;
    bool matches = false;
    for (auto _ : state) {
        Recording recording;
        std::string error;
        parseReplayText(text.data(), text.size(), recording, error);
        const ReplayOutcome outcome = replayHeadless(recording);
        steps = outcome.steps;
        matches = outcome.matches;
        stopHeadlessScene();
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["matches"] = matches ? 1 : 0;
    state.counters["file_kB"] = static_cast<double>(text.size()) / 1024.0;
}

void BM_ReplayTenMinutesStart(benchmark::State& state) {
    HeadlessSettings s;
    s.autoFire = 1;
    s.seed = 3;
    replayTenMinutes(state, s);
}
BENCHMARK(BM_ReplayTenMinutesStart)->Unit(benchmark::kMillisecond);

void BM_ReplayTenMinutesFullRoom(benchmark::State& state) { replayTenMinutes(state, fullRoom()); }
BENCHMARK(BM_ReplayTenMinutesFullRoom)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_JumpThousandStepsBack(benchmark::State& state) {
    startHeadlessScene(fullRoom());
    for (int n = 0; n < 1599; ++n) runHeadlessStep();
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    StepEvents events;
    long landed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        jumpToStep(599, events);
        const auto end = std::chrono::steady_clock::now();
        landed = sessionStepNumber();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        state.PauseTiming();
        jumpToStep(1599, events);
        state.ResumeTiming();
    }
    state.counters["history_kB"] = static_cast<double>(sessionMemoryBytes()) / 1024.0;
    state.counters["landed"] = static_cast<double>(landed);
    stopHeadlessScene();
}
BENCHMARK(BM_JumpThousandStepsBack)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
