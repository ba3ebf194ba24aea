#pragma once

// The live readings: the installed clock and the pick ray of the window
// there is, read as they are.

#include "scene/readings.h"

// Unit world direction under a window point. The program installs the GL
// unprojection once at start-up; the tests of the session install their own.
using PickRaySource = Vector3 (*)(int x, int y);
void setPickRaySource(PickRaySource source);

// The installed clock and pick-ray source. Without a pick-ray source (no
// window) every point looks straight ahead. The program's one instance is
// part of `live` (app/live_simulation.h).
struct LiveReadings final : Readings {
    PickRaySource pickRaySource = nullptr;
    int clock() override;
    Vector3 pickRay(int x, int y, const Vector3& ahead) override;
};
Readings& liveReadings();
