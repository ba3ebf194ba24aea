#include <gtest/gtest.h>

#include "effects/view_state.h"

#include "input/key_codes.h"
#include "input/mouse_actions.h"
#include <climits>
#include "tests/support/fakes.h"
#include "tests/support/test_readings.h"
#include "tests/support/test_simulation.h"

namespace {

// A pick ray that counts its calls and can take time, like the GL one.
int pickCalls = 0;
int pickCost = 0;
int lastPickX = 0;
int lastPickY = 0;

Vector3 countingPickRay(int x, int y) {
    ++pickCalls;
    lastPickX = x;
    lastPickY = y;
    fakes::clockNow() += pickCost;
    return Unit(Vector3(0.0, 3.0, -4.0));
}

class MouseActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        fakes::install(0);
        pickCalls = 0;
        pickCost = 0;
        testReadings().pickRaySource = countingPickRay;
        sim.controls.cameraPosition = Vector3(0.0, -50.0, 1000.0);
    }
    void TearDown() override {
        testReadings().pickRaySource = nullptr;
        fakes::uninstall();
    }

    int liveShots() const {
        int n = 0;
        for (const Shot& shot : sim.shots) n += shot.life != 0 ? 1 : 0;
        return n;
    }
    int liveBalls() const {
        int n = 0;
        for (int alive : sim.ballAlive) n += alive;
        return n;
    }
};

TEST_F(MouseActionsTest, MotionAndLeftButtonTrackThePointer) {
    handleMouseMotion(sim, 12, 34);
    EXPECT_EQ(sim.controls.mouseX, 12);
    EXPECT_EQ(sim.controls.mouseY, 34);
    EXPECT_EQ(sim.controls.leftButtonDown, 0);

    handleMouseButton(sim, kLeftButton, kButtonDown, 100, 200, testReadings());
    EXPECT_EQ(sim.controls.mouseX, 100);
    EXPECT_EQ(sim.controls.mouseY, 200);
    EXPECT_EQ(sim.controls.leftButtonDown, 1);

    handleMouseButton(sim, kLeftButton, kButtonUp, 300, 400, testReadings());
    EXPECT_EQ(sim.controls.leftButtonDown, 0);
    EXPECT_EQ(sim.controls.mouseX, 100);
    EXPECT_EQ(sim.controls.mouseY, 200);
    // The left button itself never fires.
    EXPECT_EQ(liveShots(), 0);
}

TEST_F(MouseActionsTest, FirstShotOnlyAfterMoreThan200Ms) {
    fakes::clockNow() = 200;
    EXPECT_EQ(fireShot(sim, 5, 6, testReadings()), -1);
    EXPECT_EQ(pickCalls, 0);  // the limit comes before the ray
    EXPECT_EQ(liveShots(), 0);

    fakes::clockNow() = 201;
    EXPECT_EQ(fireShot(sim, 5, 6, testReadings()), 0);
    EXPECT_EQ(pickCalls, 1);
    EXPECT_EQ(lastPickX, 5);
    EXPECT_EQ(lastPickY, 6);
    const Shot& shot = sim.shots[0];
    EXPECT_EQ(shot.life, 6);
    EXPECT_EQ(shot.position.z, 1000.0);
    EXPECT_EQ(shot.previousPosition.y, -50.0);
    EXPECT_DOUBLE_EQ(shot.velocity.y, 36.0);
    EXPECT_DOUBLE_EQ(shot.velocity.z, -48.0);
    EXPECT_EQ(sim.lastShotTime, 201);

    fakes::clockNow() = 401;
    EXPECT_EQ(fireShot(sim, 5, 6, testReadings()), -1);
    fakes::clockNow() = 402;
    EXPECT_EQ(fireShot(sim, 5, 6, testReadings()), 1);
}

TEST_F(MouseActionsTest, ShotTimeIsReadAfterTheRay) {
    pickCost = 3;
    fakes::clockNow() = 500;
    EXPECT_EQ(fireShot(sim, 0, 0, testReadings()), 0);
    EXPECT_EQ(sim.lastShotTime, 503);
}

TEST_F(MouseActionsTest, FullShotPoolKeepsLastShotTime) {
    for (int i = 0; i < kShotCount; ++i) sim.shots[i].life = 1;
    sim.lastShotTime = 40;
    fakes::clockNow() = 10000;
    EXPECT_EQ(fireShot(sim, 1, 1, testReadings()), -1);
    EXPECT_EQ(sim.lastShotTime, 40);
}

TEST_F(MouseActionsTest, FirstLaunchOnlyAfterMoreThan1000Ms) {
    for (int i = 0; i < 5; ++i) sim.ballAlive[i] = 1;
    sim.ballAlive[6] = 1;

    fakes::clockNow() = 1000;
    launchBall(sim, 7, 8, testReadings());
    EXPECT_EQ(liveBalls(), 6);
    EXPECT_EQ(pickCalls, 0);

    fakes::clockNow() = 1001;
    launchBall(sim, 7, 8, testReadings());
    EXPECT_EQ(sim.ballAlive[5], 1);
    EXPECT_EQ(liveBalls(), 7);
    EXPECT_EQ(sim.ballPositions[5].z, 1000.0);
    EXPECT_EQ(sim.ballPreviousPositions[5].y, -50.0);
    EXPECT_DOUBLE_EQ(sim.ballVelocities[5].y, 7.2);
    EXPECT_DOUBLE_EQ(sim.ballVelocities[5].z, -9.6);
    EXPECT_EQ(sim.lastShotTime, 1001);
    EXPECT_EQ(lastPickX, 7);

    fakes::clockNow() = 2001;
    launchBall(sim, 7, 8, testReadings());
    EXPECT_EQ(liveBalls(), 7);
    fakes::clockNow() = 2002;
    launchBall(sim, 7, 8, testReadings());
    EXPECT_EQ(sim.ballAlive[7], 1);
}

TEST_F(MouseActionsTest, LaunchLimitHoldsAcrossTheClockWrap) {
    sim.lastShotTime = INT_MAX - 500;
    fakes::clockNow() = INT_MIN + 499;  // 1000 ms later
    launchBall(sim, 7, 8, testReadings());
    EXPECT_EQ(liveBalls(), 0);
    fakes::clockNow() = INT_MIN + 500;
    launchBall(sim, 7, 8, testReadings());
    EXPECT_EQ(liveBalls(), 1);
    EXPECT_EQ(sim.lastShotTime, INT_MIN + 500);
}

TEST_F(MouseActionsTest, LaunchAndShotShareOneClock) {
    fakes::clockNow() = 1001;
    launchBall(sim, 0, 0, testReadings());
    fakes::clockNow() = 1201;
    EXPECT_EQ(fireShot(sim, 0, 0, testReadings()), -1);
    fakes::clockNow() = 1202;
    EXPECT_EQ(fireShot(sim, 0, 0, testReadings()), 0);

    // The shot at 1202 holds the next launch back for a second.
    fakes::clockNow() = 2202;
    launchBall(sim, 0, 0, testReadings());
    EXPECT_EQ(liveBalls(), 1);
    fakes::clockNow() = 2203;
    launchBall(sim, 0, 0, testReadings());
    EXPECT_EQ(liveBalls(), 2);
}

TEST_F(MouseActionsTest, FullBallSlotsLaunchNothing) {
    for (int& alive : sim.ballAlive) alive = 1;
    sim.ballVelocities[0] = Vector3(1.0, 1.0, 1.0);
    sim.lastShotTime = 3;
    fakes::clockNow() = 5000;
    launchBall(sim, 0, 0, testReadings());
    EXPECT_EQ(sim.lastShotTime, 3);
    EXPECT_EQ(sim.ballVelocities[0].x, 1.0);
}

TEST_F(MouseActionsTest, RightClickFiresAndFollowsInSlowMotion) {
    sim.controls.timeStep = 0.6;
    sim.controls.activeTimeStep = 0.6;
    fakes::clockNow() = 300;
    handleMouseButton(sim, kRightButton, kButtonDown, 320, 240, testReadings());

    EXPECT_EQ(sim.controls.mouseX, 320);
    EXPECT_EQ(sim.controls.mouseY, 240);
    EXPECT_EQ(sim.controls.followedShot, 0);
    EXPECT_EQ(sim.shots[0].life, 6);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.6 / 6.0);
    EXPECT_EQ(sim.controls.timeStep, 0.6);
    // Before any step: the primed trail, one step back along the shot's velocity.
    const CameraView camera = lookAt(sim, StepView(), nullptr, viewer.selectedBall).camera;
    EXPECT_NEAR(camera.eye.y, 0.9 * (-50.0 - 36.0), 1e-9);
    EXPECT_NEAR(camera.eye.z, 0.9 * (1000.0 + 48.0), 1e-9);
    EXPECT_EQ(camera.center.Distance(sim.shots[0].position), 0.0);
    EXPECT_EQ(lastPickX, 320);
}

TEST_F(MouseActionsTest, RightClickTooSoonNeitherFiresNorFollows) {
    sim.lastShotTime = 1000;
    fakes::clockNow() = 1150;
    handleMouseButton(sim, kRightButton, kButtonDown, 50, 60, testReadings());
    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(liveShots(), 0);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.3);
    EXPECT_EQ(sim.controls.mouseX, 50);
}

TEST_F(MouseActionsTest, RightClickWithFullPoolDoesNotFollow) {
    for (Shot& shot : sim.shots) shot.life = 2;
    fakes::clockNow() = 5000;
    handleMouseButton(sim, kRightButton, kButtonDown, 50, 60, testReadings());
    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.3);
}

TEST_F(MouseActionsTest, RightClickWhileFollowingDoesNothingAtAll) {
    fakes::clockNow() = 5000;
    handleMouseMotion(sim, 1, 2);
    sim.controls.followBall = 1;
    handleMouseButton(sim, kRightButton, kButtonDown, 50, 60, testReadings());
    EXPECT_EQ(sim.controls.mouseX, 1);
    EXPECT_EQ(sim.controls.mouseY, 2);
    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(liveShots(), 0);

    sim.controls.followBall = 0;
    sim.controls.followedShot = 3;
    handleMouseButton(sim, kRightButton, kButtonDown, 50, 60, testReadings());
    EXPECT_EQ(sim.controls.mouseX, 1);
    EXPECT_EQ(sim.controls.followedShot, 3);
    EXPECT_EQ(liveShots(), 0);
    EXPECT_EQ(pickCalls, 0);
}

TEST_F(MouseActionsTest, OtherButtonEventsDoNothing) {
    fakes::clockNow() = 5000;
    handleMouseButton(sim, kRightButton, kButtonUp, 50, 60, testReadings());
    handleMouseButton(sim, kMiddleButton, kButtonDown, 50, 60, testReadings());
    handleMouseButton(sim, kMiddleButton, kButtonUp, 50, 60, testReadings());
    EXPECT_EQ(liveShots(), 0);
    EXPECT_EQ(sim.controls.mouseX, 0);
    EXPECT_EQ(sim.controls.leftButtonDown, 0);
    EXPECT_EQ(sim.controls.followedShot, -1);
}

TEST_F(MouseActionsTest, WithoutAnInstalledRayPointsLookAlongTheView) {
    testReadings().pickRaySource = nullptr;
    sim.controls.viewDirection = Vector3(0.0, 0.0, -10.0);
    const Vector3 d = pickRayDirection(sim, 10, 10, testReadings());
    EXPECT_EQ(d.status, StatusUnit);
    EXPECT_EQ(d.z, -1.0);
    fakes::clockNow() = 300;
    EXPECT_EQ(fireShot(sim, 10, 10, testReadings()), 0);
    EXPECT_EQ(sim.shots[0].velocity.z, -60.0);
}

}  // namespace
