#include "physics/intersections.h"

int IntersectPlane(const Plane& plane, const Vector3& origin, const Vector3& direction, double& distance,
                   Vector3& normalOut) {
    const double denom = Dot(direction, plane.normal);
    // Motion along the plane never reaches it.
    if (-1e-8 < denom && denom < 1e-8) return 0;

    // Either side counts: the caller decides from the normal whether the
    // body is moving into the surface.
    const double t = Dot(plane.normal, plane.point - origin) / denom;
    // A start just behind the plane still hits, so a body resting on it is caught.
    if (t < -1e-8) return 0;

    normalOut = plane.normal;
    distance = t;
    return 1;
}
