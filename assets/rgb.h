#pragma once

// A colour with a double for each channel, as the generated pictures (the
// textures and the icon) are worked out, and its rounding to a byte.

#include <cmath>

struct Rgb {
    double r, g, b;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, double s) { return {a.r * s, a.g * s, a.b * s}; }

// A channel, clamped to [0, 1], as the nearest of 0..255.
inline unsigned char toByte(double v) {
    return static_cast<unsigned char>(std::lround((v < 0 ? 0 : (v > 1 ? 1 : v)) * 255.0));
}
