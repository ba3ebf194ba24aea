#pragma once

#include <vector>

// The picture drawn so far into the back buffer, before it is swapped:
// `height` rows of `width` RGB pixels, top row first, as image files keep
// them. Empty for a window of no size.
std::vector<unsigned char> readFramePixels(int width, int height);

// The same picture as a PNG file's bytes; empty for a window of no size or
// one too large to encode.
std::vector<unsigned char> readFramePng(int width, int height);
