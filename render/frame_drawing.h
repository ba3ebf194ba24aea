#pragma once

// Display callback: places the camera, draws the whole scene and swaps.
void drawFrame();

// The sky image over the whole viewport, behind everything, unaffected by
// the camera. Leaves texturing off.
void drawBackdrop(unsigned int texture);
