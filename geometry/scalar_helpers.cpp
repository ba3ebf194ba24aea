#include "geometry/scalar_helpers.h"

#include "platform/random_source.h"

namespace {
const double kPi = 3.141592653589793;
}

double Square(const double& x) { return x * x; }

double DegToRad(const double& degrees) { return degrees * kPi / 180.0; }

double DegToRad(const float& degrees) { return static_cast<double>(degrees) * kPi / 180.0; }

int Clamp(const int& value, const int& lo, const int& hi) {
    if (value < lo) return lo;
    if (value > hi) return hi;
    return value;
}

float RandomNumber(RandomGenerator& generator, int positive) {
    const int r = randomInt15(generator);
    if (positive != 0) return static_cast<float>(r) / 32767.0f;
    return static_cast<float>(r - 16383) / 16383.0f;
}
