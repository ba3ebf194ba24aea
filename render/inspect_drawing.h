#pragma once

#include "effects/contact_log.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// The selected ball's ring and the inspect panel beside the picture: its
// slot, where it is, how it moves and whether the pointer holds it.

// A dark ring with a light one inside it round the selected ball, over
// everything, so it reads on any background. Draws with the frame's matrices.
void drawSelectionRing(const Simulation& s, const ViewerState& viewer);

// The panel in the top right corner, while a ball is selected or inspect
// mode is on. Window pixels; restores what it touches.
void drawInspectPanel(const Simulation& s, const ViewerState& viewer, const ContactHistory* contacts);
