// The headless scene must start like the program and step like its idle
// callback plus frame, or the soak runs and benchmarks measure another scene.

#include <gtest/gtest.h>

#include "app/headless_scene.h"
#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "effects/explosion_pool.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "scene/scene_layout.h"

namespace {

class HeadlessSceneTest : public ::testing::Test {
protected:
    void TearDown() override { stopHeadlessScene(); }
};

HeadlessSettings settingsFor(int balls, int radius, unsigned seed) {
    HeadlessSettings settings;
    settings.ballCount = balls;
    settings.ballRadius = radius;
    settings.seed = seed;
    return settings;
}

TEST_F(HeadlessSceneTest, StartsWithTheProgramsLayoutForTheSameSeed) {
    // The program's own order: layout, seed, placement, then colours.
    sim = Simulation();
    live = LiveView();
    sim.ballCount = 12;
    sim.ballRadius = 9;
    buildSceneGeometry(sim);
    seedRandom(sim.random, 77);
    placeBalls(sim);
    drawBallColors(sim);
    const Simulation expected = sim;

    startHeadlessScene(settingsFor(12, 9, 77));

    EXPECT_EQ(sim.collisionPlanes[0].point.y, expected.collisionPlanes[0].point.y);
    EXPECT_EQ(sim.collisionCylinders[2].radius, expected.collisionCylinders[2].radius);
    for (int k = 0; k < kMaxBalls; ++k) {
        EXPECT_EQ(sim.ballAlive[k], expected.ballAlive[k]) << k;
        if (expected.ballAlive[k] != 0) {
            EXPECT_EQ(sim.ballPositions[k].x, expected.ballPositions[k].x) << k;
            EXPECT_EQ(sim.ballPositions[k].y, expected.ballPositions[k].y) << k;
            EXPECT_EQ(sim.ballPositions[k].z, expected.ballPositions[k].z) << k;
        }
        EXPECT_EQ(sim.ballColors[k].x, expected.ballColors[k].x) << k;
        EXPECT_EQ(sim.ballColors[k].z, expected.ballColors[k].z) << k;
    }
    EXPECT_EQ(headlessClock(), 0);
    EXPECT_EQ(elapsedMilliseconds(), 0);
}

TEST_F(HeadlessSceneTest, ClampsOptionsAndAppliesSpeedAndFire) {
    HeadlessSettings settings = settingsFor(100, 3, 5);
    settings.timeStep = 0.8;
    settings.autoFire = 1;
    startHeadlessScene(settings);

    EXPECT_EQ(sim.ballCount, 45);
    EXPECT_EQ(liveBallCount(sim), 45);
    EXPECT_EQ(sim.ballRadius, 5);
    EXPECT_EQ(sim.collisionPlanes[0].point.y, -315.0);
    EXPECT_EQ(sim.controls.timeStep, 0.8);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.8);
    EXPECT_EQ(sim.controls.autoFire, 1);

    startHeadlessScene(settingsFor(0, 50, 5));
    EXPECT_EQ(liveBallCount(sim), 1);
    EXPECT_EQ(sim.ballRadius, 20);
    EXPECT_EQ(sim.controls.autoFire, 0);
    EXPECT_EQ(liveShotCount(sim), 0);
}

TEST_F(HeadlessSceneTest, StepsMoveTheClockAndFreeFinishedFlashes) {
    startHeadlessScene(settingsFor(5, 20, 3));
    spawnExplosion(sim, Vector3(0, 0, 0), 0, liveReadings());  // a 500 ms spark
    ASSERT_GT(sim.explosions[0].alpha, 0.0f);

    runHeadlessSteps(9);
    EXPECT_EQ(headlessClock(), 450);
    EXPECT_GT(sim.explosions[0].alpha, 0.0f);
    runHeadlessStep();
    EXPECT_EQ(headlessClock(), 500);
    EXPECT_LE(sim.explosions[0].alpha, 0.0f);

    runHeadlessStep(250);
    EXPECT_EQ(headlessClock(), 750);
    // The pacing sleep of the program moves the same clock.
    sleepMilliseconds(49);
    EXPECT_EQ(elapsedMilliseconds(), 799);
}

TEST_F(HeadlessSceneTest, AutomaticFireFillsThePoolOneShotPerInterval) {
    HeadlessSettings settings = settingsFor(45, 20, 11);
    settings.autoFire = 1;
    startHeadlessScene(settings);

    // At 50 ms a step the 200 ms interval lets every fifth step fire.
    runHeadlessSteps(20);
    EXPECT_EQ(liveShotCount(sim), 4);
    // Past the interval at every step, the pool fills.
    for (int n = 0; n < 200 && liveShotCount(sim) < kShotCount; ++n) runHeadlessStep(250);
    EXPECT_EQ(liveShotCount(sim), kShotCount);
}

TEST_F(HeadlessSceneTest, FinishedShotFollowEndsAfterTheStep) {
    startHeadlessScene(settingsFor(5, 20, 3));
    sim.controls.followedShot = 4;  // a free record: its shot has died
    sim.controls.activeTimeStep = sim.controls.timeStep / 6;

    runHeadlessStep();

    EXPECT_EQ(sim.controls.followedShot, -1);
    EXPECT_EQ(sim.controls.activeTimeStep, sim.controls.timeStep);
}

TEST_F(HeadlessSceneTest, SameSeedReplaysTheRunAndAnotherSeedDoesNot) {
    HeadlessSettings settings = settingsFor(45, 20, 21);
    settings.timeStep = 0.8;
    settings.autoFire = 1;
    startHeadlessScene(settings);
    runHeadlessSteps(300);
    const Simulation first = sim;

    startHeadlessScene(settings);
    runHeadlessSteps(300);
    int same = 0;
    for (int k = 0; k < kMaxBalls; ++k) {
        same += sim.ballAlive[k] == first.ballAlive[k] && sim.ballPositions[k].x == first.ballPositions[k].x &&
                sim.ballPositions[k].y == first.ballPositions[k].y;
    }
    EXPECT_EQ(same, kMaxBalls);

    settings.seed = 22;
    startHeadlessScene(settings);
    runHeadlessSteps(300);
    int moved = 0;
    for (int k = 0; k < kMaxBalls; ++k) moved += sim.ballPositions[k].x != first.ballPositions[k].x;
    EXPECT_GT(moved, 0);
}

}  // namespace
