#pragma once

// The six textures handed to the GL, into graphics.textureNames.

// Needs a current GL context. Ends the process when an image cannot be used
// (see readTextureImages).
void loadTextures();

void deleteTextures();
