#pragma once

// How far a ball centre is from the grown obstacles it bounces off: the gap
// is positive outside, 0 on the surface and negative inside. Used to catch
// a ball that starts a sub-step touching a surface, to keep start slots out
// of the obstacles, and to measure how deep a ball ever got in.

#include "geometry/vector3.h"
#include "scene/simulation.h"

// The room's two fixed spheres, in the order the step tests them. The radius
// is the drawn one; a ball meets them grown by its own radius.
struct Dome {
    Vector3 centre;
    int radius;
};
constexpr int kDomeCount = 2;
constexpr Dome kDomes[kDomeCount] = {{Vector3(Vector3::Coordinates{-200.0, -300.0, 170.0}), 100},
                                     {Vector3(Vector3::Coordinates{0.0, -300.0, -170.0}), 80}};

// Gap to a sphere of the given radius; outward is the unit normal at the
// nearest surface point (no value at the centre itself).
double sphereGap(const Vector3& centre, double radius, const Vector3& p, Vector3& outward);
double cylinderGap(const Cylinder& cylinder, const Vector3& p);
// Gap to the solid nappe of the cone. outward has no value where the nearest
// surface point is not on the mantle (the apex, or a point on the axis).
double coneGap(const Cone& cone, const Vector3& p, Vector3& outward);

// The deepest a centre at p lies inside any grown dome, pillar or cone at
// the current ball radius: 0 when it is inside none.
double deepestObstacleEntry(const Simulation& s, const Vector3& p);
