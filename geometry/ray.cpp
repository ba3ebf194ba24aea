#include "geometry/ray.h"

#include <cmath>

#include "geometry/scalar_helpers.h"

Ray::Ray(const Vector3& p, const Vector3& q) : origin(p) {
    // A unit q is taken as the direction itself, anything else as a second point.
    if (q.IsUnit())
        direction = q;
    else
        direction = Unit(q - p);
}

int Ray::IsValid() const { return (direction.IsUnit() && origin.IsValid()) ? 1 : 0; }

double Ray::Distance(const Vector3& point) const {
    if (!IsValid() || !point.IsValid()) return 0.0;
    const double t = ::Dot(direction, point - origin);
    const Vector3 foot = origin + direction * t;
    return point.Distance(foot);
}

int Ray::ClosestPoints(const Ray& other, Vector3& onThis, Vector3& onOther) const {
    if (!IsValid() || !other.IsValid()) return 0;
    const Vector3& o1 = origin;
    const Vector3& d1 = direction;
    const Vector3& o2 = other.origin;
    const Vector3& d2 = other.direction;

    const double c = ::Dot(d1, d2);
    const double den = 1.0 - Square(c);
    // Results go to locals first: the outputs may alias either ray's fields.
    Vector3 pointOnThis;
    Vector3 pointOnOther;
    if (std::fabs(den) >= 1e-8) {
        const double e1 = ::Dot(d1, o2 - o1);
        const double e2 = ::Dot(d2, o1 - o2);
        const double s2 = (c * e1 + e2) / den;
        const double s1 = (c * e2 + e1) / den;
        pointOnThis = o1 + d1 * s1;
        pointOnOther = o2 + d2 * s2;
    } else {
        // Parallel lines: every point is as close as any other, so take this
        // ray's origin and its foot on the other line. |c| is close to 1 here.
        const double s = ::Dot(d1, o1 - o2) / c;
        pointOnThis = o1;
        pointOnOther = o2 + d2 * s;
    }
    onThis = pointOnThis;
    onOther = pointOnOther;
    return 1;
}

double Ray::Distance(const Ray& other) const {
    Vector3 onThis;
    Vector3 onOther;
    if (ClosestPoints(other, onThis, onOther) != 1) return 0.0;
    return onThis.Distance(onOther);
}

Vector3::Vector3(const Ray& a, const Ray& b) {
    Vector3 onA;
    Vector3 onB;
    if (a.ClosestPoints(b, onA, onB) == 1) *this = (onA + onB) * 0.5;
}
