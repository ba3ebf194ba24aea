#pragma once

#include "effects/view_state.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// V: thin lines over the scene for what the collision tests see: the
// volumes ball centres are tested against at the current radius, the
// contacts of the last second (fading) and each ball's velocity.
void drawCollisionView(const Simulation& s, const FrameLook& look, const ViewerState& viewer);
