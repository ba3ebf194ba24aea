#include "effects/inspect_mode.h"

#include "platform/clock.h"

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

void toggleCollisionView(ViewerState& viewer) { viewer.collisionView ^= 1; }

void pickCollisionLayers(ViewerState& viewer) {
    if (viewer.collisionView == 0) {
        viewer.collisionView = 1;
    } else {
        switch (viewer.collisionLayers) {
        case kLayerVolumes | kLayerContacts | kLayerVelocities: viewer.collisionLayers = kLayerVolumes; break;
        case kLayerVolumes: viewer.collisionLayers = kLayerContacts; break;
        case kLayerContacts: viewer.collisionLayers = kLayerVelocities; break;
        default: viewer.collisionLayers = kLayerVolumes | kLayerContacts | kLayerVelocities; break;
        }
    }
}

void toggleHelpOverlay(ViewerState& viewer) { viewer.helpOverlay ^= 1; }

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
