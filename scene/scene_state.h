#pragma once

// What the program keeps beside the simulation (scene/simulation.h): the
// window, the pacing of the live steps, the watcher's views and requests,
// the session's figures for the help overlay, and the drawing's resources.
// There is one window and one thread.

#include "scene/simulation.h"

constexpr int kTextureCount = 6;

struct SceneState {
    int windowSize[2] = {640, 480};

    // Pacing of the live steps.
    int stepsSincePace = 0;
    int lastPaceTime = 0;

    // Inspect mode (letter keys): the collision view and the help overlay;
    // the seed the scene was laid out with.
    int collisionView = 0;
    // Which layers of the collision view show (Shift+V picks): all three, or one.
    int collisionLayers = 7;
    int helpOverlay = 0;
    unsigned int randomSeed = 0;

    // Smooth motion (-smooth, M): frames at the display's rate between the
    // steps, drawn between the last two steps' pictures.
    int smoothMotion = 0;

    // The watcher's hands on the balls (I, G, a click on a ball): the
    // selected ball by slot (-1: none), whether a left click selects and a
    // held one drags, and the ball the pointer holds with the plane it moves
    // on. View state: step back and replays leave it as it is; only the
    // targets it sends reach the simulation, as recorded input.
    int inspectMode = 0;
    int selectedBall = -1;
    int heldBall = -1;
    int heldByButton = 0;
    Vector3 dragPlanePoint;
    Vector3 dragPlaneNormal;

    // Rendering resources, owned by the drawing code. Kept as plain handles
    // so this header stays free of GL.
    void* quadric = nullptr;  // GLUquadric*
    unsigned int textureNames[kTextureCount] = {};
    unsigned int explosionList = 0;
    float materialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float light0Position[4] = {0.0f, 400.0f, 0.0f, 1.0f};
    float light0Ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
};

extern SceneState scene;

// Restores the simulation and everything beside it to their values before
// start-up (tests call it between cases).
void resetSceneState(Simulation& s);
