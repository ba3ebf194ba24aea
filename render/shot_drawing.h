#pragma once

#include "scene/simulation.h"

// Draws every live shot as a streak from an opaque red head to a transparent
// yellow tail. Expects lighting and texturing off; changes no state.
void drawShots(const Simulation& s);
