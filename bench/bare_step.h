#pragma once

// The step alone, without the session's journal and history: the clock
// moves on, the simulating step runs with the live readings (its cues
// dropped), then what the display keeps of it. What the session adds on
// top of it is what bench_session measures.

#include "app/headless_scene.h"
#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "effects/contact_log.h"
#include "effects/view_state.h"
#include "physics/simulation_step.h"

inline void runBareStep(int milliseconds = kHeadlessStepMilliseconds) {
    setHeadlessClock(headlessClock() + milliseconds);
    static StepView view;
    static ContactHistory contacts;
    StepEvents events;
    events.contacts = &contacts;
    runSimulatingStep(sim, liveReadings(), events);
    advanceStepView(view, sim, events.endedFollow, live.viewer.selectedBall);
}
