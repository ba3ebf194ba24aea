#pragma once

#include "scene/simulation.h"
#include "scene/viewer_state.h"

// Each ball's slot and speed beside it (N) in the overlay's bitmap font,
// through the frame's matrices: the page's labels (the window's are Dear
// ImGui's, behind its panels). Nothing while the labels are off.
void drawValueLabels(const Simulation& s, const ViewerState& viewer);
