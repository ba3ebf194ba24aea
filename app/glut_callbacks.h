#pragma once

// The toolkit's callbacks and the toolkit services the headless logic is
// given at start-up. The key callbacks only translate: a press goes to
// pressKey, which carries out the action the key table names for it. Input
// that changes the simulation goes to the session as input events (so it
// can be recorded, and ignored by a replay); the letter keys only steer
// what is watched.

#include "input/key_table.h"

// A key pressed (not a repeat): what the key table says it does. The page's
// buttons call it directly, with the modifiers they stand for.
void pressKey(KeyKind kind, int code, int modifiers);
// The timeline's jumps (Page Up / Down, a click on the timeline bar): a
// running demo pauses first, as the user is to look at the step reached.
void pauseAndJumpTo(long step);
void onKey(unsigned char key, int x, int y);
// The window manager's close button: ends the program as Escape does.
void onClose();
void onSpecialKey(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
// Dragging or not, the pointer position is kept the same way.
void onMouseMotion(int x, int y);
// Pointer leaving the window, and the window hidden or covered: held input is let go.
void onEntry(int state);
void onWindowStatus(int state);
// The keyboard focus gone to another window: held input is let go too.
void onFocusLost();
// Keeps the viewport matched and notes the size.
void onWindowSize(int width, int height);
// Letters let go: ends the repeat of a held O or B.
void onKeyUp(unsigned char key, int x, int y);
// Paces, then a step of the session; plays its cues, sets the clip plane
// and asks for the frame as the step says.
void runPacedStep();
// Milliseconds until runPacedStep would step at once (0 when it is due).
int millisecondsUntilPacedStep();
// The desktop's idle: with smooth motion running, the frames between steps
// (about 60 a second, sleeping in between), else and then the paced step.
void onIdle();
// The frame (with smooth motion: a step's own, or one between two steps),
// the screenshot S asked for and the notice in the corner, then the swap.
void onDisplay();

// What the desktop draws over the frame before the screenshot's readback:
// its panels. The page has none (null).
void setPanelDrawing(void (*draw)());

// Registers the reshape, key, mouse, entry and window-status callbacks
// above, in start-up's order. The system's key repeats must arrive as
// presses without releases (the browser's do; the desktop asks the X
// server for it, see app/window_watch.h). The desktop and the
// page each add their own idle or timer and display callbacks.
void registerInputCallbacks();

// The toolkit's elapsed-time counter in milliseconds.
int glutElapsedMilliseconds();
