#include "app/ball_hands.h"

#include <string>

#include "app/live_simulation.h"
#include "app/pick_ray.h"
#include "app/session.h"
#include "effects/screenshot_notice.h"
#include "input/ball_pick.h"
#include "input/key_codes.h"

namespace {

// A press taken here takes its release too, so it never reaches the gun;
// a press that began a hold ends it with its release, whatever step back
// did to the hold in between (the log ahead of a step back still holds the
// ball until a release reaches it).
using Press = ViewerState::Press;

// Ends the hold in the view and in the simulation.
void release() {
    live.viewer.heldBall = -1;
    live.viewer.heldByButton = 0;
    deliverDrag(-1, Vector3());
}

void letGo() {
    if (live.viewer.heldBall >= 0) release();
}

// The pointer's point on the drag plane; false when it has none.
bool dragTarget(int x, int y, Vector3& target) {
    Vector3 from;
    Vector3 direction;
    if (!pickLine(x, y, from, direction)) return false;
    return pointOnDragPlane(live.viewer.dragPlanePoint, live.viewer.dragPlaneNormal, from, direction, target);
}

void aim(int x, int y) {
    Vector3 target;
    if (dragTarget(x, y, target)) deliverDrag(live.viewer.heldBall, target);
}

// The plane through the ball facing the eye; the first target is where the pointer meets it.
void hold(int ball, int x, int y, bool byButton) {
    Vector3 from;
    Vector3 direction;
    if (!pickLine(x, y, from, direction)) return;
    const Vector3 facing = Unit(from - sim.ballPositions[ball]);
    if (!facing.IsValid()) return;
    live.viewer.selectedBall = ball;
    live.viewer.heldBall = ball;
    live.viewer.heldByButton = byButton ? 1 : 0;
    live.viewer.dragPlanePoint = sim.ballPositions[ball];
    live.viewer.dragPlaneNormal = facing;
    aim(x, y);
}

int ballAt(int x, int y) {
    Vector3 from;
    Vector3 direction;
    if (!pickLine(x, y, from, direction)) return -1;
    return ballUnderLine(sim, from, direction);
}

// The simulation ends a hold on its own (the ball destroyed) and step back
// can go to before it began.
void noticeLostHold() {
    if (live.viewer.heldBall >= 0 && sim.drag.ball != live.viewer.heldBall) {
        live.viewer.heldBall = -1;
        live.viewer.heldByButton = 0;
    }
}

}  // namespace

bool handsTakeButton(int button, int state, int x, int y) {
    if (button != kLeftButton) return false;
    noticeLostHold();
    if (state == kButtonUp) {
        if (live.viewer.press == Press::None) return false;
        const bool held = live.viewer.press == Press::Holding;
        live.viewer.press = Press::None;
        if (held) release();
        return true;
    }
    if (state != kButtonDown) return false;
    if (live.viewer.heldBall >= 0) {
        // A click ends a hold G began.
        letGo();
        live.viewer.press = Press::Taken;
        return true;
    }
    if (sim.controls.paused == 0 && live.viewer.inspectMode == 0) return false;
    const int ball = ballAt(x, y);
    live.viewer.selectedBall = ball;
    if (ball >= 0 && live.viewer.inspectMode != 0) hold(ball, x, y, true);
    live.viewer.press = live.viewer.heldByButton != 0 ? Press::Holding : Press::Taken;
    return true;
}

void handsPointerMoved(int x, int y) {
    noticeLostHold();
    // A move, unlike the press, also places a paused ball: a click that only
    // selects leaves it where it is.
    Vector3 target;
    if (live.viewer.heldBall >= 0 && dragTarget(x, y, target)) deliverDragMove(live.viewer.heldBall, target, nullptr);
}

void handsGrabKey(int x, int y) {
    noticeLostHold();
    if (live.viewer.heldBall >= 0) {
        letGo();
        return;
    }
    const int selected = live.viewer.selectedBall;
    const int ball = selected >= 0 && selected < kMaxBalls && sim.ballAlive[selected] != 0 ? selected : ballAt(x, y);
    if (ball >= 0) hold(ball, x, y, false);
}

void handsCheckSelection(int now) {
    const int gone = dropGoneSelection(sim, live.viewer);
    if (gone >= 0) showNotice(live.notices, "Ball " + std::to_string(gone) + " is gone", now);
}
