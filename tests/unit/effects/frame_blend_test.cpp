#include "effects/frame_blend.h"

#include <gtest/gtest.h>

namespace {

class FrameBlendTest : public ::testing::Test {
protected:
    void SetUp() override {
        before_.state.ballAlive[0] = 1;
        before_.state.ballAlive[1] = 1;
        before_.state.ballPositions[0] = Vector3(0.0, 10.0, -40.0);
        before_.state.ballPositions[1] = Vector3(50.0, 0.0, 0.0);
        before_.look.camera.eye = Vector3(0.0, -50.0, 1000.0);
        before_.look.camera.center = Vector3(0.0, -50.0, 990.0);
        after_ = before_;
        after_.state.ballPositions[0] = Vector3(8.0, 4.0, -40.0);
        after_.look.camera.eye = Vector3(0.0, -50.0, 980.0);
        after_.look.camera.center = Vector3(0.0, -50.0, 970.0);
    }
    ShownFrame before_;
    ShownFrame after_;
    ShownFrame shown_;
};

// Halfway between two steps the ball and the camera are halfway; at the
// step's own frame (0) the picture is the earlier step's, to the bit.
TEST_F(FrameBlendTest, HalfwayPutsBallAndCameraHalfwayAndZeroIsTheStepsOwnFrame) {
    blendFrames(before_, after_, 0.5, shown_);
    EXPECT_EQ(shown_.state.ballPositions[0].x, 4.0);
    EXPECT_EQ(shown_.state.ballPositions[0].y, 7.0);
    EXPECT_EQ(shown_.state.ballPositions[0].z, -40.0);
    EXPECT_EQ(shown_.look.camera.eye.z, 990.0);
    EXPECT_EQ(shown_.look.camera.center.z, 980.0);

    blendFrames(before_, after_, 0.0, shown_);
    EXPECT_TRUE(shown_.state == before_.state);
    EXPECT_EQ(shown_.look.camera.eye.z, 1000.0);
}

// A ball put somewhere else (reset, thrown anew) must not be seen sliding
// across the room, nor a ball that is not alive in both frames.
TEST_F(FrameBlendTest, ABallThatJumpedOrAppearedStaysAsItWasUntilTheNextStep) {
    after_.state.ballPositions[1] = Vector3(-200.0, 100.0, 0.0);
    after_.state.ballAlive[2] = 1;
    after_.state.ballPositions[2] = Vector3(1.0, 2.0, 3.0);
    blendFrames(before_, after_, 0.5, shown_);
    EXPECT_EQ(shown_.state.ballPositions[1].x, 50.0);
    EXPECT_EQ(shown_.state.ballAlive[2], 0);
}

}  // namespace
