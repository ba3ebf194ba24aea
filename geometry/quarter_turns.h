#pragma once

#include "geometry/double_double.h"

// x = (4n + quadrant) * pi/2 + rest, with |rest| <= pi/4 (a hair more at the
// ends), for any finite x >= 0. The product with 2/pi is formed exactly
// from 256 of its bits chosen by x's exponent, so rest keeps about 100
// correct bits even where x lies next to a multiple of pi/2 (at least
// 2^-62 away for every double).
struct QuarterTurns {
    int quadrant = 0;
    DoubleDouble rest;
};

QuarterTurns ReduceQuarterTurns(double x);
