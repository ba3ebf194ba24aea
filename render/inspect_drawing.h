#pragma once

#include "scene/simulation.h"
#include "scene/viewer_state.h"

// The selected ball's ring (its panel is the window's or the page's).

// A dark ring with a light one inside it round the selected ball, over
// everything, so it reads on any background. Draws with the frame's matrices.
void drawSelectionRing(const Simulation& s, const ViewerState& viewer);
