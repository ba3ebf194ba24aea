#include "scene/scene_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "geometry/scalar_helpers.h"
#include "platform/random_source.h"
#include "scene/obstacle_clearance.h"
#include "tests/support/test_simulation.h"

namespace {

void expectCoords(const Vector3& v, double x, double y, double z) {
    EXPECT_EQ(v.X(), x);
    EXPECT_EQ(v.Y(), y);
    EXPECT_EQ(v.Z(), z);
}

const double kHalfSqrt2 = 0.7071067811865475;

class SceneLayout : public ::testing::Test {
protected:
    void SetUp() override { resetTestState(); }

    void buildWithRadius(int radius) {
        sim.ballRadius = radius;
        buildSceneGeometry(sim);
    }
};

int usedSlotCount() {
    int used = 0;
    for (const SpawnSlot& slot : sim.spawnSlots) used += slot.used;
    return used;
}

// The slot whose coordinates equal the position, or -1.
int slotAt(const Vector3& position) {
    for (int k = 0; k < kSpawnSlotCount; ++k) {
        const SpawnSlot& slot = sim.spawnSlots[k];
        if (position.X() == slot.x && position.Y() == slot.y && position.Z() == slot.z) return k;
    }
    return -1;
}

void expectPlacedBalls(int count) {
    std::set<int> slots;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(sim.ballAlive[i], 1) << "ball " << i;
        EXPECT_EQ(sim.ballPositions[i].status, StatusOrdinary);
        const int k = slotAt(sim.ballPositions[i]);
        ASSERT_GE(k, 0) << "ball " << i << " is not on a spawn slot";
        EXPECT_EQ(sim.spawnSlots[k].used, 1);
        slots.insert(k);
        expectCoords(sim.ballVelocities[i], 0.5, -0.1, 0.5);
        EXPECT_EQ(sim.ballVelocities[i].status, StatusOrdinary);
    }
    EXPECT_EQ(static_cast<int>(slots.size()), count) << "two balls share a slot";
    EXPECT_EQ(usedSlotCount(), count);
    for (int i = count; i < kMaxBalls; ++i) EXPECT_EQ(sim.ballAlive[i], 0) << "ball " << i;
}

}  // namespace

TEST_F(SceneLayout, StaticValuesBeforeStartUp) {
    EXPECT_EQ(sim.ballCount, 5);
    EXPECT_EQ(sim.ballRadius, 20);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.3);
    EXPECT_EQ(sim.controls.timeStep, 0.3);
    expectCoords(sim.initialVelocity, 0.5, -0.1, 0.5);
    expectCoords(sim.gravity, 0, -0.05, 0);
    expectCoords(sim.controls.cameraPosition, 0, -50, 1000);
    expectCoords(sim.controls.viewDirection, 0, 0, -10);
    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(sim.controls.followBall, 0);
    EXPECT_EQ(sim.controls.soundOn, 1);
    EXPECT_EQ(usedSlotCount(), 0);
    for (int i = 0; i < kMaxBalls; ++i) {
        EXPECT_EQ(sim.ballAlive[i], 0);
        EXPECT_EQ(sim.ballPositions[i].IsValid(), 0);
    }
    // Spot checks of the spawn table: first, a middle and the last slot.
    EXPECT_EQ(sim.spawnSlots[0].x, -220);
    EXPECT_EQ(sim.spawnSlots[0].z, 0);
    EXPECT_EQ(sim.spawnSlots[25].x, 150);
    EXPECT_EQ(sim.spawnSlots[25].y, -70);
    EXPECT_EQ(sim.spawnSlots[50].x, 80);
    EXPECT_EQ(sim.spawnSlots[50].y, -50);
    EXPECT_EQ(sim.spawnSlots[50].z, 120);
}

TEST_F(SceneLayout, TurnMatricesRotateByTwoDegrees) {
    const double c = 0.9993908270190958, s = 0.03489949670250097;
    const Matrix3& left = sim.turnLeftMatrix;
    const Matrix3& right = sim.turnRightMatrix;
    EXPECT_EQ(left.m[0][0], c);
    EXPECT_EQ(left.m[0][1], 0.0);
    EXPECT_EQ(left.m[0][2], -s);
    EXPECT_EQ(left.m[1][1], 1.0);
    EXPECT_EQ(left.m[2][0], s);
    EXPECT_EQ(left.m[2][2], c);
    EXPECT_EQ(right.m[0][2], s);
    EXPECT_EQ(right.m[2][0], -s);
    EXPECT_EQ(right.m[2][2], c);
    // Left then right comes back to the start.
    const Vector3 back = right * (left * sim.controls.viewDirection);
    EXPECT_NEAR(back.X(), 0.0, 1e-14);
    EXPECT_NEAR(back.Z(), -10.0, 1e-14);
}

TEST_F(SceneLayout, DefaultRadiusTwenty) {
    buildWithRadius(20);
    const Plane* planes = sim.collisionPlanes;
    expectCoords(planes[0].point, 0, -300, 0);
    expectCoords(planes[0].normal, 0, 1, 0);
    expectCoords(planes[1].point, 300, 0, 0);
    expectCoords(planes[1].normal, -1, 0, 0);
    expectCoords(planes[2].point, -300, 0, 0);
    expectCoords(planes[2].normal, 1, 0, 0);
    expectCoords(planes[3].point, 0, 0, 300);
    expectCoords(planes[3].normal, 0, 0, -1);
    expectCoords(planes[4].point, 0, 0, -300);
    expectCoords(planes[4].normal, 0, 0, 1);
    expectCoords(planes[5].point, 0, 300, 0);
    expectCoords(planes[5].normal, 0, -1, 0);

    expectCoords(sim.collisionCylinders[0].point, 0, 0, 0);
    expectCoords(sim.collisionCylinders[0].axis, 0, 1, 0);
    expectCoords(sim.collisionCylinders[1].point, 200, -300, 0);
    expectCoords(sim.collisionCylinders[1].axis, 0, 0, 1);
    expectCoords(sim.collisionCylinders[2].point, -200, 0, 0);
    expectCoords(sim.collisionCylinders[2].axis, 0, kHalfSqrt2, kHalfSqrt2);
    EXPECT_EQ(sim.collisionCylinders[0].radius, 80.0);
    EXPECT_EQ(sim.collisionCylinders[1].radius, 80.0);
    EXPECT_EQ(sim.collisionCylinders[2].radius, 50.0);

    expectCoords(sim.collisionCones[0].apex, -140, -30, -90);
    expectCoords(sim.collisionCones[1].apex, 0, -180, 230);
    expectCoords(sim.collisionCones[2].apex, 80, -100, 0);
    expectCoords(sim.collisionCones[0].axis, 0, -1, 0);
    expectCoords(sim.collisionCones[1].axis, 0, -1, 0);
    expectCoords(sim.collisionCones[2].axis, kHalfSqrt2, -kHalfSqrt2, 0);
}

TEST_F(SceneLayout, ShotObstaclesDoNotDependOnTheRadius) {
    for (int radius : {5, 20}) {
        buildWithRadius(radius);
        const double walls[6][3] = {{0, -319, 0}, {319, 0, 0}, {-319, 0, 0}, {0, 0, 319}, {0, 0, -319}, {0, 319, 0}};
        for (int row = 0; row < 6; ++row) {
            expectCoords(sim.wallPlanes[row].point, walls[row][0], walls[row][1], walls[row][2]);
            const Vector3& a = sim.wallPlanes[row].normal;
            const Vector3& b = sim.collisionPlanes[row].normal;
            expectCoords(a, b.X(), b.Y(), b.Z());
        }
        EXPECT_EQ(sim.obstacleCylinders[0].radius, 61.0);
        EXPECT_EQ(sim.obstacleCylinders[1].radius, 61.0);
        EXPECT_EQ(sim.obstacleCylinders[2].radius, 31.0);
        expectCoords(sim.obstacleCylinders[1].point, 200, -300, 0);
        expectCoords(sim.obstacleCylinders[2].axis, 0, kHalfSqrt2, kHalfSqrt2);
        expectCoords(sim.obstacleCones[0].apex, -140, -50, -90);
        expectCoords(sim.obstacleCones[1].apex, 0, -200, 230);
        expectCoords(sim.obstacleCones[2].apex, 100, -120, 0);
        expectCoords(sim.obstacleCones[2].axis, kHalfSqrt2, -kHalfSqrt2, 0);
    }
}

TEST_F(SceneLayout, RadiusFive) {
    buildWithRadius(5);
    expectCoords(sim.collisionPlanes[0].point, 0, -315, 0);
    expectCoords(sim.collisionPlanes[1].point, 315, 0, 0);
    expectCoords(sim.collisionPlanes[5].point, 0, 315, 0);
    EXPECT_EQ(sim.collisionCylinders[0].radius, 65.0);
    EXPECT_EQ(sim.collisionCylinders[2].radius, 35.0);
    expectCoords(sim.collisionCones[0].apex, -140, -30, -90);
    expectCoords(sim.collisionCones[1].apex, 0, -195, 230);
    expectCoords(sim.collisionCones[2].apex, 95, -115, 0);
}

TEST_F(SceneLayout, RadiusTwelve) {
    buildWithRadius(12);
    for (const Plane& plane : sim.collisionPlanes) EXPECT_EQ(plane.point.Length(), 308.0);
    expectCoords(sim.collisionPlanes[2].point, -308, 0, 0);
    expectCoords(sim.collisionPlanes[3].point, 0, 0, 308);
    EXPECT_EQ(sim.collisionCylinders[0].radius, 72.0);
    EXPECT_EQ(sim.collisionCylinders[1].radius, 72.0);
    EXPECT_EQ(sim.collisionCylinders[2].radius, 42.0);
    expectCoords(sim.collisionCones[1].apex, 0, -188, 230);
    expectCoords(sim.collisionCones[2].apex, 88, -108, 0);
}

TEST_F(SceneLayout, TiltedConeApexMovesBackAlongItsAxisByRadiusTimesRootTwo) {
    for (int radius : {5, 12, 20}) {
        buildWithRadius(radius);
        const Vector3 shift = sim.obstacleCones[2].apex - sim.collisionCones[2].apex;
        EXPECT_NEAR(shift.Length(), radius * std::sqrt(2.0), 1e-12);
        // The shift points back up the axis, towards the tip side.
        EXPECT_NEAR(shift.Dot(sim.collisionCones[2].axis), radius * std::sqrt(2.0), 1e-12);
        // Cone 1 moves up by exactly r; cone 0 does not move.
        EXPECT_EQ(sim.collisionCones[1].apex.Y() - sim.obstacleCones[1].apex.Y(), radius);
        expectCoords(sim.collisionCones[0].apex, -140, -30, -90);
    }
}

TEST_F(SceneLayout, AxisAndNormalStatuses) {
    buildSceneGeometry(sim);
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(sim.collisionPlanes[row].normal.status, StatusOrdinary);
        EXPECT_EQ(sim.collisionPlanes[row].point.status, StatusOrdinary);
        EXPECT_EQ(sim.wallPlanes[row].normal.status, StatusOrdinary);
        EXPECT_EQ(sim.wallPlanes[row].point.status, StatusOrdinary);
        EXPECT_EQ(sim.collisionPlanes[row].normal.Length(), 1.0);
    }
    for (const Cylinder* set : {sim.collisionCylinders, sim.obstacleCylinders}) {
        EXPECT_EQ(set[0].axis.status, StatusOrdinary);
        EXPECT_EQ(set[1].axis.status, StatusOrdinary);
        EXPECT_EQ(set[2].axis.status, StatusUnit);
        EXPECT_EQ(set[0].point.status, StatusOrdinary);
    }
    for (const Cone* set : {sim.collisionCones, sim.obstacleCones}) {
        EXPECT_EQ(set[0].axis.status, StatusOrdinary);
        EXPECT_EQ(set[1].axis.status, StatusOrdinary);
        EXPECT_EQ(set[2].axis.status, StatusUnit);
        for (int row = 0; row < 3; ++row) EXPECT_EQ(set[row].apex.status, StatusOrdinary);
    }
}

TEST_F(SceneLayout, ConeHalfAngles) {
    buildSceneGeometry(sim);
    EXPECT_EQ(sim.collisionCones[0].cosHalfAngle, 0.9659258262890683);
    EXPECT_EQ(sim.collisionCones[0].sinHalfAngle, 0.25881904510252074);
    EXPECT_EQ(sim.collisionCones[1].cosHalfAngle, 0.9063077870366499);
    EXPECT_EQ(sim.collisionCones[1].sinHalfAngle, 0.42261826174069944);
    EXPECT_EQ(sim.collisionCones[2].cosHalfAngle, 0.9659258262890683);
    EXPECT_EQ(sim.collisionCones[2].sinHalfAngle, 0.25881904510252074);
    EXPECT_EQ(sim.obstacleCones[0].cosHalfAngle, 0.984807753012208);
    EXPECT_EQ(sim.obstacleCones[0].sinHalfAngle, 0.17364817766693033);
    EXPECT_EQ(sim.obstacleCones[1].cosHalfAngle, 0.9396926207859084);
    EXPECT_EQ(sim.obstacleCones[1].sinHalfAngle, 0.3420201433256687);
    EXPECT_EQ(sim.obstacleCones[2].cosHalfAngle, 0.984807753012208);
    EXPECT_EQ(sim.obstacleCones[2].sinHalfAngle, 0.17364817766693033);
}

TEST_F(SceneLayout, PlaceBallsUsesDistinctSlotsWithTheInitialVelocity) {
    seedRandom(sim.random, 2024);
    placeBalls(sim);
    expectPlacedBalls(5);
    for (int i = 5; i < kMaxBalls; ++i) {
        EXPECT_EQ(sim.ballPositions[i].IsValid(), 0);
        EXPECT_EQ(sim.ballVelocities[i].IsValid(), 0);
    }
    // Placement touches no colour.
    for (const Vector3& color : sim.ballColors) EXPECT_EQ(color.IsValid(), 0);
}

TEST_F(SceneLayout, PlaceBallsFillsFortyFiveSlots) {
    sim.ballCount = 45;
    for (unsigned int seed : {1u, 2u, 3u, 99u}) {
        resetTestState();
        sim.ballCount = 45;
        seedRandom(sim.random, seed);
        placeBalls(sim);
        expectPlacedBalls(45);
    }
}

TEST_F(SceneLayout, NoBallStartsInsideAnObstacle) {
    // From radius 11 the slot (-220, 70, 120) lies inside the grown slanted
    // pillar; below that it is an ordinary slot.
    const int slanted = 43;
    for (int radius : {5, 10, 11, 20}) {
        bool slantedUsed = false;
        for (unsigned int seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << "radius " << radius << " seed " << seed);
            resetTestState();
            sim.ballRadius = radius;
            sim.ballCount = kMaxBalls;
            buildSceneGeometry(sim);
            seedRandom(sim.random, seed);
            placeBalls(sim);
            expectPlacedBalls(kMaxBalls);
            for (int i = 0; i < kMaxBalls; ++i) EXPECT_EQ(deepestObstacleEntry(sim, sim.ballPositions[i]), 0.0);
            slantedUsed = slantedUsed || sim.spawnSlots[slanted].used != 0;
        }
        EXPECT_EQ(slantedUsed, radius <= 10);
    }
}

TEST_F(SceneLayout, PlaceBallsDependsOnTheSeed) {
    sim.ballCount = 10;
    seedRandom(sim.random, 5);
    placeBalls(sim);
    Vector3 first[10];
    for (int i = 0; i < 10; ++i) first[i] = sim.ballPositions[i];

    resetScene(sim);  // re-draws from where the sequence stands
    seedRandom(sim.random, 5);
    resetScene(sim);
    for (int i = 0; i < 10; ++i) expectCoords(sim.ballPositions[i], first[i].X(), first[i].Y(), first[i].Z());

    seedRandom(sim.random, 6);
    resetScene(sim);
    int same = 0;
    for (int i = 0; i < 10; ++i) same += sim.ballPositions[i].Distance(first[i]) == 0.0 ? 1 : 0;
    EXPECT_LT(same, 10);
}

TEST_F(SceneLayout, DrawOfExactlyOneNeverIndexesPastTheTable) {
    // Find a seed whose first draw is the top value, so u = 1.0 and u * 51 = 51.
    unsigned int seed = 0;
    for (;; ++seed) {
        seedRandom(sim.random, seed);
        if (randomInt15(sim.random) == 32767) break;
        ASSERT_LT(seed, 2000000u);
    }
    seedRandom(sim.random, seed);
    ASSERT_EQ(RandomNumber(sim.random, 1), 1.0f);
    seedRandom(sim.random, seed);
    sim.ballCount = 1;
    placeBalls(sim);
    expectPlacedBalls(1);
}

TEST_F(SceneLayout, BallColorsTakeThirdSecondFirstDraw) {
    seedRandom(sim.random, 31337);
    float draws[3 * kMaxBalls];
    for (float& value : draws) value = RandomNumber(sim.random, 1);
    const float next = RandomNumber(sim.random, 1);

    seedRandom(sim.random, 31337);
    drawBallColors(sim);
    for (int i = 0; i < kMaxBalls; ++i) {
        const Vector3& color = sim.ballColors[i];
        EXPECT_EQ(color.status, StatusOrdinary);
        EXPECT_EQ(color.X(), static_cast<double>(draws[3 * i + 2])) << "red of ball " << i;
        EXPECT_EQ(color.Y(), static_cast<double>(draws[3 * i + 1])) << "green of ball " << i;
        EXPECT_EQ(color.Z(), static_cast<double>(draws[3 * i])) << "blue of ball " << i;
        EXPECT_GE(color.X(), 0.0);
        EXPECT_LE(color.Z(), 1.0);
    }
    // Exactly three draws per slot, for all 45 slots whatever the ball count.
    EXPECT_EQ(RandomNumber(sim.random, 1), next);
}

TEST_F(SceneLayout, ResetSceneClearsEffectsAndPlacesTheBallsAgain) {
    buildSceneGeometry(sim);
    sim.ballCount = 7;
    seedRandom(sim.random, 8);
    placeBalls(sim);
    drawBallColors(sim);
    Vector3 colors[kMaxBalls];
    for (int i = 0; i < kMaxBalls; ++i) colors[i] = sim.ballColors[i];

    // Play for a while: effects in use, balls moved, one ball launched, one dead.
    for (Explosion& explosion : sim.explosions) explosion.alpha = 0.5f;
    for (Shot& shot : sim.shots) shot.life = 6;
    for (int i = 0; i < 7; ++i) sim.ballVelocities[i] = Vector3(3, 3, 3);
    sim.ballAlive[3] = 0;
    sim.ballAlive[40] = 1;
    sim.ballPositions[40] = Vector3(1, 2, 3);
    sim.controls.cameraPosition = Vector3(10, 20, 30);
    sim.controls.viewDirection = Vector3(0, 0, 10);
    sim.controls.followBall = 1;
    sim.controls.followedShot = 4;
    sim.controls.autoFire = 1;
    sim.controls.timeStep = 0.6;
    sim.controls.resetRequested = 1;

    resetScene(sim);

    for (const Explosion& explosion : sim.explosions) EXPECT_EQ(explosion.alpha, 0.0f);
    for (const Shot& shot : sim.shots) EXPECT_EQ(shot.life, 0);
    EXPECT_EQ(sim.controls.resetRequested, 0);
    expectPlacedBalls(7);
    for (int i = 0; i < kMaxBalls; ++i) {
        EXPECT_EQ(sim.ballColors[i].X(), colors[i].X());
        EXPECT_EQ(sim.ballColors[i].Z(), colors[i].Z());
    }
    expectCoords(sim.controls.cameraPosition, 10, 20, 30);
    expectCoords(sim.controls.viewDirection, 0, 0, 10);
    EXPECT_EQ(sim.controls.followBall, 1);
    EXPECT_EQ(sim.controls.followedShot, 4);
    EXPECT_EQ(sim.controls.autoFire, 1);
    EXPECT_EQ(sim.controls.timeStep, 0.6);
    EXPECT_EQ(sim.ballCount, 7);
    EXPECT_EQ(sim.ballRadius, 20);
}

TEST_F(SceneLayout, RepeatedResetsNeverShareASlot) {
    sim.ballCount = 45;
    seedRandom(sim.random, 4);
    placeBalls(sim);
    for (int round = 0; round < 50; ++round) {
        resetScene(sim);
        ASSERT_EQ(usedSlotCount(), 45);
    }
    expectPlacedBalls(45);
}

TEST_F(SceneLayout, ClearEffectsFreesEveryRecord) {
    for (Explosion& explosion : sim.explosions) explosion.alpha = 1.0f;
    for (Shot& shot : sim.shots) shot.life = 3;
    clearEffects(sim);
    for (const Explosion& explosion : sim.explosions) EXPECT_EQ(explosion.alpha, 0.0f);
    for (const Shot& shot : sim.shots) EXPECT_EQ(shot.life, 0);
}
