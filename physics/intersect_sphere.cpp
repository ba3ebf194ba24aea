#include "physics/intersections.h"

#include <cmath>

int IntersectSphere(const Vector3& centre, float radius, const Vector3& origin, const Vector3& direction,
                    double& distance, Vector3& normalOut, Vector3& hitPoint) {
    const Vector3 l = origin - centre;
    // The direction is unit, so the leading coefficient is 1.
    const double b = 2 * Dot(direction, l);
    const double r = radius;
    const double c = Dot(l, l) - r * r;
    const double disc = b * b - 4.0 * c;
    if (disc < 0.0) return 0;

    const double t1 = (-b + std::sqrt(disc)) * 0.5;  // far root
    const double t2 = (-b - std::sqrt(disc)) * 0.5;  // near root
    if (t1 < 0.0) return 0;  // the whole sphere lies behind the origin
    // From inside, the exit point; otherwise the entry point.
    distance = t2 < 0.0 ? t1 : t2;

    hitPoint = origin + direction * distance;
    normalOut = Unit(hitPoint - centre);
    return 1;
}
