#pragma once

#include "physics/step_events.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// The pacing of the live steps, kept by whoever runs them: the steps since
// the last pacing point and the clock reading there.
struct StepPacing {
    int stepsSincePace = 0;
    int lastPaceTime = 0;
};

// Waits until the first clock reading at least 49 ms after the previous pacing point.
void paceStep(StepPacing& pacing);

// Milliseconds until paceStep would let the next step run at once (0 when
// it is due): a caller that must not wait inside paceStep (the page) sets
// a timer for this long first.
int millisecondsUntilStepDue(const StepPacing& pacing);

// The step, in its two kinds; the caller decides about the pause
// (takeSimulationTurn) and does what `events` asks. A step held by the
// pause: only the free camera moves. A simulating step: requests, camera
// and firing, gravity, the sub-step loop; what it reads from outside comes
// from `readings`.
void runPausedStep(Simulation& s, StepEvents& events);
void runSimulatingStep(Simulation& s, Readings& readings, StepEvents& events);
