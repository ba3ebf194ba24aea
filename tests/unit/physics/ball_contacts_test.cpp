// The inspect panel lists each ball's last contacts: the step must note
// every one on the ball it happened to (both balls of a pair), with what
// it met, the normal towards the ball and the speed either side of it.

#include <gtest/gtest.h>

#include "physics/simulation_step.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

class BallContactsTest : public stepfix::StepTest {};

TEST_F(BallContactsTest, EachBallKeepsItsOwnContacts) {
    sim.controls.timeStep = sim.controls.activeTimeStep = 0.8;
    putBall(0, Vector3(-50, -290, 150), Vector3(0, -20, 0));  // onto the floor
    putBall(1, Vector3(-150, 0, 150), Vector3(10, 0, 0));     // into ball 2, head on
    putBall(2, Vector3(-100, 0, 150), Vector3(-10, 0, 0));

    stepfix::runStep();

    const BallContact& floor = sim.ballContacts[0 * kBallContactsKept];
    EXPECT_EQ(floor.step, 1);
    EXPECT_EQ(floor.with, kWithWall);
    EXPECT_EQ(floor.normal.y, 1.0);
    EXPECT_DOUBLE_EQ(floor.speedBefore, 20.0 + 0.05 * 0.8);
    EXPECT_DOUBLE_EQ(floor.speedAfter, floor.speedBefore);

    const BallContact& one = sim.ballContacts[1 * kBallContactsKept];
    const BallContact& two = sim.ballContacts[2 * kBallContactsKept];
    EXPECT_EQ(one.with, kWithBall);
    EXPECT_EQ(one.other, 2);
    EXPECT_EQ(two.other, 1);
    EXPECT_LT(one.normal.x, -0.99) << "towards ball 1, away from 2";
    EXPECT_GT(two.normal.x, 0.99);
    EXPECT_EQ(sim.nextBallContact[1], 1);
    EXPECT_EQ(sim.nextBallContact[3], 0) << "a ball that met nothing has no contacts";
}

}  // namespace
