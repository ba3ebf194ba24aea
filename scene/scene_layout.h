#pragma once

// The scene's fixed layout and the ball set: built at start-up and rebuilt
// by the reset request.

#include "scene/simulation.h"

// Room planes, cylinders and cones, sized by s.ballRadius.
void buildSceneGeometry(Simulation& s);
// Puts s.ballCount balls on distinct random spawn slots.
void placeBalls(Simulation& s);
// Draws the colours of all 45 ball slots.
void drawBallColors(Simulation& s);
// Frees every explosion and shot record.
void clearEffects(Simulation& s);
// Restores the ball set and clears all effects.
void resetScene(Simulation& s);
