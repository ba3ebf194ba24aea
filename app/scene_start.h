#pragma once

// Start-up's layout of the scene, shared by the desktop program and the
// page: the quadric the drawing uses, then the simulation's layout
// (app/start_up.h) as the headless tools lay it out.
void layOutScene(unsigned int seed);

struct Recording;

// Once the window exists, the same on the desktop and the page: the
// graphics, the pick ray under the pointer, the session (replaying
// `replay` when there is one, announcing its end).
void startSessionInWindow(const Recording* replay);
