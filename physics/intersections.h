#pragma once

// Ray tests against the obstacles. Each takes a start point and a unit
// direction and, on a hit (result 1), gives the signed distance along the
// direction and the unit surface normal, and except for the plane the hit
// point. Nothing is promised about the outputs on 0.

#include "geometry/vector3.h"
#include "scene/simulation.h"

int IntersectPlane(const Plane& plane, const Vector3& origin, const Vector3& direction, double& distance,
                   Vector3& normalOut);
int IntersectCylinder(const Cylinder& cyl, const Vector3& origin, const Vector3& direction, double& distance,
                      Vector3& normalOut, Vector3& hitPoint);
// Computes in single precision, as the cone's coefficients need no more.
int IntersectCone(const Cone& cone, const Vector3& origin, const Vector3& direction, double& distance,
                  Vector3& normalOut, Vector3& hitPoint);
int IntersectSphere(const Vector3& centre, float radius, const Vector3& origin, const Vector3& direction,
                    double& distance, Vector3& normalOut, Vector3& hitPoint);
