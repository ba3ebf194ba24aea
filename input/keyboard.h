#pragma once

#include "scene/simulation.h"

// What a key's action (input/key_table.h) does to the scene: the
// simulation's special keys (F1..F8, arrows, Home). modifiers is the
// toolkit's modifier state at the press.
void handleSpecialKey(Simulation& s, int key, int modifiers);
void handleSpecialKeyUp(Simulation& s, int key);
// The letters that steer what is watched: P, O, V, Shift+V, H, S, I, M
// (either case). B, G and Escape are the window's (app/glut_callbacks.h).
void handleKey(Simulation& s, unsigned char key);

// Lets go of every held arrow and the left button. Called when the pointer
// leaves the window or the window stops being visible: a key or button let
// go then is reported to another window or not at all, and the camera would
// turn or the shots fire on until the same key came back.
void releaseHeldInput(Simulation& s);
