#pragma once

// The six textures of the room, read from BMP files in the working directory
// into scene.textureNames at the index of each file.

#include "scene/scene_state.h"

inline constexpr const char* kTextureFiles[kTextureCount] = {
    "marble.bmp",  // 0: pillars, cones, domes, ceiling and glow spheres
    "spark.bmp",   // 1: small flash at every contact
    "boden.bmp",   // 2: floor
    "wand.bmp",    // 3: walls
    "sky.bmp",     // 4: backdrop
    "flare.bmp",   // 5: blast of an exploding ball
};

// Needs a current GL context. Ends the process when an image cannot be used:
// status 1 after the reader's message, 0 when no memory for an image record.
void loadTextures();

void deleteTextures();
