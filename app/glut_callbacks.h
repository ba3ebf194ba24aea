#pragma once

// The toolkit's input callbacks and the toolkit services the headless logic
// is given at start-up.

void onKey(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
// Pointer leaving the window, and the window hidden or covered: held input is let go.
void onEntry(int state);
void onWindowStatus(int state);
// The frame, the screenshot S asked for and the notice in the corner, then the swap.
void onDisplay();
// The mouse handlers (input/mouse_actions.h) already take the toolkit's
// arguments and are registered as they are.

// The toolkit's elapsed-time counter in milliseconds.
int glutElapsedMilliseconds();

// Hands the simulation step its clip-plane switch and redisplay request.
void installStepHooks();
