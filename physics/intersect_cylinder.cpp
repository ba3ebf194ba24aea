#include "physics/intersections.h"

#include <cmath>

int IntersectCylinder(const Cylinder& cyl, const Vector3& origin, const Vector3& direction, double& distance,
                      Vector3& normalOut, Vector3& hitPoint) {
    const Vector3 rc = origin - cyl.point;
    Vector3 n = direction.Cross(cyl.axis);
    const double ln = n.Length();
    // Motion along the axis never meets the (endless) mantle.
    if (-1e-8 < ln && ln < 1e-8) return 0;
    n.Normalise();

    // Shortest distance between the line of motion and the axis; a tangent
    // line still hits.
    const double d = std::fabs(Dot(rc, n));
    if (d > cyl.radius) return 0;

    Vector3 o = rc.Cross(cyl.axis);
    const double t = -Dot(o, n) / ln;  // closest approach to the axis
    o = n.Cross(cyl.axis);
    o.Normalise();
    const double s = std::fabs(std::sqrt(cyl.radius * cyl.radius - d * d) / Dot(direction, o));
    const double in = t - s;
    const double out = t + s;

    // Entry point if it lies ahead (or barely behind); from inside, the exit.
    if (in >= -1e-8) {
        if (out < -1e-8) {
            distance = in;
        } else {
            distance = in < out ? in : out;
        }
    } else {
        if (out >= -1e-8) {
            distance = out;
        } else {
            return 0;
        }
    }

    hitPoint = origin + direction * distance;
    const Vector3 r = hitPoint - cyl.point;
    normalOut = r - cyl.axis * Dot(r, cyl.axis);
    normalOut.Normalise();
    return 1;
}
