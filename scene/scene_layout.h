#pragma once

// The scene's fixed layout and the ball set: built at start-up and rebuilt
// by the reset request.

// Room planes, cylinders and cones, sized by sim.ballRadius.
void buildSceneGeometry();
// Puts sim.ballCount balls on distinct random spawn slots.
void placeBalls();
// Draws the colours of all 45 ball slots.
void drawBallColors();
// Frees every explosion and shot record.
void clearEffects();
// Restores the ball set and clears all effects.
void resetScene();
