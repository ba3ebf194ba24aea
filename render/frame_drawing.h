#pragma once

#include "effects/view_state.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// Compiles the display lists of the walls and the obstacles; once, after the
// textures exist and before the first frame. The ball and glow-sphere lists
// are compiled by the frame itself, at the radius it draws them with.
void compileFrameLists();

// Places the camera and draws the whole scene into the back buffer as
// `look` (lookAt) shows it; reads the state and changes none of
// it. The display callback swaps.
void drawFrame(const Simulation& s, const FrameLook& look, const ViewerState& viewer);

// The sky image over the whole viewport, behind everything, unaffected by
// the camera. Leaves texturing off.
void drawBackdrop(unsigned int texture);
