#include "input/input_event.h"

#include "input/key_codes.h"
#include "input/keyboard.h"
#include "input/mouse_actions.h"

namespace {

bool arrowKey(int key) { return key == kKeyLeft || key == kKeyUp || key == kKeyRight || key == kKeyDown; }
bool functionKey(int key) { return key >= kKeyF1 && key <= kKeyF8; }

}  // namespace

EventRole eventRole(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::SpecialDown:
        if (functionKey(event.a)) return EventRole::Simulation;
        return arrowKey(event.a) ? EventRole::Viewer : EventRole::Nothing;
    case InputKind::SpecialUp:
        return arrowKey(event.a) ? EventRole::Viewer : EventRole::Nothing;
    case InputKind::MouseButton:
        return event.a == kLeftButton || event.a == kRightButton ? EventRole::Simulation : EventRole::Nothing;
    case InputKind::Motion:
    case InputKind::Release:
    case InputKind::WindowSize:
        return EventRole::Viewer;
    }
    return EventRole::Nothing;
}

void applyInputEvent(const InputEvent& event, Readings& readings) {
    switch (event.kind) {
    case InputKind::SpecialDown:
        handleSpecialKey(event.a, event.b);
        break;
    case InputKind::SpecialUp:
        handleSpecialKeyUp(event.a);
        break;
    case InputKind::MouseButton:
        handleMouseButton(event.a, event.b, event.c, event.d, readings);
        break;
    case InputKind::Motion:
        handleMouseMotion(event.c, event.d);
        break;
    case InputKind::Release:
        releaseHeldInput();
        break;
    case InputKind::WindowSize:
        break;
    }
}
