#pragma once

// What the watcher has chosen and holds, beside the simulation: the views
// (collision view and its layers, help overlay, smooth motion), the seed
// the scene was laid out with (for the help overlay), and the hands on the
// balls. View state: step back and replays leave it as it is; only the
// targets it sends reach the simulation, as recorded input. The program's
// one instance belongs to app/; the input and drawing code is handed it.

#include "geometry/vector3.h"

struct ViewerState {
    // V, and which layers of the collision view show (Shift+V picks): all
    // three, or one.
    int collisionView = 0;
    int collisionLayers = 7;
    // H.
    int helpOverlay = 0;
    // Smooth motion (-smooth, M): frames at the display's rate between the
    // steps, drawn between the last two steps' pictures.
    int smoothMotion = 0;
    unsigned int randomSeed = 0;
    // The lab (-lab opens the first two): which of the data table and the
    // plots are open (bits, lab/lab_panels.h), the selected ball's path
    // and the value labels on the balls.
    int labPanels = 0;
    int paths = 0;
    int valueLabels = 0;

    // The hands on the balls (I, G, a click on a ball): the selected ball by
    // slot (-1: none), whether a left click selects and a held one drags,
    // and the ball the pointer holds with the plane it moves on.
    int inspectMode = 0;
    int selectedBall = -1;
    int heldBall = -1;
    int heldByButton = 0;
    Vector3 dragPlanePoint;
    Vector3 dragPlaneNormal;
    // The left press the hands took, so that they take its release too:
    // none, a click, or one that began a hold (its release ends the hold
    // whatever step back did to it in between).
    enum class Press { None, Taken, Holding };
    Press press = Press::None;
};
