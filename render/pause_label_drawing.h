#pragma once

#include "scene/simulation.h"

// "Paused (P)" in a small dark box in the window's bottom right corner
// while the simulation is paused, so a still picture is not taken for a
// hang; nothing while it runs. Drawn last, over everything.
void drawPauseLabel(const Simulation& s);

// How much of the bottom edge, from the right, the label takes while the
// simulation is paused (its margin on the left included), else 0: the
// corner notice keeps clear of it.
int pauseLabelReserve(const Simulation& s);
