#pragma once

#include "geometry/vector3.h"

// Unit world direction under a window point (origin top left, as the
// toolkit reports it), through the matrices of the last drawn frame. Needs
// the window's rendering context to be current.
Vector3 pickRay(int x, int y);
