#include "scene/sim_controls.h"

void applyViewerControls(const SimControls& c, bool camera, SimControls& into) {
    if (camera) {
        into.cameraPosition = c.cameraPosition;
        into.viewDirection = c.viewDirection;
        into.cameraYaw = c.cameraYaw;
    }
    into.upKeyDown = c.upKeyDown;
    into.downKeyDown = c.downKeyDown;
    into.leftKeyDown = c.leftKeyDown;
    into.rightKeyDown = c.rightKeyDown;
    into.paused = c.paused;
    into.pausedSceneTime = c.pausedSceneTime;
    into.pausedTotal = c.pausedTotal;
}
