#include "app/headless_scene.h"

#include <string>

#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "app/session.h"
#include "app/start_up.h"
#include "platform/clock.h"
#include "platform/sound.h"

namespace {

int clockNow = 0;

int readHeadlessClock() { return clockNow; }

void advanceHeadlessClock(int milliseconds) {
    if (milliseconds > 0) clockNow += milliseconds;
}

// The settings go through start-up's reader as command-line words, so they
// are clamped and seeded exactly as the program's options are.
unsigned int readSettings(const HeadlessSettings& settings) {
    std::string count = std::to_string(settings.ballCount);
    std::string radius = std::to_string(settings.ballRadius);
    std::string seed = std::to_string(settings.seed);
    char program[] = "vennaloft";
    char countOption[] = "-nr";
    char radiusOption[] = "-radius";
    char seedOption[] = "-seed";
    char* argv[] = {program, countOption, &count[0], radiusOption, &radius[0], seedOption, &seed[0], nullptr};
    StartOptions options;
    std::string warning;
    readStartOptions(7, argv, nullptr, settings.seed, options, warning);
    return options.seed;
}

}  // namespace

void startHeadlessScene(const HeadlessSettings& settings) {
    clockNow = 0;
    setClockSource(readHeadlessClock);
    setSleepFunction(advanceHeadlessClock);

    sim = Simulation();
    live = LiveView();
    layOutSimulation(readSettings(settings));

    sim.controls.timeStep = settings.timeStep;
    sim.controls.activeTimeStep = settings.timeStep;
    sim.controls.autoFire = settings.autoFire;
    startSession();
}

void stopHeadlessScene() {
    setClockSource(nullptr);
    setSleepFunction(nullptr);
}

void runHeadlessStep(int milliseconds) {
    advanceHeadlessClock(milliseconds);
    const StepEvents events = sessionStep();
    for (int i = 0; i < events.cueCount; ++i) playCue(events.cues[i]);
}

void runHeadlessSteps(long count, int milliseconds) {
    for (long n = 0; n < count; ++n) runHeadlessStep(milliseconds);
}

ReplayOutcome replayHeadless(const Recording& recording) {
    HeadlessSettings settings;
    settings.ballCount = recording.header.ballCount;
    settings.ballRadius = recording.header.ballRadius;
    settings.seed = recording.header.seed;
    startHeadlessScene(settings);
    startReplay(recording, ReplayReport::Quietly);
    return playReplayToEnd();
}

int headlessClock() { return clockNow; }

void setHeadlessClock(int milliseconds) { clockNow = milliseconds; }
