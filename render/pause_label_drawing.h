#pragma once

#include "scene/simulation.h"

// "Paused (P)" in a small dark box in the window's bottom right corner
// while the simulation is paused, so a still picture is not taken for a
// hang; nothing while it runs. Drawn last, over everything.
void drawPauseLabel(const Simulation& s);
