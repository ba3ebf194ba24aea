#include "physics/intersections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace {

const Vector3 kUntouched(111, 222, 333);
const double kUntouchedDistance = -777.0;

Vector3 dir(double x, double y, double z) { return Unit(Vector3(x, y, z)); }

void expectNear(const Vector3& v, double x, double y, double z, double tolerance = 1e-12) {
    EXPECT_NEAR(v.X(), x, tolerance);
    EXPECT_NEAR(v.Y(), y, tolerance);
    EXPECT_NEAR(v.Z(), z, tolerance);
}

void expectSame(const Vector3& a, const Vector3& b) {
    EXPECT_EQ(a.X(), b.X());
    EXPECT_EQ(a.Y(), b.Y());
    EXPECT_EQ(a.Z(), b.Z());
    EXPECT_EQ(a.status, b.status);
}

// A direction whose components are exactly the given ones, flagged unit.
Vector3 rawUnit(double x, double y, double z) {
    Vector3 v(x, y, z);
    v.status = StatusUnit;
    return v;
}

// Outputs of one call, pre-filled so that "not written" can be checked.
struct Hit {
    int result = -1;
    double distance = kUntouchedDistance;
    Vector3 normal = kUntouched;
    Vector3 point = kUntouched;
};

// ---------------------------------------------------------------- plane

const Plane kFloor{Vector3(0, 0, 0), dir(0, 1, 0)};

Hit plane(const Plane& p, const Vector3& origin, const Vector3& direction) {
    Hit h;
    h.result = IntersectPlane(p, origin, direction, h.distance, h.normal);
    return h;
}

TEST(IntersectPlane, HitsFromEitherSideWithTheStoredNormal) {
    const Hit above = plane(kFloor, Vector3(0, 10, 0), dir(0, -1, 0));
    EXPECT_EQ(above.result, 1);
    EXPECT_EQ(above.distance, 10.0);
    expectSame(above.normal, kFloor.normal);

    // From below, the normal still is the stored one, along the motion.
    const Hit below = plane(kFloor, Vector3(0, -10, 0), dir(0, 1, 0));
    EXPECT_EQ(below.result, 1);
    EXPECT_EQ(below.distance, 10.0);
    expectSame(below.normal, kFloor.normal);

    // Slanted approach: distance along the direction, not the height.
    const Hit slanted = plane(kFloor, Vector3(0, 10, 0), dir(1, -1, 0));
    EXPECT_EQ(slanted.result, 1);
    EXPECT_NEAR(slanted.distance, 10.0 * std::sqrt(2.0), 1e-12);
}

TEST(IntersectPlane, NormalIsCopiedNotNormalised) {
    // The distance does not depend on the normal's length; the normal handed
    // back is the record's, with its status.
    const Plane longNormal{Vector3(0, 0, 0), Vector3(0, 2, 0)};
    const Hit h = plane(longNormal, Vector3(0, 10, 0), dir(0, -1, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 10.0);
    expectSame(h.normal, Vector3(0, 2, 0));
    EXPECT_EQ(h.normal.status, StatusOrdinary);
}

TEST(IntersectPlane, MissesWriteNothing) {
    const Hit parallel = plane(kFloor, Vector3(0, 10, 0), dir(1, 0, 0));
    const Hit away = plane(kFloor, Vector3(0, 10, 0), dir(0, 1, 0));
    for (const Hit& h : {parallel, away}) {
        EXPECT_EQ(h.result, 0);
        EXPECT_EQ(h.distance, kUntouchedDistance);
        expectSame(h.normal, kUntouched);
    }
}

TEST(IntersectPlane, StartOnOrJustBehindThePlane) {
    const Hit on = plane(kFloor, Vector3(3, 0, 4), dir(0, -1, 0));
    EXPECT_EQ(on.result, 1);
    EXPECT_EQ(on.distance, 0.0);

    const Hit justBehind = plane(kFloor, Vector3(0, -1e-9, 0), dir(0, -1, 0));
    EXPECT_EQ(justBehind.result, 1);
    EXPECT_DOUBLE_EQ(justBehind.distance, -1e-9);

    // The bound itself is still a hit; beyond it is not.
    const Hit atBound = plane(kFloor, Vector3(0, 1e-8, 0), rawUnit(0, 1, 0));
    EXPECT_EQ(atBound.result, 1);
    EXPECT_EQ(atBound.distance, -1e-8);
    EXPECT_EQ(plane(kFloor, Vector3(0, 2e-8, 0), rawUnit(0, 1, 0)).result, 0);
}

TEST(IntersectPlane, ParallelBoundIsExclusive) {
    // Dot(direction, normal) of exactly +-1e-8 is not parallel.
    const Hit up = plane(kFloor, Vector3(0, -1, 0), rawUnit(1, 1e-8, 0));
    EXPECT_EQ(up.result, 1);
    EXPECT_DOUBLE_EQ(up.distance, 1e8);
    const Hit down = plane(kFloor, Vector3(0, 1, 0), rawUnit(1, -1e-8, 0));
    EXPECT_EQ(down.result, 1);
    EXPECT_DOUBLE_EQ(down.distance, 1e8);

    const double below = std::nextafter(1e-8, 0.0);
    EXPECT_EQ(plane(kFloor, Vector3(0, -1, 0), rawUnit(1, below, 0)).result, 0);
    EXPECT_EQ(plane(kFloor, Vector3(0, 1, 0), rawUnit(1, -below, 0)).result, 0);
}

// ------------------------------------------------------------- cylinder

const Cylinder kPillar{Vector3(0, 0, 0), dir(0, 1, 0), 10.0};

Hit cylinder(const Cylinder& c, const Vector3& origin, const Vector3& direction) {
    Hit h;
    h.result = IntersectCylinder(c, origin, direction, h.distance, h.normal, h.point);
    return h;
}

TEST(IntersectCylinder, EntryFromOutside) {
    const Hit h = cylinder(kPillar, Vector3(-20, 5, 0), dir(1, 0, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 10.0);
    expectNear(h.point, -10, 5, 0);
    expectNear(h.normal, -1, 0, 0);
    EXPECT_EQ(h.normal.status, StatusUnit);

    // The half chord is measured along a slanted ray.
    const Hit slanted = cylinder(kPillar, Vector3(-20, 0, 0), dir(1, 1, 0));
    EXPECT_EQ(slanted.result, 1);
    EXPECT_NEAR(slanted.distance, 10.0 * std::sqrt(2.0), 1e-12);
    expectNear(slanted.point, -10, 10, 0);
    expectNear(slanted.normal, -1, 0, 0);
}

TEST(IntersectCylinder, FromInsideTakesTheExit) {
    const Hit h = cylinder(kPillar, Vector3(0, 5, 0), dir(1, 0, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 10.0);
    expectNear(h.point, 10, 5, 0);
    expectNear(h.normal, 1, 0, 0);  // along the motion
}

TEST(IntersectCylinder, MissesWriteNothing) {
    const Hit behind = cylinder(kPillar, Vector3(20, 5, 0), dir(1, 0, 0));
    const Hit passesBy = cylinder(kPillar, Vector3(-20, 5, 15), dir(1, 0, 0));
    const Hit alongAxisInside = cylinder(kPillar, Vector3(0, 5, 0), dir(0, 1, 0));
    const Hit alongAxisOutside = cylinder(kPillar, Vector3(30, 5, 0), dir(0, -1, 0));
    for (const Hit& h : {behind, passesBy, alongAxisInside, alongAxisOutside}) {
        EXPECT_EQ(h.result, 0);
        EXPECT_EQ(h.distance, kUntouchedDistance);
        expectSame(h.normal, kUntouched);
        expectSame(h.point, kUntouched);
    }
}

TEST(IntersectCylinder, TangentLineHits) {
    const Hit h = cylinder(kPillar, Vector3(-20, 5, 10), dir(1, 0, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 20.0);
    expectNear(h.point, 0, 5, 10);
    expectNear(h.normal, 0, 0, 1);
}

TEST(IntersectCylinder, EntryJustBehindTheOriginWithinTheBound) {
    const Hit h = cylinder(kPillar, Vector3(-9.999999995, 5, 0), dir(1, 0, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_LT(h.distance, 0.0);
    EXPECT_NEAR(h.distance, -5e-9, 1e-15);
    expectNear(h.point, -10, 5, 0, 1e-14);
    expectNear(h.normal, -1, 0, 0);

    // Further inside, the entry is past the bound and the exit is taken.
    const Hit deeper = cylinder(kPillar, Vector3(-9.99999, 5, 0), dir(1, 0, 0));
    EXPECT_EQ(deeper.result, 1);
    EXPECT_NEAR(deeper.distance, 19.99999, 1e-12);
    expectNear(deeper.point, 10, 5, 0, 1e-12);
    expectNear(deeper.normal, 1, 0, 0);
}

TEST(IntersectCylinder, RandomHitsLieOnTheMantle) {
    // A slanted pillar off the origin: every hit is radius away from the axis,
    // with a unit normal across the axis that points from the axis to the hit.
    const Cylinder slanted{Vector3(-200, 0, 0), dir(1, 1, 0), 31.0};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-300.0, 300.0);
    int hits = 0;
    for (int n = 0; n < 2000; ++n) {
        const Vector3 origin(coordinate(random), coordinate(random), coordinate(random));
        const Vector3 towards = slanted.point + slanted.axis * coordinate(random);
        const Hit h = cylinder(slanted, origin, Unit(towards - origin));
        if (h.result == 0) continue;
        ++hits;
        const Vector3 r = h.point - slanted.point;
        const Vector3 across = r - slanted.axis * Dot(r, slanted.axis);
        EXPECT_NEAR(across.Length(), 31.0, 1e-9);
        EXPECT_NEAR(Dot(h.normal, slanted.axis), 0.0, 1e-12);
        EXPECT_NEAR(Dot(h.normal, Unit(across)), 1.0, 1e-12);
        EXPECT_GE(h.distance, -1e-8);
    }
    EXPECT_GT(hits, 1500);  // aimed at the axis, nearly all of them hit
}

// ----------------------------------------------------------------- cone

const double kCos45 = 0.7071067811865476;
const Cone kUpright{Vector3(0, 0, 0), dir(0, 1, 0), kCos45, kCos45};

Hit cone(const Cone& c, const Vector3& origin, const Vector3& direction) {
    Hit h;
    h.result = IntersectCone(c, origin, direction, h.distance, h.normal, h.point);
    return h;
}

bool isFloat(double value) { return static_cast<double>(static_cast<float>(value)) == value; }

TEST(IntersectCone, NegativeLeadingCoefficientTriesOnlyTheNearRoot) {
    // c2 = -0.5, roots 15 and 5 both on the upper nappe.
    const Hit h = cone(kUpright, Vector3(0, 5, 10), dir(0, 0, -1));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 5.0);
    expectNear(h.point, 0, 5, 5, 1e-6);
    expectNear(h.normal, 0, -kCos45, kCos45, 1e-6);
    EXPECT_EQ(h.normal.status, StatusUnit);
}

TEST(IntersectCone, WrongNappeFallsThroughToTheFarRoot) {
    // Roots 9 (lower nappe, refused) and 11 (upper nappe).
    const Hit h = cone(kUpright, Vector3(1, -10, 0), dir(0, 1, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 11.0);
    expectNear(h.point, 1, 1, 0, 1e-6);
    expectNear(h.normal, kCos45, -kCos45, 0, 1e-6);
}

TEST(IntersectCone, NearRootOnTheRightNappeStopsTheSearch) {
    // Roots 19 and 21 both on the upper nappe: the nearer one is kept.
    const Hit h = cone(kUpright, Vector3(1, 20, 0), dir(0, -1, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 19.0);
    expectNear(h.point, 1, 1, 0, 1e-6);
}

TEST(IntersectCone, StartInsideReturnsTheRootBehind) {
    // Roots -6 (lower nappe) and -4 (upper nappe, behind the start): the test
    // leaves judging the sign to the caller.
    const Hit h = cone(kUpright, Vector3(1, 5, 0), dir(0, 1, 0));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, -4.0);
    expectNear(h.point, 1, 1, 0, 1e-6);
}

TEST(IntersectCone, MissesLeaveTheNormalUnwritten) {
    const Hit wide = cone(kUpright, Vector3(0, 5, 10), dir(1, 0, 0));           // disc < 0
    const Hit lowerOnly = cone(kUpright, Vector3(0, -5, 10), dir(0, 0, -1));    // both roots below
    const Hit throughApex = cone(kUpright, Vector3(0, -10, 0), dir(0, 1, 0));  // double root at the apex
    for (const Hit& h : {wide, lowerOnly, throughApex}) {
        EXPECT_EQ(h.result, 0);
        expectSame(h.normal, kUntouched);
    }
    // A miss before any root is tried writes nothing at all.
    EXPECT_EQ(wide.distance, kUntouchedDistance);
    expectSame(wide.point, kUntouched);
}

TEST(IntersectCone, ParallelToAMantleLine) {
    // Linear case: the one root lies behind the start, and is still a hit.
    const Hit h = cone(kUpright, Vector3(0, 5, 0), dir(0, 1, 1));
    EXPECT_EQ(h.result, 1);
    EXPECT_NEAR(h.distance, -2.5 * std::sqrt(2.0), 1e-5);
    expectNear(h.point, 0, 2.5, -2.5, 1e-5);
    expectNear(h.normal, 0, -kCos45, -kCos45, 1e-5);

    // Along a mantle line from the apex both linear coefficients vanish.
    EXPECT_EQ(cone(kUpright, Vector3(0, 0, 0), dir(0, 1, 1)).result, 0);
}

TEST(IntersectCone, StartAtTheApex) {
    // Into the cone along the axis: the double root is the apex itself.
    EXPECT_EQ(cone(kUpright, Vector3(0, 0, 0), dir(0, 1, 0)).result, 0);
    EXPECT_EQ(cone(kUpright, Vector3(0, 0, 0), dir(1, 0, 0)).result, 0);
}

TEST(IntersectCone, ComputesInSinglePrecision) {
    // A tilted cone off the origin; every distance handed back is a float
    // value, and it agrees with the double-precision root to single precision.
    const Cone tilted{Vector3(100, -120, 0), dir(1, -1, 0), std::cos(0.26), std::sin(0.26)};
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(-300.0, 300.0);
    int hits = 0;
    int pointsOffTheFloatGrid = 0;
    for (int n = 0; n < 3000; ++n) {
        const Vector3 origin(coordinate(random), coordinate(random), coordinate(random));
        const Vector3 towards = tilted.apex + tilted.axis * (50.0 + 0.5 * (coordinate(random) + 300.0));
        const Vector3 direction = Unit(towards - origin);
        const Hit h = cone(tilted, origin, direction);
        if (h.result == 0) continue;
        ++hits;
        EXPECT_TRUE(isFloat(h.distance)) << h.distance;
        // On the mantle: the angle to the axis is the half angle.
        const Vector3 q = Unit(h.point - tilted.apex);
        const double spread = (h.point - tilted.apex).Length();
        EXPECT_NEAR(Dot(q, tilted.axis), tilted.cosHalfAngle, 2e-5 * (1.0 + 300.0 / spread));
        EXPECT_GT(Dot(q, tilted.axis), 0.0);
        EXPECT_NEAR(std::sqrt(Dot(h.normal, h.normal)), 1.0, 1e-12);
        EXPECT_NEAR(Dot(h.normal, q), 0.0, 1e-9);
        EXPECT_LT(Dot(h.normal, tilted.axis), 0.0);
        if (!isFloat(h.point.X())) ++pointsOffTheFloatGrid;
    }
    EXPECT_GT(hits, 2000);
    EXPECT_GT(pointsOffTheFloatGrid, 0);  // the hit point itself is double arithmetic
}

// --------------------------------------------------------------- sphere

const Vector3 kCentre(0, 0, 0);

Hit sphere(const Vector3& centre, float radius, const Vector3& origin, const Vector3& direction) {
    Hit h;
    h.result = IntersectSphere(centre, radius, origin, direction, h.distance, h.normal, h.point);
    return h;
}

TEST(IntersectSphere, EntryFromOutside) {
    const Hit h = sphere(kCentre, 10.0f, Vector3(0, 0, -20), dir(0, 0, 1));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 10.0);
    expectNear(h.point, 0, 0, -10);
    expectNear(h.normal, 0, 0, -1);
    EXPECT_EQ(h.normal.status, StatusUnit);

    const Hit offCentre = sphere(Vector3(-200, -300, 170), 101.0f, Vector3(-200, -100, 170), dir(0, -1, 0));
    EXPECT_EQ(offCentre.result, 1);
    EXPECT_EQ(offCentre.distance, 99.0);
    expectNear(offCentre.normal, 0, 1, 0);
}

TEST(IntersectSphere, FromInsideTakesTheExit) {
    const Hit h = sphere(kCentre, 10.0f, Vector3(0, 0, 0), dir(0, 0, 1));
    EXPECT_EQ(h.result, 1);
    EXPECT_EQ(h.distance, 10.0);
    expectNear(h.point, 0, 0, 10);
    expectNear(h.normal, 0, 0, 1);

    // On the surface moving in: roots 20 and 0, the entry at the start.
    const Hit onSurface = sphere(kCentre, 10.0f, Vector3(0, 0, -10), dir(0, 0, 1));
    EXPECT_EQ(onSurface.result, 1);
    EXPECT_EQ(onSurface.distance, 0.0);
    expectNear(onSurface.point, 0, 0, -10);
}

TEST(IntersectSphere, TangentAndMisses) {
    const Hit tangent = sphere(kCentre, 10.0f, Vector3(10, 0, -20), dir(0, 0, 1));
    EXPECT_EQ(tangent.result, 1);
    EXPECT_EQ(tangent.distance, 20.0);
    expectNear(tangent.point, 10, 0, 0);
    expectNear(tangent.normal, 1, 0, 0);

    EXPECT_EQ(sphere(kCentre, 10.0f, Vector3(11, 0, -20), dir(0, 0, 1)).result, 0);
    EXPECT_EQ(sphere(kCentre, 10.0f, Vector3(0, 0, 20), dir(0, 0, 1)).result, 0);
    const Hit behind = sphere(kCentre, 10.0f, Vector3(0, 0, 20), dir(0, 0, 1));
    expectSame(behind.normal, kUntouched);
    expectSame(behind.point, kUntouched);
}

TEST(IntersectSphere, BoundIsZeroNotTheGeometryTolerance) {
    // Just outside the exit, moving out: the far root is -1e-9, which the
    // cylinder's bound would accept but this test does not.
    EXPECT_EQ(sphere(kCentre, 10.0f, Vector3(0, 0, 10.000000001), dir(0, 0, 1)).result, 0);
    // Just inside the entry: the near root is slightly negative, so the far
    // root (the exit) is chosen.
    const Hit h = sphere(kCentre, 10.0f, Vector3(0, 0, -9.999999999), dir(0, 0, 1));
    EXPECT_EQ(h.result, 1);
    EXPECT_NEAR(h.distance, 19.999999999, 1e-9);
    expectNear(h.normal, 0, 0, 1);
}

TEST(IntersectSphere, RadiusIsWidenedBeforeSquaring) {
    // 0.1f squared in single precision would move the entry by about 3e-9.
    const Hit h = sphere(kCentre, 0.1f, Vector3(0, 0, -1), dir(0, 0, 1));
    EXPECT_EQ(h.result, 1);
    EXPECT_NEAR(h.distance, 1.0 - static_cast<double>(0.1f), 1e-15);
}

}  // namespace
