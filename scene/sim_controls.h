#pragma once

// What the step reads besides the bodies themselves: the speed, the modes,
// the held keys and the pointer, the free camera (where shots start) and the
// scene clock's pause bookkeeping. Outside the step these change through
// input and through the frame; recordings and step back carry them as one
// value, so a step taken again reads exactly what it read the first time.

#include "geometry/vector3.h"

struct SimControls {
    double timeStep = 0.0;
    double activeTimeStep = 0.0;
    Vector3 cameraPosition;
    Vector3 viewDirection;
    float cameraYaw = 0.0f;
    int followBall = 0;
    int followedShot = -1;
    int autoFire = 0;
    int launchMode = 0;
    int resetRequested = 0;
    int soundOn = 0;
    int upKeyDown = 0;
    int downKeyDown = 0;
    int leftKeyDown = 0;
    int rightKeyDown = 0;
    int mouseX = 0;
    int mouseY = 0;
    int leftButtonDown = 0;
    int paused = 0;
    int pausedSceneTime = 0;
    int pausedTotal = 0;
};

SimControls captureSimControls();
void applySimControls(const SimControls& controls);
// Equal to the bit (doubles compared by their bit patterns).
bool sameSimControls(const SimControls& a, const SimControls& b);

// Puts back the part of `controls` that belongs to whoever watches a replay
// or a stepped-back scene: the arrow keys and the pause, and with `camera`
// also the free camera (without it the viewer follows the recorded one).
void applyViewerControls(const SimControls& controls, bool camera);
