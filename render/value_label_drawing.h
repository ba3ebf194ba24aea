#pragma once

#include "scene/simulation.h"
#include "scene/viewer_state.h"

// Ball k's value label (slot and speed) and where it goes: GL window
// coordinates (rows from the bottom) of the ball's centre through the given
// matrices. False when the ball is dead or behind the eye.
bool ballValueLabel(const Simulation& s, int k, const double* modelview, const double* projection,
                    const int* viewport, double& x, double& y, char* label, int size);

// Each ball's label beside it (N) in the overlay's bitmap font, through the
// frame's matrices: the page's labels (the window's are Dear ImGui's,
// behind its panels). Nothing while the labels are off.
void drawValueLabels(const Simulation& s, const ViewerState& viewer);
