#pragma once

#include "effects/screenshot_notice.h"
#include "scene/readings.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// What a key's action (input/key_table.h) does to the scene: the
// simulation's special keys (F1..F8, arrows, Home). modifiers is the
// toolkit's modifier state at the press. F3 starts the chase; which ball
// it follows (the viewer's selection) is the view's choice.
void handleSpecialKey(Simulation& s, int key, int modifiers);
void handleSpecialKeyUp(Simulation& s, int key);
// The letters that steer what is watched: P, V, Shift+V, H, S, I, M
// (either case). O, B, G and Escape are the window's (app/glut_callbacks.h):
// O and B go to the session.
// P reads the clock from `readings`.
void handleKey(Simulation& s, ViewerState& viewer, CornerNotices& notices, unsigned char key, Readings& readings);

// Lets go of every held arrow and the left button. Called when the pointer
// leaves the window or the window stops being visible: a key or button let
// go then is reported to another window or not at all, and the camera would
// turn or the shots fire on until the same key came back.
void releaseHeldInput(Simulation& s);
