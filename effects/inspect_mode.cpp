#include "effects/inspect_mode.h"

#include "platform/clock.h"
#include "scene/scene_state.h"

void togglePause(Readings& readings) {
    if (sim.controls.paused == 0) {
        sim.controls.pausedSceneTime =
            shiftedReading(readings.clock(), -static_cast<long long>(sim.controls.pausedTotal));
        sim.controls.paused = 1;
    } else {
        // The scene clock goes on from where it stood.
        sim.controls.pausedTotal =
            shiftedReading(readings.clock(), -static_cast<long long>(sim.controls.pausedSceneTime));
        sim.controls.paused = 0;
        scene.singleStepsPending = 0;
    }
}

void requestSingleStep() {
    if (sim.controls.paused != 0) ++scene.singleStepsPending;
}

void toggleCollisionView() { scene.collisionView ^= 1; }

void pickCollisionLayers() {
    if (scene.collisionView == 0) {
        scene.collisionView = 1;
    } else {
        switch (scene.collisionLayers) {
        case kLayerVolumes | kLayerContacts | kLayerVelocities: scene.collisionLayers = kLayerVolumes; break;
        case kLayerVolumes: scene.collisionLayers = kLayerContacts; break;
        case kLayerContacts: scene.collisionLayers = kLayerVelocities; break;
        default: scene.collisionLayers = kLayerVolumes | kLayerContacts | kLayerVelocities; break;
        }
    }
}

void toggleHelpOverlay() { scene.helpOverlay ^= 1; }

bool takeSimulationTurn() {
    if (sim.controls.paused == 0) return true;
    if (scene.singleStepsPending <= 0) return false;
    --scene.singleStepsPending;
    sim.controls.pausedSceneTime = shiftedReading(sim.controls.pausedSceneTime, kSingleStepMilliseconds);
    scene.viewFrameOwed = 1;
    return true;
}

int sceneMilliseconds(Readings& readings) {
    if (sim.controls.paused != 0) return sim.controls.pausedSceneTime;
    return shiftedReading(readings.clock(), -static_cast<long long>(sim.controls.pausedTotal));
}

void beginViewFrame() {
    scene.viewAdvances = (sim.controls.paused == 0 || scene.viewFrameOwed != 0) ? 1 : 0;
    scene.viewFrameOwed = 0;
}

bool viewFrozen() { return scene.viewAdvances == 0; }
