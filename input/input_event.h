#pragma once

// One input as it reaches the program: the toolkit callbacks, the recorder
// and the replayer all carry input in this form and hand it to
// applyInputEvent, so a recorded session is fed to the scene exactly as the
// keys and the mouse fed it. The letter keys (P, O, B, V, H) and Escape
// only steer what is watched and are not events in this sense.

#include "scene/readings.h"
#include "scene/simulation.h"

enum class InputKind : unsigned char {
    SpecialDown,  // a = key code, b = modifiers
    SpecialUp,    // a = key code
    MouseButton,  // a = button, b = state, c = x, d = y
    Motion,       // c = x, d = y
    Release,      // held keys and buttons let go (pointer left, window hidden)
    WindowSize,   // a = width, b = height
};

struct InputEvent {
    InputKind kind = InputKind::Motion;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
};

// What an event touches, which decides its fate while a replay or a
// stepped-back scene is shown.
enum class EventRole {
    Simulation,  // changes what the simulation does (function keys, firing buttons)
    Viewer,      // only the free camera, the pointer or the window: harmless to a replay
    Nothing,     // no effect at all (keys without a meaning, the middle button)
};

EventRole eventRole(const InputEvent& event);

// Hands the event to the key and mouse handlers. A window size is only
// noted (the drawing resizes the window itself): the simulation never reads
// it, it reaches shots only through the pick ray.
void applyInputEvent(Simulation& s, const InputEvent& event, Readings& readings);
