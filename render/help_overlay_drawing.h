#pragma once

#include "effects/view_state.h"
#include "input/help_text.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// Counts the frame and the steps for the help panel's rates; every frame,
// so that the rates are known before the panel is first asked for.
void countFrameForRates(const Simulation& s);

// The figures the panel shows, as it counts them (the page's test hook reads them).
HelpFigures helpOverlayFigures(const Simulation& s, const ViewerState& viewer, const TimelineFigures& timeline);
