#include "geometry/vector3.h"

#include <cmath>

#include "geometry/scalar_helpers.h"

namespace {

Vector3& makeInvalid(Vector3& out) {
    out.x = 0.0;
    out.y = 0.0;
    out.z = 0.0;
    out.status = StatusInvalid;
    return out;
}

Vector3& setOrdinary(Vector3& out, double x, double y, double z) {
    out.x = x;
    out.y = y;
    out.z = z;
    out.status = StatusOrdinary;
    return out;
}

}  // namespace

Vector3::Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_), status(StatusOrdinary) {}

double Vector3::Length() const {
    if (status == StatusInvalid) return 0.0;
    if (status == StatusUnit) return 1.0;
    return std::sqrt((Square(x) + Square(y)) + Square(z));
}

double Vector3::Dot(const Vector3& b) const { return ::Dot(*this, b); }

double Vector3::Distance(const Vector3& b) const {
    if (!IsValid() || !b.IsValid()) return 0.0;
    return (*this - b).Length();
}

Vector3& Vector3::Normalise() {
    if (status != StatusOrdinary) return *this;
    const double length = Length();
    if (length >= 1e-8) {
        const double r = 1.0 / length;
        x = r * x;
        y = r * y;
        z = r * z;
    } else {
        // Also taken for a length that is not a number.
        x = 0.0;
        y = 0.0;
        z = 0.0;
    }
    status = StatusUnit;
    return *this;
}

Vector3& Vector3::ClearUnit() {
    if (status == StatusUnit) status = StatusOrdinary;
    return *this;
}

Vector3 Vector3::Cross(const Vector3& b) const {
    Vector3 out;
    ::Cross(*this, b, out);
    return out;
}

Vector3 Vector3::operator+(const Vector3& b) const {
    Vector3 out;
    Add(*this, b, out);
    return out;
}

Vector3 Vector3::operator-(const Vector3& b) const {
    Vector3 out;
    Subtract(*this, b, out);
    return out;
}

Vector3 Vector3::operator-() const {
    Vector3 out;
    Negate(*this, out);
    return out;
}

Vector3 Vector3::operator*(const double& s) const {
    Vector3 out;
    Scale(*this, s, out);
    return out;
}

Vector3& Vector3::operator+=(const Vector3& b) { return Add(*this, b, *this); }
Vector3& Vector3::operator-=(const Vector3& b) { return Subtract(*this, b, *this); }
Vector3& Vector3::operator*=(const double& s) { return Scale(*this, s, *this); }

double Dot(const Vector3& a, const Vector3& b) {
    if (!a.IsValid() || !b.IsValid()) return 0.0;
    return (a.x * b.x + a.y * b.y) + a.z * b.z;
}

Vector3 Unit(const Vector3& v) {
    Vector3 out = v;
    out.Normalise();
    return out;
}

Vector3& Unit(const Vector3& v, Vector3& out) {
    out = v;
    return out.Normalise();
}

Vector3& Add(const Vector3& a, const Vector3& b, Vector3& out) {
    if (!a.IsValid() || !b.IsValid()) return makeInvalid(out);
    return setOrdinary(out, a.x + b.x, a.y + b.y, a.z + b.z);
}

Vector3& Subtract(const Vector3& a, const Vector3& b, Vector3& out) {
    if (!a.IsValid() || !b.IsValid()) return makeInvalid(out);
    return setOrdinary(out, a.x - b.x, a.y - b.y, a.z - b.z);
}

Vector3& Cross(const Vector3& a, const Vector3& b, Vector3& out) {
    if (!a.IsValid() || !b.IsValid()) return makeInvalid(out);
    return setOrdinary(out, a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vector3& Scale(const Vector3& a, const double& s, Vector3& out) {
    if (!a.IsValid()) return makeInvalid(out);
    return setOrdinary(out, a.x * s, a.y * s, a.z * s);
}

Vector3& Negate(const Vector3& a, Vector3& out) {
    if (!a.IsValid()) return makeInvalid(out);
    const std::int32_t status = a.status;
    setOrdinary(out, -a.x, -a.y, -a.z);
    out.status = status;
    return out;
}
