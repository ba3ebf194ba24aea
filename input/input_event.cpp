#include "input/input_event.h"

#include "input/key_table.h"
#include "input/keyboard.h"
#include "input/mouse_actions.h"

namespace {

EventRole roleOf(const KeyLine* line) {
    if (line == nullptr) return EventRole::Nothing;
    return line->role == KeyRole::Simulation ? EventRole::Simulation : EventRole::Viewer;
}

}  // namespace

EventRole eventRole(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::SpecialDown:
        return roleOf(findKey(KeyKind::Special, event.a));
    case InputKind::SpecialUp: {
        // Only a held key's release matters: the camera stops turning.
        const KeyLine* line = findKey(KeyKind::Special, event.a);
        return line != nullptr && line->role == KeyRole::View ? EventRole::Viewer : EventRole::Nothing;
    }
    case InputKind::MouseButton:
        // A button press or release matters only for the buttons that fire.
        return roleOf(findKey(KeyKind::Button, event.a));
    case InputKind::Motion:
    case InputKind::Release:
    case InputKind::WindowSize:
        return EventRole::Viewer;
    }
    return EventRole::Nothing;
}

void applyInputEvent(Simulation& s, const InputEvent& event, Readings& readings) {
    switch (event.kind) {
    case InputKind::SpecialDown:
        handleSpecialKey(s, event.a, event.b);
        break;
    case InputKind::SpecialUp:
        handleSpecialKeyUp(s, event.a);
        break;
    case InputKind::MouseButton:
        handleMouseButton(s, event.a, event.b, event.c, event.d, readings);
        break;
    case InputKind::Motion:
        handleMouseMotion(s, event.c, event.d);
        break;
    case InputKind::Release:
        releaseHeldInput(s);
        break;
    case InputKind::WindowSize:
        break;
    }
}
