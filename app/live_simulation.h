#pragma once

// The simulation the program shows: the one the session steps and the
// window or the page draws. Everything below app/ is handed it (or a copy)
// as a parameter instead.

#include "scene/simulation.h"

extern Simulation sim;
