#include "scene/sim_controls.h"

// The watcher's part of the controls, each named once.
#define VL_VIEWER_CAMERA(X) X(cameraPosition) X(viewDirection) X(cameraYaw)
#define VL_VIEWER_HELD(X) \
    X(upKeyDown) X(downKeyDown) X(leftKeyDown) X(rightKeyDown) X(paused) X(pausedSceneTime) X(pausedTotal)
#define VL_APPLY(field) into.field = c.field;

void applyViewerControls(const SimControls& c, bool camera, SimControls& into) {
    if (camera) {
        VL_VIEWER_CAMERA(VL_APPLY)
    }
    VL_VIEWER_HELD(VL_APPLY)
}
