#pragma once

#include "lab/lab_history.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// The paths (L): where the selected ball, or every ball, went over the
// last steps kept, as lines in its colour through the room. Draws with the
// frame's camera, after the frame; restores what it touches. Nothing
// with paths off.
void drawPaths(const Simulation& s, const ViewerState& viewer, const LabHistory& history, long step);
