#pragma once

// The six textures of the room: which file fills which slot of the
// drawing's texture names, and reading them into memory. Handing them to
// the GL is the renderer's part.

#include "assets/bmp_reader.h"

constexpr int kTextureCount = 6;

inline constexpr const char* kTextureFiles[kTextureCount] = {
    "marble.bmp",  // 0: pillars, cones, domes, ceiling and glow spheres
    "spark.bmp",   // 1: small flash at every contact
    "boden.bmp",   // 2: floor
    "wand.bmp",    // 3: walls
    "sky.bmp",     // 4: backdrop
    "flare.bmp",   // 5: blast of an exploding ball
};

// Reads the six images in slot order. Ends the process when one cannot be
// used: status 0 when there is no memory for an image record, status 1 after
// the reader's message, or when a side exceeds `maxSide` (the driver's limit;
// 0 means none).
void readTextureImages(BmpImage* images[kTextureCount], int maxSide);

// Frees the pixel block and the record of one image read above.
void freeTextureImage(BmpImage* image);
