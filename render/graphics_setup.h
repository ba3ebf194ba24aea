#pragma once

// The GL state the whole program draws with, set once after the window
// exists; loads the textures and compiles the explosion display list.
void setUpGraphics();

// Reshape callback: keeps the viewport and the projection matched to the window.
void onReshape(int width, int height);
