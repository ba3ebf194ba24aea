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

    const ContactHistory& kept = stepfix::contacts();
    const BallContact& floor = kept.ballContact(0, 0);
    EXPECT_EQ(floor.step, 1);
    EXPECT_EQ(floor.with, kWithWall);
    EXPECT_EQ(floor.normal[1], 1.0f);
    EXPECT_FLOAT_EQ(floor.speedBefore, static_cast<float>(20.0 + 0.05 * 0.8));
    EXPECT_FLOAT_EQ(floor.speedAfter, floor.speedBefore);

    const BallContact& one = kept.ballContact(1, 0);
    const BallContact& two = kept.ballContact(2, 0);
    EXPECT_EQ(one.with, kWithBall);
    EXPECT_EQ(one.other, 2);
    EXPECT_EQ(two.other, 1);
    EXPECT_LT(one.normal[0], -0.99f) << "towards ball 1, away from 2";
    EXPECT_GT(two.normal[0], 0.99f);
    EXPECT_EQ(kept.nextBallContact[1], 1);
    EXPECT_EQ(kept.ballContact(3, 0).step, 0) << "a ball that met nothing has no contacts";
}

}  // namespace
