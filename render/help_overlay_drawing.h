#pragma once

#include "effects/view_state.h"
#include "input/help_text.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// H: a translucent panel with the key and mouse map and live figures, in
// the toolkit's bitmap font. Called every frame, shown or not, so the frame
// rate is measured before the panel is first asked for.
void drawHelpOverlay(const Simulation& s, const ViewerState& viewer, const TimelineFigures& timeline);

// The figures the panel shows, as it counts them (the page's test hook reads them).
HelpFigures helpOverlayFigures(const Simulation& s, const ViewerState& viewer, const TimelineFigures& timeline);
