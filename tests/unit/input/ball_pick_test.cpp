#include "input/ball_pick.h"

#include <gtest/gtest.h>

#include "tests/support/test_simulation.h"

namespace {

// A selection stands while its ball lives; a gone ball's selection, and the
// hand on it, are dropped, and the caller learns which slot it was.
TEST(DropGoneSelection, OnlyAGoneBallsSelectionIsDropped) {
    struct Case {
        int selected;
        int held;
        bool alive;
        int dropped;
        int selectedAfter;
        int heldAfter;
    };
    const Case cases[] = {
        {3, -1, true, -1, 3, -1},   // alive: stays
        {3, 3, true, -1, 3, 3},     // alive and held: stays
        {3, -1, false, 3, -1, -1},  // destroyed: dropped
        {3, 3, false, 3, -1, -1},   // destroyed while held: the hand too
        {3, 5, false, 3, -1, 5},    // another ball held: its hand stays
        {-1, -1, false, -1, -1, -1},  // nothing selected
    };
    for (const Case& c : cases) {
        resetTestState();
        sim.ballAlive[3] = c.alive ? 1 : 0;
        sim.ballAlive[5] = 1;
        viewer.selectedBall = c.selected;
        viewer.heldBall = c.held;
        viewer.heldByButton = c.held >= 0 ? 1 : 0;
        EXPECT_EQ(dropGoneSelection(sim, viewer), c.dropped) << c.selected << " " << c.held << " " << c.alive;
        EXPECT_EQ(viewer.selectedBall, c.selectedAfter) << c.selected << " " << c.held << " " << c.alive;
        EXPECT_EQ(viewer.heldBall, c.heldAfter) << c.selected << " " << c.held << " " << c.alive;
        EXPECT_EQ(viewer.heldByButton, c.heldAfter >= 0 ? 1 : 0) << c.selected << " " << c.held << " " << c.alive;
    }
}

}  // namespace
