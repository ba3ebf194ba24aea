#pragma once

// The simulation the unit tests below app/ work on and hand to what they test.

#include "scene/simulation.h"

extern Simulation sim;
