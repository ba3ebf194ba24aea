#include "effects/view_state.h"

#include <gtest/gtest.h>

#include "tests/support/test_simulation.h"

namespace {

class ViewStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetTestState(); }
};

void expectNear(const Vector3& actual, double x, double y, double z) {
    EXPECT_NEAR(actual.x, x, 1e-9);
    EXPECT_NEAR(actual.y, y, 1e-9);
    EXPECT_NEAR(actual.z, z, 1e-9);
}

TEST_F(ViewStateTest, TrailShiftsNewestFirstAndDropsTheOldest) {
    for (int i = 0; i < kChaseTrailLength; ++i) sim.view.chaseTrail[i] = Vector3(i, 0.0, 0.0);

    advanceChaseTrail(sim, scene, Vector3(100.0, 0.0, 0.0));

    EXPECT_EQ(sim.view.chaseTrail[0].x, 100.0);
    for (int i = 1; i < kChaseTrailLength; ++i) EXPECT_EQ(sim.view.chaseTrail[i].x, i - 1) << "entry " << i;
}

TEST_F(ViewStateTest, EyeIsATenthOfTheNineNewestEntriesAndIgnoresTheTenth) {
    for (int i = 0; i < kChaseTrailLength; ++i) sim.view.chaseTrail[i] = Vector3(10.0 * i, -5.0, 2.0);
    // Entry 8 moves to entry 9 and must no longer count.
    sim.view.chaseTrail[8] = Vector3(1e6, 1e6, 1e6);

    Vector3 eye = advanceChaseTrail(sim, scene, Vector3(90.0, -5.0, 2.0));

    // Entries 0..8 now hold x = 90, 0, 10, ..., 70: sum 370.
    expectNear(eye, 37.0, -4.5, 1.8);
    EXPECT_EQ(sim.view.chaseTrail[9].x, 1e6);
}

TEST_F(ViewStateTest, SteadyTargetSettlesTheEyeAtNineTenths) {
    Vector3 target(100.0, -200.0, 50.0);
    Vector3 eye;
    for (int frame = 0; frame < 9; ++frame) eye = advanceChaseTrail(sim, scene, target);
    expectNear(eye, 90.0, -180.0, 45.0);
}

TEST_F(ViewStateTest, ChaseTargetLiesBehindTheLastMove) {
    expectNear(chaseTarget(Vector3(10.0, 0.0, 0.0), Vector3(10.0, 0.0, 3.0), 220.0), 10.0, 0.0, 220.0);
    expectNear(chaseTarget(Vector3(0.0, 50.0, 0.0), Vector3(0.0, 60.0, 0.0), 120.0), 0.0, 170.0, 0.0);
}

TEST_F(ViewStateTest, ChaseTargetOfAnObjectAtRestOrNeverMovedIsItsCentre) {
    Vector3 centre(30.0, -40.0, 50.0);
    Vector3 atRest = chaseTarget(centre, centre, 220.0);
    expectNear(atRest, 30.0, -40.0, 50.0);
    EXPECT_TRUE(atRest.IsValid());

    Vector3 neverMoved = chaseTarget(centre, Vector3(), 220.0);
    expectNear(neverMoved, 30.0, -40.0, 50.0);
    EXPECT_TRUE(neverMoved.IsValid());
}

TEST_F(ViewStateTest, FreeCameraLooksAlongTheViewDirection) {
    CameraView view = advanceCamera(sim, scene, viewer.selectedBall);
    expectNear(view.eye, 0.0, -50.0, 1000.0);
    expectNear(view.center, 0.0, -50.0, 990.0);
}

TEST_F(ViewStateTest, BallChaseFollowsBallZeroEvenWhenDeadAndWinsOverShotFollow) {
    sim.ballPositions[0] = Vector3(100.0, -200.0, 50.0);
    sim.ballPreviousPositions[0] = sim.ballPositions[0];
    sim.ballAlive[0] = 0;
    sim.controls.followBall = 1;
    sim.controls.followedShot = 3;
    sim.shots[3].life = 0;
    sim.controls.activeTimeStep = 0.05;
    for (int i = 0; i < 9; ++i) sim.view.chaseTrail[i] = sim.ballPositions[0];

    CameraView view = advanceCamera(sim, scene, viewer.selectedBall);

    expectNear(view.center, 100.0, -200.0, 50.0);
    expectNear(view.eye, 90.0, -180.0, 45.0);
    // The shot-follow end is not looked at while the ball chase runs.
    EXPECT_EQ(sim.controls.followedShot, 3);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.05);
}

TEST_F(ViewStateTest, ShotFollowLooksAtTheShotWhileItLives) {
    Shot& shot = sim.shots[2];
    shot.position = Vector3(0.0, 0.0, 500.0);
    shot.previousPosition = Vector3(0.0, 0.0, 560.0);
    shot.life = 4;
    sim.controls.followedShot = 2;
    sim.controls.activeTimeStep = sim.controls.timeStep / 6;

    CameraView view = advanceCamera(sim, scene, viewer.selectedBall);

    expectNear(view.center, 0.0, 0.0, 500.0);
    expectNear(sim.view.chaseTrail[0], 0.0, 0.0, 620.0);
    EXPECT_EQ(sim.controls.followedShot, 2);
    EXPECT_EQ(sim.controls.activeTimeStep, sim.controls.timeStep / 6);
}

TEST_F(ViewStateTest, DeadFollowedShotIsSeenOnceThenTheFreeCameraReturns) {
    sim.controls.timeStep = 0.5;
    sim.controls.activeTimeStep = 0.5 / 6;
    Shot& shot = sim.shots[7];
    shot.position = Vector3(-100.0, 20.0, 0.0);
    shot.previousPosition = Vector3(-110.0, 20.0, 0.0);
    shot.life = 0;
    sim.controls.followedShot = 7;

    CameraView last = advanceCamera(sim, scene, viewer.selectedBall);
    expectNear(last.center, -100.0, 20.0, 0.0);
    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.5);

    CameraView next = advanceCamera(sim, scene, viewer.selectedBall);
    expectNear(next.eye, 0.0, -50.0, 1000.0);
}

TEST_F(ViewStateTest, FirstFrameGlowScalesAreStoredAsFloats) {
    // Start values 0.2 and 0.005 at the default time step 0.3. Rounding to
    // float after every step leaves the third scale one float step below
    // 0.2045f, which a double accumulator would not.
    EXPECT_EQ(advanceGlowPulse(sim, scene), 0.2015f);
    EXPECT_EQ(advanceGlowPulse(sim, scene), 0.2030f);
    EXPECT_EQ(advanceGlowPulse(sim, scene), 0.20449999f);
    EXPECT_NE(sim.view.glowPulse, 0.2045f);
    EXPECT_EQ(sim.view.glowPulseStep, 0.005f);
}

TEST_F(ViewStateTest, GlowPulseStandsStillWithoutSimulatedTime) {
    sim.controls.activeTimeStep = 0.0;
    sim.view.glowPulse = 0.5f;
    for (int i = 0; i < 30; ++i) advanceGlowPulse(sim, scene);
    EXPECT_EQ(sim.view.glowPulse, 0.5f);
    EXPECT_EQ(sim.view.glowPulseStep, 0.005f);
}

TEST_F(ViewStateTest, GlowPulseTurnsAtBothEnds) {
    sim.controls.activeTimeStep = 1.0;
    sim.view.glowPulse = 0.797f;
    advanceGlowPulse(sim, scene);  // 0.802 reaches the top
    EXPECT_EQ(sim.view.glowPulseStep, -0.005f);
    advanceGlowPulse(sim, scene);
    EXPECT_LT(sim.view.glowPulse, 0.8f);

    sim.view.glowPulse = 0.204f;
    advanceGlowPulse(sim, scene);  // 0.199 reaches the bottom
    EXPECT_EQ(sim.view.glowPulseStep, 0.005f);
    advanceGlowPulse(sim, scene);
    EXPECT_GT(sim.view.glowPulse, 0.2f);
}

TEST_F(ViewStateTest, GlowPulseComparesWithDoubleLimits) {
    // 0.2f lies just above the double 0.2, so reaching it exactly does not
    // turn the pulse; only a value at or below 0.2 does.
    sim.controls.activeTimeStep = 1.0;
    sim.view.glowPulseStep = -0.005f;
    sim.view.glowPulse = 0.205f;
    float reached = advanceGlowPulse(sim, scene);
    ASSERT_EQ(reached, 0.2f);
    EXPECT_EQ(sim.view.glowPulseStep, -0.005f);
}

}  // namespace
