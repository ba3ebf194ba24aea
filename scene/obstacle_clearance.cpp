#include "scene/obstacle_clearance.h"

#include <algorithm>
#include <cmath>

double sphereGap(const Vector3& centre, double radius, const Vector3& p, Vector3& outward) {
    const Vector3 rel = p - centre;
    outward = Unit(rel);
    return rel.Length() - radius;
}

double cylinderGap(const Cylinder& cylinder, const Vector3& p) {
    const Vector3 rel = p - cylinder.point;
    const Vector3 across = rel - cylinder.axis * Dot(rel, cylinder.axis);
    return across.Length() - cylinder.radius;
}

double coneGap(const Cone& cone, const Vector3& p, Vector3& outward) {
    outward = Vector3();
    // In the plane of the axis and p: along the axis and away from it.
    const Vector3 rel = p - cone.apex;
    const double along = Dot(rel, cone.axis);
    const Vector3 across = rel - cone.axis * along;
    const double away = across.Length();
    // Beyond the apex, off the solid nappe's side, the apex is nearest.
    if (along * cone.cosHalfAngle + away * cone.sinHalfAngle < 0.0) return rel.Length();
    if (away > 0.0) outward = Unit(across * (cone.cosHalfAngle / away) - cone.axis * cone.sinHalfAngle);
    return away * cone.cosHalfAngle - along * cone.sinHalfAngle;
}

double deepestObstacleEntry(const Simulation& s, const Vector3& p) {
    const double r = s.ballRadius;
    double deepest = 0.0;
    Vector3 unused;
    for (const Dome& dome : kDomes) deepest = std::max(deepest, -sphereGap(dome.centre, r + dome.radius, p, unused));
    for (const Cylinder& cylinder : s.collisionCylinders) deepest = std::max(deepest, -cylinderGap(cylinder, p));
    for (const Cone& cone : s.collisionCones) deepest = std::max(deepest, -coneGap(cone, p, unused));
    return deepest;
}
