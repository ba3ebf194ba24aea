#pragma once

#include "geometry/vector3.h"
#include "scene/readings.h"

// Unit world direction under a window point (origin top left).
Vector3 pickRayDirection(int x, int y, Readings& readings = liveReadings());

// Button and motion events, as the toolkit reports them.
void handleMouseButton(int button, int state, int x, int y, Readings& readings = liveReadings());
void handleMouseMotion(int x, int y);

// A shot from the camera through the window point: its index, or -1.
int fireShot(int x, int y, Readings& readings = liveReadings());
// A new ball from the camera through the window point, at most one a second.
void launchBall(int x, int y, Readings& readings = liveReadings());
