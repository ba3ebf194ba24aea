#pragma once

// The live readings: the installed clock and the pick ray of the window
// there is, read as they are.

#include "scene/readings.h"

// Unit world direction under a window point. The program installs the GL
// unprojection once at start-up; the tests of the session install their own.
using PickRaySource = Vector3 (*)(int x, int y);
void setPickRaySource(PickRaySource source);

// The installed clock and pick-ray source. Without a pick-ray source (no
// window) every point looks straight ahead.
Readings& liveReadings();
