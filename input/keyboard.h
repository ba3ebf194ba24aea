#pragma once

#include "effects/screenshot_notice.h"
#include "scene/readings.h"
#include "scene/scene_state.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// Special keys (F1..F8, arrows) turned into scene-state changes. modifiers is
// the toolkit's modifier state at the press. F3 starts the chase; which
// ball it follows (the viewer's selection) is the view's choice.
void handleSpecialKey(Simulation& s, int key, int modifiers);
void handleSpecialKeyUp(Simulation& s, int key);
// Ordinary keys other than Escape: the inspect letters P, O, V, H and the
// screenshot S (either case), and the viewer's I and M. P reads the clock
// from `readings`.
void handleKey(Simulation& s, ViewerState& viewer, SceneState& scene, CornerNotices& notices, unsigned char key,
               Readings& readings);

// Lets go of every held arrow and the left button. Called when the pointer
// leaves the window or the window stops being visible: a key or button let
// go then is reported to another window or not at all, and the camera would
// turn or the shots fire on until the same key came back.
void releaseHeldInput(Simulation& s);
