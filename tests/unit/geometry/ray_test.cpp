#include "geometry/ray.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectCoords(const Vector3& v, double x, double y, double z) {
    EXPECT_EQ(v.X(), x);
    EXPECT_EQ(v.Y(), y);
    EXPECT_EQ(v.Z(), z);
}

Vector3 dir(double x, double y, double z) { return Unit(Vector3(x, y, z)); }

}  // namespace

TEST(RayConstruction, UnitSecondArgumentIsADirection) {
    const Vector3 p(1, 2, 3);
    const Ray alongZ(p, dir(0, 0, 1));
    EXPECT_EQ(alongZ.IsValid(), 1);
    expectCoords(alongZ.Direction(), 0, 0, 1);
    expectCoords(alongZ.Origin(), 1, 2, 3);
    EXPECT_EQ(alongZ.Origin().status, StatusOrdinary);

    // A unit direction is copied, not re-normalised.
    Vector3 claimed(0, 0, 5);
    claimed.status = StatusUnit;
    expectCoords(Ray(p, claimed).Direction(), 0, 0, 5);
}

TEST(RayConstruction, OrdinarySecondArgumentIsAPoint) {
    const Vector3 p(1, 2, 3);
    const Ray toPoint(p, Vector3(0, 0, 1));
    EXPECT_EQ(toPoint.IsValid(), 1);
    const Vector3 expected = Unit(Vector3(0, 0, 1) - p);
    expectCoords(toPoint.Direction(), expected.X(), expected.Y(), expected.Z());
    EXPECT_EQ(toPoint.Direction().status, StatusUnit);

    const Ray along(Vector3(0, 0, 0), Vector3(0, 0, 7));
    expectCoords(along.Direction(), 0, 0, 1);
}

TEST(RayConstruction, Validity) {
    EXPECT_EQ(Ray().IsValid(), 0);
    EXPECT_EQ(Ray(Vector3(), dir(1, 0, 0)).IsValid(), 0);
    EXPECT_EQ(Ray(Vector3(), Vector3(1, 0, 0)).IsValid(), 0);
    EXPECT_EQ(Ray(Vector3(1, 0, 0), Vector3()).IsValid(), 0);
    // A unit origin is as valid as an ordinary one.
    EXPECT_EQ(Ray(dir(1, 1, 0), dir(0, 1, 0)).IsValid(), 1);
    // A ray whose direction lost its unit status is not valid.
    Ray r(Vector3(0, 0, 0), dir(1, 0, 0));
    r.direction.ClearUnit();
    EXPECT_EQ(r.IsValid(), 0);
}

TEST(RayConstruction, SamePointTwiceGivesZeroDirection) {
    const Vector3 p(1, 2, 3);
    const Ray degenerate(p, p);
    EXPECT_EQ(degenerate.IsValid(), 1);
    EXPECT_EQ(degenerate.Direction().status, StatusUnit);
    expectCoords(degenerate.Direction(), 0, 0, 0);
    const Vector3 q(4, 6, 3);
    EXPECT_EQ(degenerate.Distance(q), 5.0);
    EXPECT_EQ(degenerate.Distance(q), q.Distance(p));
}

TEST(RayPointDistance, MeasuresFromTheWholeLine) {
    const Ray xAxis(Vector3(0, 0, 0), dir(1, 0, 0));
    EXPECT_EQ(xAxis.Distance(Vector3(-5, 3, 0)), 3.0);
    EXPECT_EQ(xAxis.Distance(Vector3(7, 0, 4)), 4.0);
    EXPECT_EQ(xAxis.Distance(Vector3(2, 0, 0)), 0.0);
    const Ray slanted(Vector3(1, 1, 1), dir(1, 1, 0));
    EXPECT_NEAR(slanted.Distance(Vector3(2, 0, 1)), std::sqrt(2.0), 1e-15);
}

TEST(RayPointDistance, InvalidRayOrPointGivesZero) {
    const Vector3 q(10, 10, 10);
    EXPECT_EQ(Ray().Distance(q), 0.0);
    EXPECT_EQ(Ray(Vector3(), Vector3(0, 0, 1)).Distance(q), 0.0);
    EXPECT_EQ(Ray(Vector3(0, 0, 0), dir(1, 0, 0)).Distance(Vector3()), 0.0);
}

TEST(RayClosestPoints, CrossingLines) {
    const Ray a(Vector3(0, 0, 0), dir(1, 0, 0));
    const Ray b(Vector3(0, 0, 2), dir(0, 1, 0));
    Vector3 onA, onB;
    EXPECT_EQ(a.ClosestPoints(b, onA, onB), 1);
    expectCoords(onA, 0, 0, 0);
    expectCoords(onB, 0, 0, 2);
    EXPECT_EQ(a.Distance(b), 2.0);
    const Vector3 middle(a, b);
    expectCoords(middle, 0, 0, 1);
    EXPECT_EQ(middle.status, StatusOrdinary);
}

TEST(RayClosestPoints, SkewLinesMeetTheirCommonPerpendicular) {
    const Ray a(Vector3(1, -2, 0.5), dir(1, 2, -1));
    const Ray b(Vector3(-3, 4, 2), dir(0.5, -1, 3));
    Vector3 onA, onB;
    ASSERT_EQ(a.ClosestPoints(b, onA, onB), 1);
    const Vector3 gap = onB - onA;
    EXPECT_NEAR(gap.Dot(a.direction), 0.0, 1e-12);
    EXPECT_NEAR(gap.Dot(b.direction), 0.0, 1e-12);
    EXPECT_NEAR(a.Distance(onA), 0.0, 1e-12);
    EXPECT_NEAR(b.Distance(onB), 0.0, 1e-12);
    EXPECT_EQ(a.Distance(b), onA.Distance(onB));
    // Symmetric in the two rays.
    Vector3 backA, backB;
    b.ClosestPoints(a, backB, backA);
    EXPECT_NEAR(backA.Distance(onA), 0.0, 1e-12);
    EXPECT_NEAR(backB.Distance(onB), 0.0, 1e-12);
    // Parameters are not limited to the forward side.
    const Ray reversed(Vector3(1, -2, 0.5), dir(-1, -2, 1));
    EXPECT_NEAR(reversed.Distance(b), a.Distance(b), 1e-12);
}

TEST(RayClosestPoints, ParallelLinesTakeThisOrigin) {
    const Ray a(Vector3(0, 0, 0), dir(1, 0, 0));
    const Ray b(Vector3(5, 3, 0), dir(-1, 0, 0));
    Vector3 onA, onB;
    EXPECT_EQ(a.ClosestPoints(b, onA, onB), 1);
    expectCoords(onA, 0, 0, 0);
    expectCoords(onB, 0, 3, 0);
    EXPECT_EQ(a.Distance(b), 3.0);
    expectCoords(Vector3(a, b), 0, 1.5, 0);

    const Ray same(Vector3(-4, 3, 0), dir(1, 0, 0));
    a.ClosestPoints(same, onA, onB);
    expectCoords(onA, 0, 0, 0);
    expectCoords(onB, 0, 3, 0);
}

TEST(RayClosestPoints, NearlyParallelBelowTheThresholdUsesTheParallelBranch) {
    // 1 - c^2 is about 1e-10 here.
    const Ray a(Vector3(2, 0, 0), dir(1, 0, 0));
    const Ray b(Vector3(0, 1, 0), dir(1, 1e-5, 0));
    Vector3 onA, onB;
    ASSERT_EQ(a.ClosestPoints(b, onA, onB), 1);
    expectCoords(onA, 2, 0, 0);
    EXPECT_NEAR(onB.X(), 2.0, 1e-9);
    EXPECT_NEAR(onB.Y(), 1.0 + 2e-5, 1e-9);

    // Clearly apart from parallel, the general branch finds the crossing far away.
    const Ray c(Vector3(0, 1, 0), dir(1, 1e-3, 0));
    ASSERT_EQ(a.ClosestPoints(c, onA, onB), 1);
    EXPECT_NEAR(onA.X(), -1000.0, 1e-6);
    EXPECT_NEAR(onA.Distance(onB), 0.0, 1e-6);
}

TEST(RayClosestPoints, InvalidRayLeavesOutputsUntouched) {
    const Ray valid(Vector3(0, 0, 0), dir(1, 0, 0));
    Vector3 onA(7, 8, 9), onB = dir(1, 1, 1);
    EXPECT_EQ(valid.ClosestPoints(Ray(), onA, onB), 0);
    EXPECT_EQ(Ray().ClosestPoints(valid, onA, onB), 0);
    expectCoords(onA, 7, 8, 9);
    EXPECT_EQ(onA.status, StatusOrdinary);
    EXPECT_EQ(onB.status, StatusUnit);
    EXPECT_EQ(valid.Distance(Ray()), 0.0);
    EXPECT_EQ(Ray().Distance(valid), 0.0);
    const Vector3 middle(valid, Ray());
    EXPECT_EQ(middle.IsValid(), 0);
    expectCoords(middle, 0, 0, 0);
}

TEST(RayClosestPoints, ZeroDirectionRayActsAsAPoint) {
    const Vector3 p(3, 4, 0);
    const Ray point(p, p);
    const Ray xAxis(Vector3(0, 0, 0), dir(1, 0, 0));
    Vector3 onPoint, onAxis;
    ASSERT_EQ(point.ClosestPoints(xAxis, onPoint, onAxis), 1);
    expectCoords(onPoint, 3, 4, 0);
    expectCoords(onAxis, 3, 0, 0);
    EXPECT_EQ(point.Distance(xAxis), 4.0);
}
