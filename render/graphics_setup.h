#pragma once

#include "assets/texture_set.h"

// The window's size and the GL names the drawing made (the quadric, the
// textures, the flash's display list). One window, so one of these; the
// drawing's own, apart from the simulation it draws.
struct GraphicsState {
    int windowSize[2] = {640, 480};
    void* quadric = nullptr;  // GLUquadric*, kept so this header stays free of GL
    unsigned int textureNames[kTextureCount] = {};
    unsigned int explosionList = 0;
};
extern GraphicsState graphics;

// The GL state the whole program draws with, set once after the window
// exists; loads the textures and compiles the explosion display list.
void setUpGraphics();

// Reshape callback: keeps the viewport and the projection matched to the window.
void onReshape(int width, int height);
