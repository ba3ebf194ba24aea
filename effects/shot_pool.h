#pragma once

#include "geometry/vector3.h"
#include "scene/readings.h"
#include "scene/simulation.h"

constexpr double kShotSpeed = 60.0;

// The launch rule shared by automatic fire and the mouse, in two halves so
// the rate limit is checked before any direction is worked out:
// more than 200 ms since the last shot or launched ball...
bool shotLaunchAllowed(const Simulation& s, Readings& readings);
// ...then the lowest free record gets a shot from the camera along the unit
// direction d. Returns its index, or -1 when all records are live (then
// lastShotTime is unchanged).
int launchShotAlong(Simulation& s, const Vector3& d, Readings& readings);

// Fires one shot from the camera along the view, scattered at random and
// turned by the camera yaw. Draws no random numbers when held back.
void autoFireShot(Simulation& s, Readings& readings);

// Direction for an elevation and an azimuth in degrees, rounded to float;
// azimuth 180 looks along -z.
Vector3 directionFromAngles(float elevation, float azimuth);
