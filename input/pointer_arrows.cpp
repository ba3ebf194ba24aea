#include "input/pointer_arrows.h"

#include "input/key_codes.h"

namespace {

constexpr int kArrowKeys[4] = {kKeyLeft, kKeyUp, kKeyRight, kKeyDown};

bool keyboardHolds(const SimControls& keys, int arrow) {
    const int down[4] = {keys.leftKeyDown, keys.upKeyDown, keys.rightKeyDown, keys.downKeyDown};
    return down[arrow] != 0;
}

// Presses and lets go what differs from what the pointer should hold now.
void update(PointerArrows& p, const SimControls& keys, ArrowEvents& out) {
    const int dx = p.x - p.startX;
    const int dy = p.y - p.startY;
    const bool want[4] = {p.dragging && dx < -kPointerDeadZone, (p.dragging && dy < -kPointerDeadZone) || p.wheelSteps > 0,
                          p.dragging && dx > kPointerDeadZone, (p.dragging && dy > kPointerDeadZone) || p.wheelSteps < 0};
    for (int arrow = 0; arrow < 4; ++arrow) {
        if (want[arrow] == p.held[arrow]) continue;
        if (want[arrow] && keyboardHolds(keys, arrow)) continue;
        p.held[arrow] = want[arrow];
        InputEvent& e = out.events[out.count++];
        e = InputEvent();
        e.kind = want[arrow] ? InputKind::SpecialDown : InputKind::SpecialUp;
        e.a = kArrowKeys[arrow];
    }
}

}  // namespace

void pressMiddle(PointerArrows& p, int x, int y) {
    p.dragging = true;
    p.startX = p.x = x;
    p.startY = p.y = y;
}

void movePointer(PointerArrows& p, const SimControls& keys, int x, int y, ArrowEvents& out) {
    p.x = x;
    p.y = y;
    if (p.dragging) update(p, keys, out);
}

void releaseMiddle(PointerArrows& p, const SimControls& keys, ArrowEvents& out) {
    p.dragging = false;
    update(p, keys, out);
}

void turnWheel(PointerArrows& p, const SimControls& keys, int notch, ArrowEvents& out) {
    if (notch == 0) return;
    const bool sameWay = (notch > 0) == (p.wheelSteps > 0);
    p.wheelSteps = sameWay ? p.wheelSteps + notch : notch;
    update(p, keys, out);
}

void pointerStepTaken(PointerArrows& p, const SimControls& keys, ArrowEvents& out) {
    if (p.wheelSteps == 0) return;
    p.wheelSteps += p.wheelSteps > 0 ? -1 : 1;
    update(p, keys, out);
}

void forgetPointerArrows(PointerArrows& p) { p = PointerArrows(); }
