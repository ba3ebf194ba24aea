#include "geometry/matrix3.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/scalar_helpers.h"

namespace {

void expectMatrix(const Matrix3& m, const double (&expected)[9]) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(m.m[i][j], expected[3 * i + j]) << "element " << i << j;
}

void expectMatrixNear(const Matrix3& a, const Matrix3& b, double tolerance) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(a.m[i][j], b.m[i][j], tolerance) << "element " << i << j;
}

void expectNear(const Vector3& v, double x, double y, double z) {
    EXPECT_NEAR(v.X(), x, 1e-15);
    EXPECT_NEAR(v.Y(), y, 1e-15);
    EXPECT_NEAR(v.Z(), z, 1e-15);
}

Matrix3 rotX(double a) { return Matrix3(1, 0, 0, 0, std::cos(a), -std::sin(a), 0, std::sin(a), std::cos(a)); }
Matrix3 rotY(double b) { return Matrix3(std::cos(b), 0, std::sin(b), 0, 1, 0, -std::sin(b), 0, std::cos(b)); }
Matrix3 rotZ(double c) { return Matrix3(std::cos(c), -std::sin(c), 0, std::sin(c), std::cos(c), 0, 0, 0, 1); }

const Matrix3 kSample(2, -1, 3, 0, 4, 5, 1, -2, 6);

}  // namespace

TEST(Matrix3Product, IdentityKeepsCoordinatesAndGivesOrdinary) {
    const Matrix3 identity;
    expectMatrix(identity, {1, 0, 0, 0, 1, 0, 0, 0, 1});
    const Vector3 u = Unit(Vector3(0, 3, 4));
    const Vector3 out = identity * u;
    EXPECT_EQ(out.status, StatusOrdinary);
    EXPECT_EQ(out.X(), u.X());
    EXPECT_EQ(out.Y(), u.Y());
    EXPECT_EQ(out.Z(), u.Z());
    // The operand's status is not looked at: an invalid vector maps to an ordinary zero.
    const Vector3 fromInvalid = kSample * Vector3();
    EXPECT_EQ(fromInvalid.status, StatusOrdinary);
    EXPECT_EQ(fromInvalid.Length(), 0.0);
}

TEST(Matrix3Product, TransformValuesAndInPlace) {
    Vector3 v(1, 2, 3);
    const Vector3 expected(9, 23, 15);
    const Vector3 product = kSample * v;
    EXPECT_EQ(product.X(), expected.X());
    EXPECT_EQ(product.Y(), expected.Y());
    EXPECT_EQ(product.Z(), expected.Z());
    Vector3& back = Transform(kSample, v, v);
    EXPECT_EQ(&back, &v);
    EXPECT_EQ(v.X(), 9.0);
    EXPECT_EQ(v.Y(), 23.0);
    EXPECT_EQ(v.Z(), 15.0);
}

TEST(Matrix3Rotation, QuarterTurnsAboutEachAxis) {
    const double quarter = DegToRad(90.0);
    const Matrix3 aboutY(0, quarter, 0);
    expectNear(aboutY * Vector3(0, 0, 1), 1, 0, 0);
    expectNear(aboutY * Vector3(1, 0, 0), 0, 0, -1);
    expectNear(Matrix3(quarter, 0, 0) * Vector3(0, 1, 0), 0, 0, 1);
    expectNear(Matrix3(0, 0, quarter) * Vector3(1, 0, 0), 0, 1, 0);
}

TEST(Matrix3Rotation, IsTheProductOfTheThreeAxisRotations) {
    const double a = 0.3, b = -1.1, c = 2.5;
    Matrix3 xy, xyz;
    Multiply(rotX(a), rotY(b), xy);
    Multiply(xy, rotZ(c), xyz);
    expectMatrixNear(Matrix3(a, b, c), xyz, 1e-15);
}

TEST(Matrix3Rotation, DeterminantOneAndInverseIsTranspose) {
    const Matrix3 rotations[] = {Matrix3(0.3, -1.1, 2.5), Matrix3(0, DegToRad(-2.0), 0), Matrix3(3.0, 0.7, -0.2)};
    for (const Matrix3& r : rotations) {
        EXPECT_NEAR(r.Determinant(), 1.0, 1e-14);
        Matrix3 inverse;
        Inverse(r, inverse);
        Matrix3 transposed = r;
        transposed.Transpose();
        expectMatrixNear(inverse, transposed, 1e-14);
    }
}

TEST(Matrix3Arithmetic, AddSubtractScaleMultiply) {
    const Matrix3 ones(1, 1, 1, 1, 1, 1, 1, 1, 1);
    Matrix3 out;
    EXPECT_EQ(&Add(kSample, ones, out), &out);
    expectMatrix(out, {3, 0, 4, 1, 5, 6, 2, -1, 7});
    EXPECT_EQ(&Subtract(kSample, ones, out), &out);
    expectMatrix(out, {1, -2, 2, -1, 3, 4, 0, -3, 5});
    EXPECT_EQ(&Scale(kSample, 0.5, out), &out);
    expectMatrix(out, {1, -0.5, 1.5, 0, 2, 2.5, 0.5, -1, 3});
    // Scaling in place, by one of the matrix's own elements.
    Matrix3 self = kSample;
    Scale(self, self.m[0][0], self);
    expectMatrix(self, {4, -2, 6, 0, 8, 10, 2, -4, 12});

    const Matrix3 b(1, 2, 0, 0, 1, 0, 3, 0, 1);
    EXPECT_EQ(&Multiply(kSample, b, out), &out);
    expectMatrix(out, {11, 3, 3, 15, 4, 5, 19, 0, 6});
    Multiply(b, kSample, out);
    expectMatrix(out, {2, 7, 13, 0, 4, 5, 7, -5, 15});
}

TEST(Matrix3Arithmetic, DeterminantAndTranspose) {
    EXPECT_EQ(kSample.Determinant(), 51.0);
    EXPECT_EQ(Matrix3().Determinant(), 1.0);
    Matrix3 m(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(m.Determinant(), 0.0);
    Matrix3& back = m.Transpose();
    EXPECT_EQ(&back, &m);
    expectMatrix(m, {1, 4, 7, 2, 5, 8, 3, 6, 9});
}

TEST(Matrix3Inverse, ExactAndGeneral) {
    Matrix3 out;
    EXPECT_EQ(&Inverse(Matrix3(2, 0, 0, 0, 4, 0, 0, 0, 8), out), &out);
    expectMatrix(out, {0.5, 0, 0, 0, 0.25, 0, 0, 0, 0.125});

    Inverse(kSample, out);
    Matrix3 product;
    Multiply(kSample, out, product);
    expectMatrixNear(product, Matrix3(), 1e-15);
}

TEST(Matrix3Inverse, SingularGivesIdentity) {
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    Matrix3 out(5, 5, 5, 5, 5, 5, 5, 5, 5);
    Inverse(Matrix3(0, 0, 0, 0, 0, 0, 0, 0, 0), out);
    expectMatrix(out, identity);
    out = kSample;
    Inverse(Matrix3(1e-3, 0, 0, 0, 1e-3, 0, 0, 0, 1e-3), out);  // det 1e-9
    expectMatrix(out, identity);
    Inverse(Matrix3(1, 2, 3, 4, 5, 6, 7, 8, 9), out);
    expectMatrix(out, identity);
    // Just above the threshold the matrix is still inverted.
    Inverse(Matrix3(1, 0, 0, 0, 1, 0, 0, 0, 2e-8), out);
    EXPECT_EQ(out.m[0][0], 1.0);
    EXPECT_NEAR(out.m[2][2], 5e7, 1e-6);
}
