#include <gtest/gtest.h>

#include <string>

#include "input/input_event.h"
#include "input/key_codes.h"
#include "input/pointer_arrows.h"
#include "tests/support/test_readings.h"
#include "tests/support/test_simulation.h"

namespace {

// Hands the events to the simulation as the toolkit callbacks do, and
// reads back which arrows it holds, as "LURD" with '-' for a free arrow.
std::string apply(Simulation& s, const ArrowEvents& events) {
    for (int i = 0; i < events.count; ++i) applyInputEvent(s, events.events[i], testReadings());
    const SimControls& c = s.controls;
    std::string held = "----";
    if (c.leftKeyDown) held[0] = 'L';
    if (c.upKeyDown) held[1] = 'U';
    if (c.rightKeyDown) held[2] = 'R';
    if (c.downKeyDown) held[3] = 'D';
    return held;
}

// Middle-button drags from (300, 200): past the dead zone the offset holds
// the arrows, as a finger's drag does on the page; letting go frees them.
TEST(PointerArrows, MiddleDragHoldsTheArrowsOfItsOffsetUntilLetGo) {
    const struct {
        int x, y;
        const char* held;
    } cases[] = {
        {316, 184, "----"}, {317, 200, "--R-"}, {283, 200, "L---"}, {300, 183, "-U--"},
        {300, 217, "---D"}, {260, 240, "L--D"}, {340, 150, "-UR-"},
    };
    for (const auto& c : cases) {
        Simulation s;
        PointerArrows p;
        ArrowEvents events;
        pressMiddle(p, 300, 200);
        movePointer(p, s.controls, c.x, c.y, events);
        EXPECT_EQ(apply(s, events), c.held) << c.x << "," << c.y;
        events = ArrowEvents();
        releaseMiddle(p, s.controls, events);
        EXPECT_EQ(apply(s, events), "----") << c.x << "," << c.y;
    }
    // Without the button the pointer holds nothing.
    Simulation s;
    PointerArrows p;
    ArrowEvents events;
    movePointer(p, s.controls, 0, 0, events);
    EXPECT_EQ(events.count, 0);
}

// A notch holds Up or Down for one step; two notches for two; a notch the
// other way turns it round; an arrow the keyboard holds stays the keyboard's.
TEST(PointerArrows, WheelNotchesHoldUpOrDownForAStepEach) {
    Simulation s;
    PointerArrows p;
    ArrowEvents events;
    turnWheel(p, s.controls, 1, events);
    turnWheel(p, s.controls, 1, events);
    EXPECT_EQ(apply(s, events), "-U--");
    const char* afterSteps[] = {"-U--", "----", "----"};
    for (const char* held : afterSteps) {
        events = ArrowEvents();
        pointerStepTaken(p, s.controls, events);
        EXPECT_EQ(apply(s, events), held);
    }
    events = ArrowEvents();
    turnWheel(p, s.controls, 1, events);
    turnWheel(p, s.controls, -1, events);
    EXPECT_EQ(apply(s, events), "---D");

    Simulation keyboard;
    keyboard.controls.upKeyDown = 1;
    PointerArrows q;
    events = ArrowEvents();
    turnWheel(q, keyboard.controls, 1, events);
    pointerStepTaken(q, keyboard.controls, events);
    EXPECT_EQ(apply(keyboard, events), "-U--") << "the keyboard's Up is not let go by the wheel";
}

}  // namespace
