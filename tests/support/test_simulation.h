#pragma once

// The simulation the unit tests below app/ work on and hand to what they
// test, with the viewer's state beside it.

#include "scene/simulation.h"
#include "scene/viewer_state.h"

extern Simulation sim;
extern ViewerState viewer;

// Both back to their values before start-up (between cases).
void resetTestState();
