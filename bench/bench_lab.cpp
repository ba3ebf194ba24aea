// What the lab's panels cost beside the step they describe: the full room
// (45 balls, speed 0.8, automatic fire) lived 1,200 steps through the
// session, so the kept history is full; then, step by step along a stretch
// of kept states, the bare step is timed beside what the lab adds for it:
// the session's record of the step's figures, the data table and the plot
// series over the whole kept history. The counter `lab_percent` is the
// second's mean as a share of the first's; record_us, table_us and plots_us
// are the three parts alone, repeated on one state. All is timed on the
// thread's own CPU clock: the machine is shared, and the time other
// programs take the core from this one belongs to neither.

#include <benchmark/benchmark.h>

#include <time.h>

#include <vector>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "app/session.h"
#include "bench/bare_step.h"
#include "bench/step_rounds.h"
#include "lab/lab_history.h"
#include "lab/lab_panels.h"

namespace {

constexpr int kStretch = 64;

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct StepStart {
    Simulation state;
    int clock = 0;
};

void BM_LabFiguresBesideTheStep(benchmark::State& state) {
    startHeadlessScene(fullRoom());
    startSession();
    runHeadlessSteps(kRoundSteps);
    std::vector<StepStart> starts;
    for (int n = 0; n < kStretch; ++n) {
        starts.push_back({sim, headlessClock()});
        runHeadlessStep();
    }
    const LabHistory& history = sessionLabHistory();
    // Beside the session's own, so its entries stay as the steps left them.
    static LabHistory recorded;
    static PanelText data;
    static PlotData plots;
    double stepSeconds = 0.0;
    double labSeconds = 0.0;
    long steps = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const StepStart& start = starts[next];
        next = (next + 1) % starts.size();
        sim = start.state;
        setHeadlessClock(start.clock);

        const double begin = cpuSeconds();
        runBareStep();
        const double stepped = cpuSeconds();
        recorded.record(sim, sim.stepsRun, sim.stats.contacts, 0);
        composeDataPanel(sim, 3, -1, data);
        composePlots(history, history.lastKept(), 3, plots);
        const double end = cpuSeconds();
        benchmark::DoNotOptimize(data.rowCount);
        benchmark::DoNotOptimize(plots.count);

        stepSeconds += stepped - begin;
        labSeconds += end - stepped;
        ++steps;
        state.SetIterationTime(stepped - begin);
    }
    state.counters["points"] = plots.count;
    state.counters["rows"] = data.rowCount;
    state.counters["step_us"] = stepSeconds / static_cast<double>(steps) * 1e6;
    state.counters["lab_us"] = labSeconds / static_cast<double>(steps) * 1e6;
    state.counters["lab_percent"] = 100.0 * labSeconds / stepSeconds;
    // Each part alone, many times over on the last state (warm caches):
    // where the lab's time goes.
    constexpr int kRepeats = 2000;
    double part = cpuSeconds();
    for (int i = 0; i < kRepeats; ++i) recorded.record(sim, sim.stepsRun, sim.stats.contacts, 0);
    state.counters["record_us"] = (cpuSeconds() - part) / kRepeats * 1e6;
    part = cpuSeconds();
    for (int i = 0; i < kRepeats; ++i) composeDataPanel(sim, 3, -1, data);
    state.counters["table_us"] = (cpuSeconds() - part) / kRepeats * 1e6;
    part = cpuSeconds();
    for (int i = 0; i < kRepeats; ++i) composePlots(history, history.lastKept(), 3, plots);
    state.counters["plots_us"] = (cpuSeconds() - part) / kRepeats * 1e6;
    stopHeadlessScene();
}

}  // namespace

BENCHMARK(BM_LabFiguresBesideTheStep)->UseManualTime()->Unit(benchmark::kMicrosecond);
