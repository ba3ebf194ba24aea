#pragma once

// PNG encoding of 8-bit RGB or RGBA pixels, for the desktop icon and the
// screenshots. The image data goes into stored (uncompressed) deflate
// blocks, so no compression library is needed on any target: a screenshot
// costs about width x height x 3 bytes.

#include <vector>

// pixels: `height` rows of `width` pixels, top row first, no padding;
// channels 3 (RGB) or 4 (RGBA). Returns the whole file, or an empty buffer
// when the sizes do not match or the image is too large for one file.
std::vector<unsigned char> encodePng(int width, int height, int channels, const std::vector<unsigned char>& pixels);
