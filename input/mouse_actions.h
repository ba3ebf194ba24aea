#pragma once

#include "geometry/vector3.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// Unit world direction under a window point (origin top left); without a
// window, along the free camera's view.
Vector3 pickRayDirection(const Simulation& s, int x, int y, Readings& readings);

// Button and motion events, as the toolkit reports them.
void handleMouseButton(Simulation& s, int button, int state, int x, int y, Readings& readings);
void handleMouseMotion(Simulation& s, int x, int y);

// A shot from the camera through the window point: its index, or -1.
int fireShot(Simulation& s, int x, int y, Readings& readings);
// A new ball from the camera through the window point, at most one a second.
void launchBall(Simulation& s, int x, int y, Readings& readings);
