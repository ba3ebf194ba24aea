#pragma once

#include <iosfwd>

#include "geometry/vector3.h"

// A line through origin along a unit direction. Every query treats it as the
// whole infinite line.
class Ray {
public:
    Vector3 origin;
    Vector3 direction;

    Ray() = default;
    // q is a direction when it carries the unit status, otherwise a second point.
    Ray(const Vector3& p, const Vector3& q);

    int IsValid() const;
    Vector3 Origin() const { return origin; }
    Vector3 Direction() const { return direction; }

    double Distance(const Vector3& point) const;
    int ClosestPoints(const Ray& other, Vector3& onThis, Vector3& onOther) const;
    double Distance(const Ray& other) const;

    std::ostream& Write(std::ostream& output) const;
    std::istream& Read(std::istream& input);
};

std::ostream& operator<<(std::ostream& output, const Ray& r);
std::istream& operator>>(std::istream& input, Ray& r);
