#pragma once

#include <cstdint>
#include <iosfwd>
#include <tuple>

class Ray;

enum VectorStatus : std::int32_t {
    StatusInvalid = 0,
    StatusOrdinary = 1,
    StatusUnit = 2,
};

// Point, direction, velocity or colour. The status word travels with the
// value: an invalid operand gives an invalid result with zero coordinates.
class Vector3 {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    std::int32_t status = StatusInvalid;

    Vector3() = default;
    Vector3(double x, double y, double z);
    // The same point as Vector3(x, y, z), for tables fixed when compiling.
    // Only these: with the three-double constructor inline, GCC drops the
    // float roundings of arguments narrowed just before the call.
    struct Coordinates {
        double x, y, z;
    };
    constexpr explicit Vector3(Coordinates c) : x(c.x), y(c.y), z(c.z), status(StatusOrdinary) {}
    // Midpoint of the closest points of two rays; invalid if either ray is.
    Vector3(const Ray& a, const Ray& b);

    // What comparing to the bit compares.
    auto fields() const { return std::tie(x, y, z, status); }

    double X() const { return x; }
    double Y() const { return y; }
    double Z() const { return z; }
    int IsValid() const { return status != StatusInvalid ? 1 : 0; }
    int IsUnit() const { return status == StatusUnit ? 1 : 0; }
    int IsOrdinary() const { return status == StatusOrdinary ? 1 : 0; }

    double Length() const;
    double Dot(const Vector3& b) const;
    double Distance(const Vector3& b) const;
    Vector3& Normalise();
    Vector3& ClearUnit();
    Vector3 Cross(const Vector3& b) const;

    Vector3 operator+(const Vector3& b) const;
    Vector3 operator-(const Vector3& b) const;
    Vector3 operator-() const;
    Vector3 operator*(const double& s) const;
    Vector3& operator+=(const Vector3& b);
    Vector3& operator-=(const Vector3& b);
    Vector3& operator*=(const double& s);

    std::ostream& Write(std::ostream& output) const;
    std::istream& Read(std::istream& input);
};

double Dot(const Vector3& a, const Vector3& b);
Vector3 Unit(const Vector3& v);
Vector3& Unit(const Vector3& v, Vector3& out);

// Three-operand primitives: write into out and return it. Cross must not be
// given out aliasing a or b.
Vector3& Add(const Vector3& a, const Vector3& b, Vector3& out);
Vector3& Subtract(const Vector3& a, const Vector3& b, Vector3& out);
Vector3& Cross(const Vector3& a, const Vector3& b, Vector3& out);
Vector3& Scale(const Vector3& a, const double& s, Vector3& out);
Vector3& Negate(const Vector3& a, Vector3& out);

std::ostream& operator<<(std::ostream& output, const Vector3& v);
std::istream& operator>>(std::istream& input, Vector3& v);
