#pragma once

#include "scene/readings.h"
#include "scene/simulation.h"

// Special keys (F1..F8, arrows) turned into scene-state changes. modifiers is
// the toolkit's modifier state at the press.
void handleSpecialKey(Simulation& s, int key, int modifiers);
void handleSpecialKeyUp(Simulation& s, int key);
// Ordinary keys other than Escape: the inspect letters P, O, V, H and the
// screenshot S (either case). P reads the clock from `readings`.
void handleKey(Simulation& s, unsigned char key, Readings& readings);

// Lets go of every held arrow and the left button. Called when the pointer
// leaves the window or the window stops being visible: a key or button let
// go then is reported to another window or not at all, and the camera would
// turn or the shots fire on until the same key came back.
void releaseHeldInput(Simulation& s);
