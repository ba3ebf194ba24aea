#include "scene/sim_controls.h"

#include <cstring>

#include "scene/scene_state.h"

// Every control is a field of the same name in SimControls and SceneState;
// the lists name each once for capturing, applying and comparing.
#define VL_VIEWER_CAMERA(X) X(cameraPosition) X(viewDirection) X(cameraYaw)
#define VL_VIEWER_HELD(X) \
    X(upKeyDown) X(downKeyDown) X(leftKeyDown) X(rightKeyDown) X(paused) X(pausedSceneTime) X(pausedTotal)
#define VL_SIMULATION_ONLY(X)                                                                                  \
    X(timeStep) X(activeTimeStep) X(followBall) X(followedShot) X(autoFire) X(launchMode) X(resetRequested) \
        X(soundOn) X(mouseX) X(mouseY) X(leftButtonDown)
#define VL_ALL_CONTROLS(X) VL_SIMULATION_ONLY(X) VL_VIEWER_CAMERA(X) VL_VIEWER_HELD(X)

namespace {

bool sameBits(int a, int b) { return a == b; }
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool sameBits(const Vector3& a, const Vector3& b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z) && a.status == b.status;
}

}  // namespace

SimControls captureSimControls() {
    SimControls c;
#define VL_CAPTURE(field) c.field = scene.field;
    VL_ALL_CONTROLS(VL_CAPTURE)
#undef VL_CAPTURE
    return c;
}

#define VL_APPLY(field) scene.field = c.field;

void applySimControls(const SimControls& c) { VL_ALL_CONTROLS(VL_APPLY) }

void applyViewerControls(const SimControls& c, bool camera) {
    if (camera) {
        VL_VIEWER_CAMERA(VL_APPLY)
    }
    VL_VIEWER_HELD(VL_APPLY)
}

#undef VL_APPLY

bool sameSimControls(const SimControls& a, const SimControls& b) {
#define VL_SAME(field) sameBits(a.field, b.field) &&
    return VL_ALL_CONTROLS(VL_SAME) true;
#undef VL_SAME
}
