// A short soak inside the suite: a full room under automatic fire at the
// highest speed. The long run is the vl_soak tool.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "physics/simulation_step.h"

namespace {

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool outsideRoom(const Vector3& v) { return std::fabs(v.x) > 320 || std::fabs(v.y) > 320 || std::fabs(v.z) > 320; }

struct SoakResult {
    int steps = 0;
    int maxSubSteps = 0;
    int nonFinite = 0;
    int outside = 0;
    int ignoredContacts = 0;
    int contacts = 0;
    int overlapSteps = 0;  // steps that ended with two balls overlapping
};

bool anyOverlap() {
    const double touching = 2.0 * sim.ballRadius;
    for (int i = 0; i < kMaxBalls; ++i) {
        for (int j = i + 1; j < kMaxBalls; ++j) {
            if (sim.ballAlive[i] != 0 && sim.ballAlive[j] != 0 &&
                sim.ballPositions[i].Distance(sim.ballPositions[j]) < touching - 1e-6) {
                return true;
            }
        }
    }
    return false;
}

// Every step runs with the clock 50 ms on, as the pacing would leave it.
SoakResult soak(int steps, unsigned seed, void (*beforeStep)(int step) = nullptr) {
    SoakResult result;
    for (int step = 0; step < steps; ++step) {
        if (beforeStep != nullptr) beforeStep(step);
        runHeadlessStep();

        const StepStats stats = sim.stats;
        ++result.steps;
        result.contacts += stats.subSteps - 1;
        result.ignoredContacts += stats.ignoredContacts;
        if (stats.subSteps > result.maxSubSteps) result.maxSubSteps = stats.subSteps;
        if (anyOverlap()) ++result.overlapSteps;
        for (int k = 0; k < kMaxBalls; ++k) {
            if (sim.ballAlive[k] == 0) continue;
            if (!finite(sim.ballPositions[k]) || !finite(sim.ballVelocities[k])) ++result.nonFinite;
        }
        for (const Shot& shot : sim.shots) {
            if (shot.life != 0 && (!finite(shot.position) || !finite(shot.velocity))) ++result.nonFinite;
        }
    }
    for (int k = 0; k < kMaxBalls; ++k) {
        if (sim.ballAlive[k] != 0 && outsideRoom(sim.ballPositions[k])) ++result.outside;
    }
    std::printf(
        "seed %u: %d steps, %d contacts, max %d sub-steps, %d non-finite, %d balls outside, %d let pass, "
        "%d steps ending with an overlap\n",
        seed, result.steps, result.contacts, result.maxSubSteps, result.nonFinite, result.outside,
        result.ignoredContacts, result.overlapSteps);
    return result;
}

// The room at the highest speed, laid out as the program lays it out.
class SoakTest : public ::testing::Test {
protected:
    static void start(int balls, unsigned seed, int autoFire) {
        HeadlessSettings settings;
        settings.ballCount = balls;
        settings.ballRadius = 20;
        settings.seed = seed;
        settings.timeStep = 0.8;
        settings.autoFire = autoFire;
        startHeadlessScene(settings);
    }
    void TearDown() override { stopHeadlessScene(); }
};

TEST_F(SoakTest, FullRoomUnderAutomaticFireStaysFiniteAndInside) {
    start(kMaxBalls, 20240607, 1);

    const SoakResult result = soak(3000, 20240607);

    EXPECT_EQ(result.steps, 3000);
    EXPECT_EQ(result.nonFinite, 0);
    EXPECT_EQ(result.outside, 0);
    EXPECT_EQ(result.ignoredContacts, 0);
    EXPECT_GT(result.contacts, 3000);  // the run does collide
    EXPECT_LT(result.maxSubSteps, 100);
}

// Throws a ball every second from just behind or just in front of a live
// ball, so that the new ball starts inside it, closing in or moving apart.
void throwIntoBalls(int step) {
    sim.controls.leftButtonDown = 1;
    const int round = step / 20;
    for (int n = 0; n < kMaxBalls; ++n) {
        const int k = (round + n) % kMaxBalls;
        const Vector3& p = sim.ballPositions[k];
        if (sim.ballAlive[k] == 0 || std::fabs(p.x) > 250 || std::fabs(p.y) > 250 || std::fabs(p.z) > 250) continue;
        sim.controls.cameraPosition = p + Vector3(0.0, 0.0, round % 2 == 0 ? 15.0 : -15.0);
        return;
    }
}

TEST_F(SoakTest, BallsThrownInsideTheRoomNeverHangAStep) {
    // No automatic fire: it would hold the throws back, they share the rate limit.
    start(30, 7, 0);
    sim.controls.launchMode = 1;

    const SoakResult result = soak(1500, 7, throwIntoBalls);

    EXPECT_EQ(result.steps, 1500);
    EXPECT_EQ(result.nonFinite, 0);
    EXPECT_EQ(result.outside, 0);
    EXPECT_LT(result.maxSubSteps, 100);
    EXPECT_GT(result.overlapSteps, 0);  // the run does put balls into each other
}

}  // namespace
