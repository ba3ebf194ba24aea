#pragma once

// What the step reads besides the bodies themselves: the speed, the modes,
// the held keys and the pointer, the free camera (where shots start) and the
// scene clock's pause bookkeeping. Outside the step these change through
// input and through the frame; recordings carry them as one value, so a
// step taken again reads exactly what it read the first time. The values
// here are the ones a new scene starts with.

#include <tuple>

#include "geometry/vector3.h"

struct SimControls {
    double timeStep = 0.3;
    double activeTimeStep = 0.3;
    Vector3 cameraPosition{0.0, -50.0, 1000.0};
    Vector3 viewDirection{0.0, 0.0, -10.0};
    float cameraYaw = 0.0f;  // degrees
    int followBall = 0;
    int followedShot = -1;
    int autoFire = 0;
    int launchMode = 0;
    int resetRequested = 0;
    int soundOn = 1;
    int upKeyDown = 0;
    int downKeyDown = 0;
    int leftKeyDown = 0;
    int rightKeyDown = 0;
    int mouseX = 0;
    int mouseY = 0;
    int leftButtonDown = 0;
    int paused = 0;
    int pausedSceneTime = 0;  // the scene clock while paused
    int pausedTotal = 0;      // milliseconds spent paused so far

    auto fields() const {
        return std::tie(timeStep, activeTimeStep, cameraPosition, viewDirection, cameraYaw, followBall, followedShot,
                        autoFire, launchMode, resetRequested, soundOn, upKeyDown, downKeyDown, leftKeyDown,
                        rightKeyDown, mouseX, mouseY, leftButtonDown, paused, pausedSceneTime, pausedTotal);
    }
};

// Equal to the bit (doubles compared by their bit patterns).
bool operator==(const SimControls& a, const SimControls& b);
inline bool operator!=(const SimControls& a, const SimControls& b) { return !(a == b); }

// Puts back into `into` the part of `controls` that belongs to whoever
// watches a replay or a stepped-back scene: the arrow keys and the pause,
// and with `camera` also the free camera (without it the viewer follows the
// recorded one).
void applyViewerControls(const SimControls& controls, bool camera, SimControls& into);
