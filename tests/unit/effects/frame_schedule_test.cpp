#include "effects/frame_schedule.h"

#include <gtest/gtest.h>

namespace {

// Frames of 11 ms (45 balls under llvmpipe): both frames between two steps
// fit, each at its third of the 49 ms or, when that would end too close to
// the step, begun early; a frame too dear for the room left is left out,
// and never a third one between two steps.
TEST(FrameSchedule, TwoFramesBetweenStepsAtTheirThirdsOrEarlierNeverIntoTheStep) {
    const struct {
        int framesSinceStep, sinceStepFrame, untilStep, frameCost;
        FrameChoice::Kind kind;
        int wait;
    } cases[] = {
        {0, 12, 37, 11, FrameChoice::Wait, 4},   // the first third is 16 ms in
        {0, 16, 33, 11, FrameChoice::Draw, 0},
        {1, 28, 21, 11, FrameChoice::Wait, 4},   // the second third is 32 ms in
        {1, 32, 17, 11, FrameChoice::Draw, 0},
        {1, 28, 21, 15, FrameChoice::Wait, 3},   // dearer: begun at 31, ends 3 ms before the step
        {1, 31, 18, 15, FrameChoice::Draw, 0},
        {1, 33, 16, 14, FrameChoice::Pace, 0},   // would end 2 ms before the step
        {2, 45, 4, 0, FrameChoice::Pace, 0},     // three a step at most
        {0, 2, 47, 60, FrameChoice::Pace, 0},    // a stall: no frame between
    };
    for (const auto& c : cases) {
        const FrameChoice got = chooseFrameBetweenSteps(c.framesSinceStep, c.sinceStepFrame, c.untilStep, c.frameCost);
        EXPECT_EQ(got.kind, c.kind) << c.framesSinceStep << " frames, " << c.sinceStepFrame << " ms in";
        EXPECT_EQ(got.wait, c.wait) << c.framesSinceStep << " frames, " << c.sinceStepFrame << " ms in";
    }
}

TEST(FrameSchedule, ADearerFrameCountsAtOnceACheaperOneHalvesTheGap) {
    EXPECT_EQ(nextFrameCost(10, 17), 17);
    EXPECT_EQ(nextFrameCost(17, 9), 13);
    int planned = 60;  // a stall, then ordinary frames
    for (int i = 0; i < 6; ++i) planned = nextFrameCost(planned, 10);
    EXPECT_LE(planned, 11);
}

}  // namespace
