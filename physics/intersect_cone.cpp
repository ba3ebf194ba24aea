#include "physics/intersections.h"

#include <cmath>

namespace {

// Places the candidate root and keeps it only on the nappe the axis points to.
int tryRoot(const Cone& cone, const Vector3& origin, const Vector3& direction, double t, double& distance,
            Vector3& hitPoint) {
    distance = t;
    hitPoint = origin + direction * distance;
    const Vector3 q = Unit(hitPoint - cone.apex);
    // The apex itself normalises to the zero vector and is refused.
    return Dot(q, cone.axis) > 0 ? 1 : 0;
}

}  // namespace

int IntersectCone(const Cone& cone, const Vector3& origin, const Vector3& direction, double& distance,
                  Vector3& normalOut, Vector3& hitPoint) {
    // Every stored quantity is single precision, and so is the arithmetic on them.
    const float a = static_cast<float>(Dot(cone.axis, direction));
    const float dd = static_cast<float>(Dot(direction, direction));
    const float k = static_cast<float>(cone.cosHalfAngle * cone.cosHalfAngle);

    const Vector3 delta = origin - cone.apex;
    const float b = static_cast<float>(Dot(cone.axis, delta));
    const float e = static_cast<float>(Dot(direction, delta));
    const float f = static_cast<float>(Dot(delta, delta));

    const float c2 = a * a - k * dd;
    const float c1 = a * b - k * e;
    const float c0 = b * b - k * f;

    int accepted = 0;
    if (std::fabs(c2) < 1e-6f) {
        // Motion parallel to a mantle line: the equation is linear.
        if (std::fabs(c1) < 1e-6f) return 0;
        accepted = tryRoot(cone, origin, direction, -c0 / (2 * c1), distance, hitPoint);
    } else {
        const float disc = c1 * c1 - c0 * c2;
        if (disc < 0) return 0;
        if (disc > 0) {
            const float s = std::sqrt(disc);
            const float inv = 1 / c2;
            const float u = (-c1 - s) * inv;
            const float w = (-c1 + s) * inv;
            // For c2 > 0 the nearer root u comes first and w only if u lies on
            // the other nappe; for c2 < 0 the nearer root is w.
            if (u < w) accepted = tryRoot(cone, origin, direction, u, distance, hitPoint);
            if (!(w > u) || accepted == 0) accepted = tryRoot(cone, origin, direction, w, distance, hitPoint);
        } else {
            accepted = tryRoot(cone, origin, direction, -c1 / c2, distance, hitPoint);
        }
    }
    if (accepted == 0) return 0;

    // Across the line from the apex through the hit point, away from the axis.
    const Vector3 q = Unit(hitPoint - cone.apex);
    const Vector3 n1 = q.Cross(cone.axis);
    normalOut = q.Cross(n1);
    normalOut.Normalise();
    return 1;
}
