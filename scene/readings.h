#pragma once

// What the simulation reads from outside as it runs: the clock and the
// direction under a window point. Whoever runs a step or applies an input
// passes the readings in: the live ones (app/live_readings.h), readings that
// the session notes into its journal on the way, or readings it feeds back
// from one. Nothing here reads them by itself.

#include "geometry/vector3.h"

struct Readings {
    virtual ~Readings() = default;
    // Elapsed milliseconds, as the installed clock counts them.
    virtual int clock() = 0;
    // Unit world direction under a window point (origin top left); `ahead`
    // is the free camera's view, what every point shows without a window.
    virtual Vector3 pickRay(int x, int y, const Vector3& ahead) = 0;
};
