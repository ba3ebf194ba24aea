#pragma once

// The whole scene without a window, for the soak runs, the soak tests and
// the benchmarks: laid out as start-up lays it out, and stepped as the idle
// callback and the frame step it, on a clock that only moves when a step
// moves it.

#include "app/session.h"

// What the command line and the keys would set.
struct HeadlessSettings {
    int ballCount = 5;      // clamped to 1..45 as "-nr" is
    int ballRadius = 20;    // clamped to 5..20 as "-radius" is
    unsigned int seed = 1;  // stands in for the start-up clock
    double timeStep = 0.3;  // the speed keys' setting
    int autoFire = 0;       // F5
};

// Paces the headless steps: what the sleeping wait would leave between two.
constexpr int kHeadlessStepMilliseconds = 50;

// Clears the scene state and runs start-up's layout steps in its order:
// options, room and obstacles, seed, ball placement, colours, effects.
// Installs the headless clock (starting at 0) and a sleep that advances it.
void startHeadlessScene(const HeadlessSettings& settings);

// Puts the real clock and sleep back.
void stopHeadlessScene();

// One step as the program's idle callback takes it, through the session
// (app/session.h), without the pacing wait: the clock moves on by
// `milliseconds`; the journal notes the step, or a replay or step back
// takes it from the journal, or a pause holds it; its cues are played; then
// the frame's bookkeeping runs (flashes fade and free their records, a
// finished shot follow ends). Nothing is drawn.
void runHeadlessStep(int milliseconds = kHeadlessStepMilliseconds);
void runHeadlessSteps(long count, int milliseconds = kHeadlessStepMilliseconds);

// Plays a recording to its end without a window (vl_replay, tests,
// benchmarks): the scene laid out with the recording's seed, balls and
// radius, a session replaying it, stopped at the first checkpoint that
// differs. The headless clock stays installed.
ReplayOutcome replayHeadless(const Recording& recording);

// The headless clock, in elapsed milliseconds.
int headlessClock();
void setHeadlessClock(int milliseconds);
