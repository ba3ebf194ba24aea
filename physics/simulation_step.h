#pragma once

#include "physics/step_events.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// The step, in its two kinds; the caller decides about the pause
// (takeSimulationTurn) and does what `events` asks. A step held by the
// pause: only the free camera moves. A simulating step: requests, camera
// and firing, gravity, the sub-step loop; what it reads from outside comes
// from `readings`.
void runPausedStep(Simulation& s, StepEvents& events);
void runSimulatingStep(Simulation& s, Readings& readings, StepEvents& events);
