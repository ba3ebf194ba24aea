#pragma once

// The middle button and the wheel steer the free camera as the arrows do,
// and through them: while the middle button is held, the pointer's offset
// from where it was pressed holds the arrows past a dead zone (sideways
// circles the camera, up and down moves it forward and back, as a finger's
// drag does on the page); a wheel notch forward or back holds Up or Down
// for one step. What they hold goes out as arrow key events, so it is
// recorded, replayed and let go as the keys are. An arrow the keyboard
// already holds is left to the keyboard.

#include "input/input_event.h"
#include "scene/sim_controls.h"

constexpr int kPointerDeadZone = 16;  // window pixels

// Arrow key events to hand on, in order (at most one per arrow).
struct ArrowEvents {
    InputEvent events[4];
    int count = 0;
};

struct PointerArrows {
    bool dragging = false;
    int startX = 0;
    int startY = 0;
    int x = 0;  // where the pointer is
    int y = 0;
    bool held[4] = {};   // Left, Up, Right, Down, held by the pointer
    int wheelSteps = 0;  // steps the wheel still holds Up (> 0) or Down (< 0)
};

void pressMiddle(PointerArrows& p, int x, int y);
void movePointer(PointerArrows& p, const SimControls& keys, int x, int y, ArrowEvents& out);
void releaseMiddle(PointerArrows& p, const SimControls& keys, ArrowEvents& out);
// One notch: +1 forward, -1 back. A notch the other way ends the last.
void turnWheel(PointerArrows& p, const SimControls& keys, int notch, ArrowEvents& out);
// After each step: the wheel's hold counts down.
void pointerStepTaken(PointerArrows& p, const SimControls& keys, ArrowEvents& out);
// The pointer left or the window was hidden: the keys were let go already.
void forgetPointerArrows(PointerArrows& p);
