#include "effects/inspect_mode.h"

#include "platform/clock.h"
#include "scene/scene_state.h"

void togglePause(Simulation& s, Readings& readings) {
    if (s.controls.paused == 0) {
        s.controls.pausedSceneTime =
            shiftedReading(readings.clock(), -static_cast<long long>(s.controls.pausedTotal));
        s.controls.paused = 1;
    } else {
        // The scene clock goes on from where it stood.
        s.controls.pausedTotal =
            shiftedReading(readings.clock(), -static_cast<long long>(s.controls.pausedSceneTime));
        s.controls.paused = 0;
    }
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

bool takeSimulationTurn(Simulation& s, int& singleStepsPending) {
    if (s.controls.paused == 0) return true;
    if (singleStepsPending <= 0) return false;
    --singleStepsPending;
    s.controls.pausedSceneTime = shiftedReading(s.controls.pausedSceneTime, kSingleStepMilliseconds);
    return true;
}

int sceneMilliseconds(const Simulation& s, Readings& readings) {
    if (s.controls.paused != 0) return s.controls.pausedSceneTime;
    return shiftedReading(readings.clock(), -static_cast<long long>(s.controls.pausedTotal));
}
