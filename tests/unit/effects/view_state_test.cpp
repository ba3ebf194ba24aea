#include "effects/view_state.h"

#include <gtest/gtest.h>

#include "tests/support/test_simulation.h"

namespace {

class ViewStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        view = StepView();
    }
    StepView view;

    void advance(int endedFollow = -1) { advanceStepView(view, sim, endedFollow, viewer.selectedBall); }
};

void expectNear(const Vector3& actual, double x, double y, double z) {
    EXPECT_NEAR(actual.x, x, 1e-9);
    EXPECT_NEAR(actual.y, y, 1e-9);
    EXPECT_NEAR(actual.z, z, 1e-9);
}

TEST_F(ViewStateTest, TrailShiftsNewestFirstAndTheEyeIgnoresTheTenthEntry) {
    sim.controls.followBall = 1;
    sim.ballAlive[0] = 1;
    sim.ballPositions[0] = Vector3(90.0, -5.0, 2.0);
    sim.ballPreviousPositions[0] = sim.ballPositions[0];  // at rest: the target is the ball itself
    view.trailOf = 0;
    for (int i = 0; i < kChaseTrailLength; ++i) view.chaseTrail[i] = Vector3(10.0 * i, -5.0, 2.0);
    // Entry 8 moves to entry 9 and must no longer count.
    view.chaseTrail[8] = Vector3(1e6, 1e6, 1e6);

    advance();

    EXPECT_EQ(view.chaseTrail[0].x, 90.0);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(view.chaseTrail[i].x, 10.0 * (i - 1)) << "entry " << i;
    EXPECT_EQ(view.chaseTrail[9].x, 1e6);
    // Entries 0..8 now hold x = 90, 0, 10, ..., 70: sum 370.
    expectNear(lookAt(sim, view, nullptr, viewer.selectedBall).camera.eye, 37.0, -4.5, 1.8);
}

TEST_F(ViewStateTest, ChaseTargetLiesBehindTheLastMoveOrOnAnObjectThatNeverMoved) {
    expectNear(chaseTarget(Vector3(10.0, 0.0, 0.0), Vector3(10.0, 0.0, 3.0), 220.0), 10.0, 0.0, 220.0);
    expectNear(chaseTarget(Vector3(0.0, 50.0, 0.0), Vector3(0.0, 60.0, 0.0), 120.0), 0.0, 170.0, 0.0);
    const Vector3 centre(30.0, -40.0, 50.0);
    for (const Vector3& previous : {centre, Vector3()}) {
        const Vector3 target = chaseTarget(centre, previous, 220.0);
        expectNear(target, 30.0, -40.0, 50.0);
        EXPECT_TRUE(target.IsValid());
    }
}

TEST_F(ViewStateTest, FreeCameraLooksAlongTheViewDirection) {
    const CameraView camera = lookAt(sim, view, nullptr, viewer.selectedBall).camera;
    expectNear(camera.eye, 0.0, -50.0, 1000.0);
    expectNear(camera.center, 0.0, -50.0, 990.0);
}

TEST_F(ViewStateTest, BallChaseFollowsBallZeroEvenWhenDeadAndWinsOverShotFollow) {
    sim.ballPositions[0] = Vector3(100.0, -200.0, 50.0);
    sim.ballPreviousPositions[0] = sim.ballPositions[0];
    sim.ballAlive[0] = 0;
    sim.controls.followBall = 1;
    sim.controls.followedShot = 3;
    sim.shots[3].life = 0;
    view.trailOf = 0;
    for (int i = 0; i < 9; ++i) view.chaseTrail[i] = sim.ballPositions[0];

    advance();
    const CameraView camera = lookAt(sim, view, nullptr, viewer.selectedBall).camera;

    expectNear(camera.center, 100.0, -200.0, 50.0);
    expectNear(camera.eye, 90.0, -180.0, 45.0);
}

// The step that spends the followed shot's last rebound ends the following
// (the simulation's part); that step's view still looks at the shot, the
// next step's is the free camera's.
TEST_F(ViewStateTest, EndedShotFollowIsSeenForItsStepThenTheFreeCameraReturns) {
    Shot& shot = sim.shots[7];
    shot.position = Vector3(-100.0, 20.0, 0.0);
    shot.previousPosition = Vector3(-110.0, 20.0, 0.0);
    shot.life = 0;
    sim.controls.followedShot = -1;

    advance(7);
    const CameraView last = lookAt(sim, view, nullptr, viewer.selectedBall).camera;
    expectNear(last.center, -100.0, 20.0, 0.0);
    expectNear(view.chaseTrail[0], -220.0, 20.0, 0.0);

    advance();
    expectNear(lookAt(sim, view, nullptr, viewer.selectedBall).camera.eye, 0.0, -50.0, 1000.0);
}

// Start values 0.2 and 0.005 at the default time step 0.3: one step's
// three pulse steps. Rounding to float after each leaves the third scale
// one float step below 0.2045f, which a double accumulator would not.
TEST_F(ViewStateTest, FirstStepGlowScalesAreStoredAsFloats) {
    advance();
    const FrameLook look = lookAt(sim, view, nullptr, viewer.selectedBall);
    EXPECT_EQ(look.glowAlpha, 0.8f);
    EXPECT_EQ(look.glowScales[0], 0.2015f);
    EXPECT_EQ(look.glowScales[1], 0.2030f);
    EXPECT_EQ(look.glowScales[2], 0.20449999f);
    EXPECT_EQ(view.glowPulseStep, 0.005f);
}

TEST_F(ViewStateTest, GlowPulseTurnsAtBothEndsComparedWithDoubleLimits) {
    struct Case {
        float pulse, step;
        float turnedStep;  // after the first of the three pulse steps
    };
    const Case cases[] = {
        {0.797f, 0.005f, -0.005f},    // 0.802 reaches the top
        {0.204f, -0.005f, 0.005f},    // 0.199 reaches the bottom
        {0.205f, -0.005f, -0.005f},   // exactly 0.2f lies above the double 0.2: no turn
    };
    sim.controls.activeTimeStep = 1.0;
    for (const Case& c : cases) {
        view.glowPulse = c.pulse;
        view.glowPulseStep = c.step;
        advance();
        const float first = view.glowScales[0];
        const float second = view.glowScales[1];
        EXPECT_EQ(second - first > 0.0f, c.turnedStep > 0.0f) << c.pulse;
    }
    view.glowPulse = 0.5f;
    view.glowPulseStep = 0.005f;
    sim.controls.activeTimeStep = 0.0;
    for (int i = 0; i < 30; ++i) advance();
    EXPECT_EQ(view.glowPulse, 0.5f) << "no simulated time, no pulse";
}

}  // namespace
