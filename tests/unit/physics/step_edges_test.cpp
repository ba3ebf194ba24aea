// The step at the edges of its rules: bodies that do not move, pairs that
// already overlap, balls that start a sub-step on a dome or cone.

#include <gtest/gtest.h>

#include "physics/intersections.h"
#include "scene/obstacle_clearance.h"
#include "tests/support/test_simulation.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

using stepfix::expectVectorEq;
using stepfix::finite;

class StepEdgesTest : public stepfix::StepTest {
protected:
    void SetUp() override {
        StepTest::SetUp();
        sim.gravity = Vector3(0, 0, 0);
    }

    static bool everyBodyFinite() {
        for (int k = 0; k < kMaxBalls; ++k) {
            if (sim.ballAlive[k] != 0 && (!finite(sim.ballPositions[k]) || !finite(sim.ballVelocities[k]))) {
                return false;
            }
        }
        for (const Shot& shot : sim.shots) {
            if (shot.life != 0 && (!finite(shot.position) || !finite(shot.velocity))) return false;
        }
        return true;
    }
};

// A ball whose move rounds to nothing (L = 0) a hair beyond a plane or a
// pillar surface, moving into it, must not give a contact at time -inf:
// that would make the time left infinite and every body NaN.
TEST_F(StepEdgesTest, BodyThatDoesNotMoveGivesNoContactAndTheSceneStaysFinite) {
    struct Case {
        const char* name;
        Vector3 position;
        Vector3 velocity;
    };
    const Case cases[] = {
        {"beyond the floor plane", Vector3(0, -300 - 1e-9, 0), Vector3(0, -1e-7, 0)},
        {"inside the upright pillar", Vector3(80 - 1e-9, 0, 0), Vector3(-1e-7, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        // F2 pressed down to the last step above 0: 1.19e-8.
        sim.controls.timeStep = sim.controls.activeTimeStep = static_cast<double>(0.8f) - 8 * 0.1;
        putBall(0, c.position, c.velocity);
        putBall(1, Vector3(150, 150, 150), Vector3(1, 2, 3));
        putShot(0, Vector3(-150, 150, 150), Vector3(0, 0, 60));

        stepfix::runStep();

        EXPECT_TRUE(everyBodyFinite());
        expectVectorEq(sim.ballPositions[0], c.position);
        expectVectorEq(sim.ballPositions[1], Vector3(150, 150, 150) + Vector3(1, 2, 3) * sim.controls.activeTimeStep);
        EXPECT_GT(sim.stats.nonFiniteCandidates, 0);
    }
}

// Two balls already overlapping and drifting apart must not hide a head-on
// meeting elsewhere: that pair bounces exactly as it would alone.
TEST_F(StepEdgesTest, OverlappingPairDriftingApartDoesNotHideAnotherPair) {
    sim.controls.timeStep = sim.controls.activeTimeStep = 0.8;
    const auto headOn = [] {
        putBall(2, Vector3(-150, 100, 100), Vector3(0, 0, 10));
        putBall(3, Vector3(-150, 100, 150), Vector3(0, 0, -10));
    };
    headOn();
    stepfix::runStep();
    const Vector3 alone[4] = {sim.ballPositions[2], sim.ballVelocities[2], sim.ballPositions[3], sim.ballVelocities[3]};
    ASSERT_LT(alone[1].z, 0.0);  // they did meet within the step

    SetUp();
    sim.controls.timeStep = sim.controls.activeTimeStep = 0.8;
    putBall(0, Vector3(150, 150, 150), Vector3(-1, 0, 0));
    putBall(1, Vector3(160, 150, 150), Vector3(1, 0, 0));
    headOn();
    stepfix::runStep();

    expectVectorEq(sim.ballPositions[2], alone[0]);
    expectVectorEq(sim.ballVelocities[2], alone[1]);
    expectVectorEq(sim.ballPositions[3], alone[2]);
    expectVectorEq(sim.ballVelocities[3], alone[3]);
    // The overlapping pair is let go and keeps drifting apart.
    expectVectorEq(sim.ballVelocities[0], Vector3(-1, 0, 0));
    expectVectorEq(sim.ballVelocities[1], Vector3(1, 0, 0));
    EXPECT_GT(sim.stats.separatingPairs, 0);
}

// A ball that starts a sub-step on a dome or cone (within the reach of that
// test's precision) and moves into it bounces at once, as on a plane; one
// that moves out, or is deep inside, is left as it was.
TEST_F(StepEdgesTest, BallStartingOnADomeOrConeAndMovingInBouncesAtOnce) {
    const Cone& cone = sim.collisionCones[0];
    // A point of cone 0's grown mantle far from the tip, and the outward normal there.
    const Vector3 acrossCone(0, 0, -1);
    const double along = 100.0;
    const Vector3 onCone =
        cone.apex + cone.axis * along + acrossCone * (along * cone.sinHalfAngle / cone.cosHalfAngle);
    Vector3 coneOut;
    ASSERT_NEAR(coneGap(cone, onCone, coneOut), 0.0, 1e-12);
    const Vector3 domeCentre = kDomes[0].centre;
    const Vector3 domeOut = Unit(Vector3(0, 1, -1));
    const Vector3 onDome = domeCentre + domeOut * 120.0;

    struct Case {
        const char* name;
        Vector3 start;
        Vector3 outward;
        double sign;  // +1: moving into the obstacle, -1: out of it
        bool bounces;
    };
    const Case cases[] = {
        {"on the dome, moving in", onDome, domeOut, 1, true},
        {"a hair inside the dome, moving in", onDome - domeOut * 1e-9, domeOut, 1, true},
        {"on the dome, moving out", onDome, domeOut, -1, false},
        {"deep inside the dome, moving in", onDome - domeOut * 5.0, domeOut, 1, false},
        {"on the cone, moving in", onCone, coneOut, 1, true},
        {"1e-4 inside the cone, moving in", onCone - coneOut * 1e-4, coneOut, 1, true},
        {"on the cone, moving out", onCone, coneOut, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        // Into the surface at 45 degrees, so the ray test's distance is about the gap.
        const Vector3 tangent = Unit(c.outward.Cross(Vector3(1, 0, 0)));
        const Vector3 velocity = (tangent - c.outward * c.sign) * 5.0;
        putBall(0, c.start, velocity);

        stepfix::runStep();

        if (c.bounces) {
            EXPECT_GT(Dot(sim.ballVelocities[0], c.outward), 0.0);
            EXPECT_NEAR(sim.ballVelocities[0].Length(), velocity.Length(), 1e-12);
            EXPECT_EQ(sim.stats.touchingContacts, 1);
            EXPECT_EQ(deepestObstacleEntry(sim, sim.ballPositions[0]), 0.0);
        } else {
            expectVectorEq(sim.ballVelocities[0], velocity);
            EXPECT_EQ(sim.stats.touchingContacts, 0);
        }
    }
}

TEST_F(StepEdgesTest, BallSetDownAHairShortOfAConeByAnEarlierContactStillBounces) {
    // Another body's contact a hair before the ball's own leaves the ball
    // within the single-precision reach of the cone test, which then puts
    // the cone at distance 0 and the strict rule refuses it. The ball must
    // bounce off the cone all the same.
    sim.controls.timeStep = sim.controls.activeTimeStep = 0.8;
    const Vector3 start(-140, -161.5, -126);  // just outside collision cone 0
    const Vector3 velocity(2, 0, 2);
    putBall(0, start, velocity);

    double s = 0.0;
    Vector3 n;
    Vector3 hit;
    ASSERT_EQ(IntersectCone(sim.collisionCones[0], start, Unit(velocity), s, n, hit), 1);
    const double coneTime = s * 0.8 / start.Distance(start + velocity * 0.8);
    ASSERT_LT(coneTime, 0.8);
    // A shot meets the ceiling 1e-6 earlier, 3e-6 units short for the ball.
    const double shotTime = coneTime - 1e-6;
    putShot(0, Vector3(-250, 319 - 60 * shotTime, -250), Vector3(0, 60, 0));

    stepfix::runStep();

    EXPECT_EQ(sim.shots[0].life, 5);
    Vector3 outward;
    coneGap(sim.collisionCones[0], hit, outward);
    EXPECT_GT(Dot(sim.ballVelocities[0], outward), 0.0);  // turned back out
    EXPECT_EQ(deepestObstacleEntry(sim, sim.ballPositions[0]), 0.0);
    EXPECT_GT(sim.explosions[1].alpha, 0.0f);  // the ball's flash after the shot's
}

}  // namespace
