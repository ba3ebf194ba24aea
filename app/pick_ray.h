#pragma once

#include "geometry/vector3.h"

// Unit world direction under a window point (origin top left, as the
// toolkit reports it), through the matrices of the last drawn frame. Needs
// the window's rendering context to be current.
Vector3 pickRay(int x, int y);

// The whole line under a window point: where it leaves the near plane and
// its unit direction. False without a usable direction.
bool pickLine(int x, int y, Vector3& from, Vector3& direction);
