#include "effects/inspect_mode.h"

#include "platform/clock.h"
#include "scene/scene_state.h"

void togglePause() {
    if (scene.paused == 0) {
        scene.pausedSceneTime = shiftedReading(elapsedMilliseconds(), -static_cast<long long>(scene.pausedTotal));
        scene.paused = 1;
    } else {
        // The scene clock goes on from where it stood.
        scene.pausedTotal = shiftedReading(elapsedMilliseconds(), -static_cast<long long>(scene.pausedSceneTime));
        scene.paused = 0;
        scene.singleStepsPending = 0;
    }
}

void requestSingleStep() {
    if (scene.paused != 0) ++scene.singleStepsPending;
}

void toggleCollisionView() { scene.collisionView ^= 1; }

void toggleHelpOverlay() { scene.helpOverlay ^= 1; }

bool takeSimulationTurn() {
    if (scene.paused == 0) return true;
    if (scene.singleStepsPending <= 0) return false;
    --scene.singleStepsPending;
    scene.pausedSceneTime = shiftedReading(scene.pausedSceneTime, kSingleStepMilliseconds);
    scene.viewFrameOwed = 1;
    return true;
}

int sceneMilliseconds() {
    if (scene.paused != 0) return scene.pausedSceneTime;
    return shiftedReading(elapsedMilliseconds(), -static_cast<long long>(scene.pausedTotal));
}

void beginViewFrame() {
    scene.viewAdvances = (scene.paused == 0 || scene.viewFrameOwed != 0) ? 1 : 0;
    scene.viewFrameOwed = 0;
}

bool viewFrozen() { return scene.viewAdvances == 0; }
