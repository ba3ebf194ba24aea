#include <gtest/gtest.h>

#include "effects/view_state.h"

#include <tuple>

#include "input/key_codes.h"
#include "input/keyboard.h"
#include "tests/support/fakes.h"
#include "tests/support/test_simulation.h"

namespace {

constexpr int kNoModifier = 0;

void press(int key, int modifiers = kNoModifier) { handleSpecialKey(sim, key, modifiers); }

// Every field a key can change.
auto keyState() {
    return std::make_tuple(sim.controls.timeStep, sim.controls.activeTimeStep, sim.controls.followBall,
                           sim.controls.followedShot, sim.controls.autoFire, sim.controls.launchMode,
                           sim.controls.soundOn, sim.controls.resetRequested, sim.controls.upKeyDown,
                           sim.controls.downKeyDown, sim.controls.leftKeyDown, sim.controls.rightKeyDown);
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        fakes::install(0);
    }
    void TearDown() override { fakes::uninstall(); }
};

TEST_F(KeyboardTest, F1RaisesTheStepUpToTheFloatCap) {
    const double expected[] = {0.4, 0.5, 0.6, 0.7, 0.7999999999999999, 0.800000011920929};
    for (double value : expected) {
        press(kKeyF1);
        EXPECT_EQ(sim.controls.timeStep, value);
        EXPECT_EQ(sim.controls.activeTimeStep, value);
    }
    EXPECT_EQ(sim.controls.timeStep, static_cast<double>(0.8f));
    press(kKeyF1);
    EXPECT_EQ(sim.controls.timeStep, static_cast<double>(0.8f));
}

TEST_F(KeyboardTest, F2FromTheCapStopsJustAboveZeroThenAtZero) {
    sim.controls.timeStep = static_cast<double>(0.8f);
    // 0.700000011920929, 0.600000011920929, ... down to 0.000000011920929:
    // eight values, each one double subtraction of 0.1 from the last.
    double expected = static_cast<double>(0.8f);
    for (int i = 0; i < 8; ++i) {
        expected -= 0.1;
        press(kKeyF2);
        EXPECT_EQ(sim.controls.timeStep, expected) << i;
        EXPECT_EQ(sim.controls.activeTimeStep, expected) << i;
        if (i == 0) {
            EXPECT_NEAR(sim.controls.timeStep, 0.700000011920929, 1e-15);
        }
    }
    EXPECT_GT(sim.controls.timeStep, 0.0);
    EXPECT_NEAR(sim.controls.timeStep, 0.000000011920929, 1e-15);
    EXPECT_EQ(sim.controls.activeTimeStep, sim.controls.timeStep);
    press(kKeyF2);
    EXPECT_EQ(sim.controls.timeStep, 0.0);
    press(kKeyF2);
    EXPECT_EQ(sim.controls.timeStep, 0.0);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.0);
}

TEST_F(KeyboardTest, F2FromTheDefault) {
    press(kKeyF2);
    EXPECT_EQ(sim.controls.timeStep, 0.19999999999999998);
    press(kKeyF2);
    EXPECT_EQ(sim.controls.timeStep, 0.09999999999999998);
    press(kKeyF2);
    EXPECT_EQ(sim.controls.timeStep, 0.0);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.0);
}

TEST_F(KeyboardTest, OnlyControlAloneIsIgnored) {
    press(kKeyF1, kModifierCtrl);
    press(kKeyUp, kModifierCtrl);
    press(kKeyF5, kModifierCtrl);
    EXPECT_EQ(sim.controls.timeStep, 0.3);
    EXPECT_EQ(sim.controls.upKeyDown, 0);
    EXPECT_EQ(sim.controls.autoFire, 0);

    press(kKeyF1, kModifierCtrl | kModifierShift);
    EXPECT_EQ(sim.controls.timeStep, 0.4);
    press(kKeyF1, kModifierCtrl | kModifierAlt);
    EXPECT_EQ(sim.controls.timeStep, 0.5);
    press(kKeyF2, kModifierShift);
    EXPECT_EQ(sim.controls.timeStep, 0.4);
}

TEST_F(KeyboardTest, ArrowsFollowPressAndRelease) {
    const int arrows[] = {kKeyLeft, kKeyUp, kKeyRight, kKeyDown};
    int* flags[] = {&sim.controls.leftKeyDown, &sim.controls.upKeyDown, &sim.controls.rightKeyDown,
                    &sim.controls.downKeyDown};
    for (int i = 0; i < 4; ++i) {
        press(arrows[i]);
        for (int j = 0; j < 4; ++j) EXPECT_EQ(*flags[j], j <= i ? 1 : 0) << i << " " << j;
    }
    // Released with Control held: the release has no modifier test.
    handleSpecialKeyUp(sim, kKeyUp);
    EXPECT_EQ(sim.controls.upKeyDown, 0);
    EXPECT_EQ(sim.controls.leftKeyDown, 1);
    handleSpecialKeyUp(sim, kKeyLeft);
    handleSpecialKeyUp(sim, kKeyRight);
    handleSpecialKeyUp(sim, kKeyDown);
    for (int* flag : flags) EXPECT_EQ(*flag, 0);
}

TEST_F(KeyboardTest, ModeKeysToggleAndResetIsARequest) {
    press(kKeyF5);
    press(kKeyF6);
    press(kKeyF7);
    EXPECT_EQ(sim.controls.autoFire, 1);
    EXPECT_EQ(sim.controls.launchMode, 1);
    EXPECT_EQ(sim.controls.soundOn, 0);
    press(kKeyF5);
    press(kKeyF6);
    press(kKeyF7);
    EXPECT_EQ(sim.controls.autoFire, 0);
    EXPECT_EQ(sim.controls.launchMode, 0);
    EXPECT_EQ(sim.controls.soundOn, 1);

    press(kKeyF8);
    EXPECT_EQ(sim.controls.resetRequested, 1);
    press(kKeyF8);
    EXPECT_EQ(sim.controls.resetRequested, 1);
}

TEST_F(KeyboardTest, OtherKeysChangeNothing) {
    const auto before = keyState();
    const int others[] = {9, 10, 11, 12, 104, 105, 106, 107, 108, 0, -1};
    for (int key : others) {
        press(key);
        handleSpecialKeyUp(sim, key);
    }
    EXPECT_EQ(keyState(), before);
}

class FollowKeysTest : public KeyboardTest {
protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        sim.ballPositions[0] = Vector3(100.0, 50.0, -20.0);
        sim.ballVelocities[0] = Vector3(1.0, -2.0, 3.0);
    }

    // Before any step moved the trail: nine tenths of the point one step
    // back along the ball's velocity, looking at the ball.
    void expectTrailAtBallZero() {
        const CameraView camera = lookAt(sim, StepView(), nullptr, viewer.selectedBall).camera;
        EXPECT_NEAR(camera.eye.x, 0.9 * 99.0, 1e-9);
        EXPECT_NEAR(camera.eye.y, 0.9 * 52.0, 1e-9);
        EXPECT_NEAR(camera.eye.z, 0.9 * -23.0, 1e-9);
        EXPECT_EQ(camera.center.Distance(sim.ballPositions[0]), 0.0);
    }
};

TEST_F(FollowKeysTest, F3FollowsBallZeroFromBehindIt) {
    press(kKeyF3);
    EXPECT_EQ(sim.controls.followBall, 1);
    expectTrailAtBallZero();
}

TEST_F(FollowKeysTest, SecondF3DoesNothing) {
    press(kKeyF3);
    press(kKeyF3);
    EXPECT_EQ(sim.controls.followBall, 1);
}

TEST_F(FollowKeysTest, F3WhileFollowingAShotWaitsForF4) {
    sim.controls.followedShot = 4;
    sim.controls.activeTimeStep = sim.controls.timeStep / 6.0;
    press(kKeyF3);
    EXPECT_EQ(sim.controls.followBall, 0);
    EXPECT_EQ(sim.controls.followedShot, 4);

    press(kKeyF4);
    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(sim.controls.followBall, 0);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.3);

    press(kKeyF3);
    EXPECT_EQ(sim.controls.followBall, 1);
    expectTrailAtBallZero();

    press(kKeyF4);
    EXPECT_EQ(sim.controls.followBall, 0);
}

TEST_F(FollowKeysTest, F4WithNothingFollowedStillCopiesTheStep) {
    sim.controls.timeStep = 0.5;
    sim.controls.activeTimeStep = 0.01;
    press(kKeyF4);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.5);
    EXPECT_EQ(sim.controls.followedShot, -1);
}

TEST_F(FollowKeysTest, ChangingTheStepEndsSlowMotionButKeepsFollowing) {
    sim.controls.followedShot = 2;
    sim.controls.activeTimeStep = sim.controls.timeStep / 6.0;
    press(kKeyF1);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.4);
    EXPECT_EQ(sim.controls.followedShot, 2);
    sim.controls.activeTimeStep = sim.controls.timeStep / 6.0;
    press(kKeyF2);
    EXPECT_EQ(sim.controls.activeTimeStep, sim.controls.timeStep);
    EXPECT_EQ(sim.controls.followedShot, 2);
}

}  // namespace

namespace {

TEST(HeldInput, ReleaseLetsGoOfArrowsAndTheLeftButtonOnly) {
    resetTestState();
    for (int key : {kKeyLeft, kKeyUp, kKeyRight, kKeyDown, kKeyF5, kKeyF6}) handleSpecialKey(sim, key, 0);
    sim.controls.leftButtonDown = 1;
    sim.controls.mouseX = 12;
    sim.controls.mouseY = 34;

    releaseHeldInput(sim);

    EXPECT_EQ(std::make_tuple(sim.controls.leftKeyDown, sim.controls.upKeyDown, sim.controls.rightKeyDown,
                              sim.controls.downKeyDown, sim.controls.leftButtonDown),
              std::make_tuple(0, 0, 0, 0, 0));
    // Modes and the last pointer position stay.
    EXPECT_EQ(std::make_tuple(sim.controls.autoFire, sim.controls.launchMode, sim.controls.mouseX, sim.controls.mouseY),
              std::make_tuple(1, 1, 12, 34));
}

}  // namespace
