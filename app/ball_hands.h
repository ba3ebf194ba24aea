#pragma once

// The watcher's hands on the balls: selecting with a click (while paused or
// in inspect mode), dragging with a held button in inspect mode or with G.
// Selection is view state; a drag reaches the simulation through the
// session as recorded targets.

// A mouse button: true when it was taken here (it then does not fire).
bool handsTakeButton(int button, int state, int x, int y);
// The pointer moved: a held ball gets its new target.
void handsPointerMoved(int x, int y);
// G: grab the selected ball (or the one under the pointer), or let go.
void handsGrabKey(int x, int y);
// Before each frame: a selected ball that is gone is let go, and the corner
// says so from `now` on.
void handsCheckSelection(int now);
