#include "geometry/matrix3.h"

#include <cmath>
#include <utility>

#include "geometry/trig.h"

Matrix3::Matrix3() : Matrix3(1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0) {}

Matrix3::Matrix3(double m00, double m01, double m02, double m10, double m11, double m12, double m20, double m21,
                 double m22)
    : m{{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}} {}

Matrix3::Matrix3(double a, double b, double c) {
    const double ca = Cos(a), sa = Sin(a);
    const double cb = Cos(b), sb = Sin(b);
    const double cc = Cos(c), sc = Sin(c);
    m[0][0] = cb * cc;
    m[0][1] = -cb * sc;
    m[0][2] = sb;
    m[1][0] = sa * sb * cc + ca * sc;
    m[1][1] = -sa * sb * sc + ca * cc;
    m[1][2] = -sa * cb;
    m[2][0] = -ca * sb * cc + sa * sc;
    m[2][1] = ca * sb * sc + sa * cc;
    m[2][2] = ca * cb;
}

Vector3 Matrix3::operator*(const Vector3& v) const {
    Vector3 out;
    return Transform(*this, v, out);
}

double Matrix3::Determinant() const {
    return (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * m[0][0] - (m[1][0] * m[2][2] - m[1][2] * m[2][0]) * m[0][1] +
           (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * m[0][2];
}

Matrix3& Matrix3::Transpose() {
    std::swap(m[0][1], m[1][0]);
    std::swap(m[0][2], m[2][0]);
    std::swap(m[1][2], m[2][1]);
    return *this;
}

Matrix3& Add(const Matrix3& a, const Matrix3& b, Matrix3& out) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out.m[i][j] = a.m[i][j] + b.m[i][j];
    return out;
}

Matrix3& Subtract(const Matrix3& a, const Matrix3& b, Matrix3& out) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out.m[i][j] = a.m[i][j] - b.m[i][j];
    return out;
}

Matrix3& Multiply(const Matrix3& a, const Matrix3& b, Matrix3& out) {
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) out.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    return out;
}

Matrix3& Scale(const Matrix3& a, const double& s, Matrix3& out) {
    const double factor = s;  // s may live inside out
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out.m[i][j] = a.m[i][j] * factor;
    return out;
}

Vector3& Transform(const Matrix3& m, const Vector3& v, Vector3& out) {
    const Vector3 result(m.m[0][0] * v.x + m.m[0][1] * v.y + m.m[0][2] * v.z,
                         m.m[1][0] * v.x + m.m[1][1] * v.y + m.m[1][2] * v.z,
                         m.m[2][0] * v.x + m.m[2][1] * v.y + m.m[2][2] * v.z);
    out = result;
    return out;
}

Matrix3& Inverse(const Matrix3& m, Matrix3& out) {
    const double det = m.Determinant();
    if (std::fabs(det) < 1e-8) {
        out = Matrix3();
        return out;
    }
    const double (&a)[3][3] = m.m;
    const Matrix3 adjugate(a[1][1] * a[2][2] - a[1][2] * a[2][1], a[2][1] * a[0][2] - a[2][2] * a[0][1],
                           a[0][1] * a[1][2] - a[0][2] * a[1][1], a[1][2] * a[2][0] - a[1][0] * a[2][2],
                           a[2][2] * a[0][0] - a[2][0] * a[0][2], a[0][2] * a[1][0] - a[0][0] * a[1][2],
                           a[1][0] * a[2][1] - a[1][1] * a[2][0], a[2][0] * a[0][1] - a[2][1] * a[0][0],
                           a[0][0] * a[1][1] - a[0][1] * a[1][0]);
    out = adjugate;
    return Scale(out, 1.0 / det, out);
}
