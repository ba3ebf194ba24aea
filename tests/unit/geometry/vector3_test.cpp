#include "geometry/vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void expectInvalidZero(const Vector3& v) {
    EXPECT_EQ(v.status, StatusInvalid);
    EXPECT_EQ(v.IsValid(), 0);
    EXPECT_EQ(v.X(), 0.0);
    EXPECT_EQ(v.Y(), 0.0);
    EXPECT_EQ(v.Z(), 0.0);
}

void expectCoords(const Vector3& v, double x, double y, double z) {
    EXPECT_EQ(v.X(), x);
    EXPECT_EQ(v.Y(), y);
    EXPECT_EQ(v.Z(), z);
}

Vector3 unitX() { return Unit(Vector3(1, 0, 0)); }

}  // namespace

TEST(Vector3Construction, DefaultIsInvalidAndMeasuresZero) {
    const Vector3 none;
    expectInvalidZero(none);
    EXPECT_EQ(none.IsUnit(), 0);
    EXPECT_EQ(none.IsOrdinary(), 0);
    EXPECT_EQ(none.Length(), 0.0);
    const Vector3 a(1, 2, 3);
    EXPECT_EQ(none.Dot(a), 0.0);
    EXPECT_EQ(a.Dot(none), 0.0);
    EXPECT_EQ(Dot(none, a), 0.0);
    EXPECT_EQ(none.Distance(a), 0.0);
    EXPECT_EQ(a.Distance(none), 0.0);
}

TEST(Vector3Construction, ThreeCoordinatesAreOrdinaryEvenAtLengthOne) {
    const Vector3 v(1, 0, 0);
    EXPECT_EQ(v.status, StatusOrdinary);
    EXPECT_EQ(v.IsOrdinary(), 1);
    EXPECT_EQ(v.IsUnit(), 0);
    EXPECT_EQ(v.Length(), 1.0);
    expectCoords(v, 1, 0, 0);
}

TEST(Vector3Measures, LengthDotAndDistance) {
    EXPECT_EQ(Vector3(3, 4, 12).Length(), 13.0);
    EXPECT_EQ(Vector3(-1, 2, -2).Length(), 3.0);
    EXPECT_EQ(Vector3(1, 2, 3).Dot(Vector3(4, -5, 6)), 12.0);
    EXPECT_EQ(Vector3(1, 1, 1).Distance(Vector3(4, 5, 1)), 5.0);
    // The x and y products are summed before z is added.
    EXPECT_EQ(Dot(Vector3(1, 1e16, -1e16), Vector3(1, 1, 1)), 0.0);
}

TEST(Vector3Measures, UnitClaimIsTrustedNotRetested) {
    Vector3 claimed(3, 0, 4);
    claimed.status = StatusUnit;
    EXPECT_EQ(claimed.Length(), 1.0);
    // Dot reads the stored coordinates whatever the status.
    EXPECT_EQ(claimed.Dot(Vector3(1, 1, 1)), 7.0);
}

TEST(Vector3Normalise, OrdinaryVectorUsesOneReciprocal) {
    Vector3 v(3, 0, 4);
    Vector3& back = v.Normalise();
    EXPECT_EQ(&back, &v);
    EXPECT_EQ(v.status, StatusUnit);
    // x * (1 / 5) rounds differently from 3 / 5 = 0.6.
    EXPECT_EQ(v.X(), 0.60000000000000009);
    EXPECT_EQ(v.Y(), 0.0);
    EXPECT_EQ(v.Z(), 0.8);
    EXPECT_EQ(v.Length(), 1.0);
}

TEST(Vector3Normalise, TooShortOrNotANumberBecomesUnitZero) {
    Vector3 tiny(1e-9, 0, 0);
    tiny.Normalise();
    EXPECT_EQ(tiny.status, StatusUnit);
    expectCoords(tiny, 0, 0, 0);
    EXPECT_EQ(tiny.Length(), 1.0);

    Vector3 nan(std::numeric_limits<double>::quiet_NaN(), 1, 0);
    nan.Normalise();
    EXPECT_EQ(nan.status, StatusUnit);
    expectCoords(nan, 0, 0, 0);

    // The threshold itself is long enough.
    Vector3 edge(1e-8, 0, 0);
    edge.Normalise();
    EXPECT_EQ(edge.status, StatusUnit);
    EXPECT_NEAR(edge.X(), 1.0, 1e-15);
}

TEST(Vector3Normalise, UnitAndInvalidAreLeftAlone) {
    Vector3 claimed(3, 0, 4);
    claimed.status = StatusUnit;
    claimed.Normalise();
    expectCoords(claimed, 3, 0, 4);
    EXPECT_EQ(claimed.status, StatusUnit);

    Vector3 none;
    none.Normalise();
    expectInvalidZero(none);
}

TEST(Vector3Normalise, ScalingAUnitVectorMakesItOrdinaryAgain) {
    Vector3 u = unitX();
    u *= 2;
    expectCoords(u, 2, 0, 0);
    EXPECT_EQ(u.status, StatusOrdinary);
    u.Normalise();
    expectCoords(u, 1, 0, 0);
    EXPECT_EQ(u.status, StatusUnit);
}

TEST(Vector3Normalise, UnitFormsCopyOrWriteOut) {
    const Vector3 v(0, 0, 2);
    const Vector3 copy = Unit(v);
    expectCoords(v, 0, 0, 2);
    EXPECT_EQ(v.status, StatusOrdinary);
    expectCoords(copy, 0, 0, 1);
    EXPECT_EQ(copy.status, StatusUnit);

    Vector3 out(9, 9, 9);
    Vector3& back = Unit(v, out);
    EXPECT_EQ(&back, &out);
    expectCoords(out, 0, 0, 1);
    EXPECT_EQ(out.status, StatusUnit);
    // In place: out may be v itself.
    Vector3 self(0, 5, 0);
    Unit(self, self);
    expectCoords(self, 0, 1, 0);
    EXPECT_EQ(self.status, StatusUnit);
}

TEST(Vector3Status, ClearUnit) {
    Vector3 u = Unit(Vector3(0, 3, 4));
    const double y = u.Y(), z = u.Z();
    Vector3& back = u.ClearUnit();
    EXPECT_EQ(&back, &u);
    EXPECT_EQ(u.status, StatusOrdinary);
    expectCoords(u, 0, y, z);

    Vector3 ordinary(1, 2, 3);
    ordinary.ClearUnit();
    EXPECT_EQ(ordinary.status, StatusOrdinary);
    expectCoords(ordinary, 1, 2, 3);

    Vector3 none;
    none.ClearUnit();
    expectInvalidZero(none);
}

TEST(Vector3Status, ResultsOfUnitOperands) {
    const Vector3 u = unitX();
    const Vector3 w = Unit(Vector3(0, 1, 0));
    EXPECT_EQ((-u).status, StatusUnit);
    expectCoords(-u, -1, 0, 0);
    EXPECT_EQ((u + w).status, StatusOrdinary);
    EXPECT_EQ((u - w).status, StatusOrdinary);
    EXPECT_EQ((u * 1.0).status, StatusOrdinary);
    EXPECT_EQ(u.Cross(w).status, StatusOrdinary);
    const Vector3 copy = u;
    EXPECT_EQ(copy.status, StatusUnit);
    EXPECT_EQ((-Vector3(1, 2, 3)).status, StatusOrdinary);
}

TEST(Vector3Status, InvalidOperandPropagates) {
    const Vector3 none;
    const Vector3 a(1, 2, 3);
    expectInvalidZero(a + none);
    expectInvalidZero(none + a);
    expectInvalidZero(a - none);
    expectInvalidZero(none - a);
    expectInvalidZero(a.Cross(none));
    expectInvalidZero(none.Cross(a));
    expectInvalidZero(none * 2.0);
    expectInvalidZero(-none);

    Vector3 b(4, 5, 6);
    b += none;
    expectInvalidZero(b);
    Vector3 c(4, 5, 6);
    c -= none;
    expectInvalidZero(c);
    Vector3 d;
    d *= 3.0;
    expectInvalidZero(d);

    // The primitives overwrite whatever out held.
    Vector3 out(7, 8, 9);
    expectInvalidZero(Add(none, a, out));
    out = Vector3(7, 8, 9);
    expectInvalidZero(Scale(none, 2.0, out));
    out = Unit(Vector3(7, 8, 9));
    expectInvalidZero(Negate(none, out));
}

TEST(Vector3Arithmetic, Values) {
    const Vector3 a(1, 2, 3);
    const Vector3 b(4, -5, 6);
    expectCoords(a + b, 5, -3, 9);
    expectCoords(a - b, -3, 7, -3);
    expectCoords(a * -2.0, -2, -4, -6);
    expectCoords(-a, -1, -2, -3);
    expectCoords(a.Cross(b), 27, 6, -13);
    expectCoords(Vector3(1, 0, 0).Cross(Vector3(0, 1, 0)), 0, 0, 1);
    // Through the temporary a vector may be crossed with itself.
    expectCoords(a.Cross(a), 0, 0, 0);
}

TEST(Vector3Arithmetic, PrimitivesReturnOutAndCompoundFormsWorkInPlace) {
    const Vector3 a(1, 2, 3);
    const Vector3 b(4, -5, 6);
    Vector3 out;
    EXPECT_EQ(&Add(a, b, out), &out);
    expectCoords(out, 5, -3, 9);
    EXPECT_EQ(&Subtract(a, b, out), &out);
    expectCoords(out, -3, 7, -3);
    EXPECT_EQ(&Cross(a, b, out), &out);
    expectCoords(out, 27, 6, -13);
    EXPECT_EQ(&Scale(a, 0.5, out), &out);
    expectCoords(out, 0.5, 1, 1.5);
    EXPECT_EQ(&Negate(a, out), &out);
    expectCoords(out, -1, -2, -3);

    Vector3 c(1, 2, 3);
    Vector3& back = (c += b);
    EXPECT_EQ(&back, &c);
    expectCoords(c, 5, -3, 9);
    EXPECT_EQ(&(c -= b), &c);
    expectCoords(c, 1, 2, 3);
    EXPECT_EQ(&(c *= 3.0), &c);
    expectCoords(c, 3, 6, 9);
    // The scalar may be one of the vector's own coordinates.
    c *= c.y;
    expectCoords(c, 18, 36, 54);
}
