#pragma once

#include <iosfwd>
#include <tuple>

#include "geometry/vector3.h"

// 3x3 matrix of doubles, row by row; vectors are columns (M * v).
class Matrix3 {
public:
    double m[3][3];
    auto fields() const { return std::tie(m); }

    // The identity.
    Matrix3();
    Matrix3(double m00, double m01, double m02, double m10, double m11, double m12, double m20, double m21,
            double m22);
    // Rotation Rx(a) * Ry(b) * Rz(c), angles in radians.
    Matrix3(double a, double b, double c);

    Vector3 operator*(const Vector3& v) const;
    double Determinant() const;
    Matrix3& Transpose();

    std::ostream& Write(std::ostream& output) const;
    std::istream& Read(std::istream& input);
};

Matrix3& Add(const Matrix3& a, const Matrix3& b, Matrix3& out);
Matrix3& Subtract(const Matrix3& a, const Matrix3& b, Matrix3& out);
// out must be neither a nor b.
Matrix3& Multiply(const Matrix3& a, const Matrix3& b, Matrix3& out);
// out may be a.
Matrix3& Scale(const Matrix3& a, const double& s, Matrix3& out);
// out may be v.
Vector3& Transform(const Matrix3& m, const Vector3& v, Vector3& out);
// The identity when |det| < 1e-8.
Matrix3& Inverse(const Matrix3& m, Matrix3& out);

std::ostream& operator<<(std::ostream& output, const Matrix3& m);
std::istream& operator>>(std::istream& input, Matrix3& m);
