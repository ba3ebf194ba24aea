#include "scene/sim_controls.h"

#include <cstring>

#include "scene/scene_state.h"

namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool sameBits(const Vector3& a, const Vector3& b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z) && a.status == b.status;
}

}  // namespace

SimControls captureSimControls() {
    SimControls c;
    c.timeStep = scene.timeStep;
    c.activeTimeStep = scene.activeTimeStep;
    c.cameraPosition = scene.cameraPosition;
    c.viewDirection = scene.viewDirection;
    c.cameraYaw = scene.cameraYaw;
    c.followBall = scene.followBall;
    c.followedShot = scene.followedShot;
    c.autoFire = scene.autoFire;
    c.launchMode = scene.launchMode;
    c.resetRequested = scene.resetRequested;
    c.soundOn = scene.soundOn;
    c.upKeyDown = scene.upKeyDown;
    c.downKeyDown = scene.downKeyDown;
    c.leftKeyDown = scene.leftKeyDown;
    c.rightKeyDown = scene.rightKeyDown;
    c.mouseX = scene.mouseX;
    c.mouseY = scene.mouseY;
    c.leftButtonDown = scene.leftButtonDown;
    c.paused = scene.paused;
    c.pausedSceneTime = scene.pausedSceneTime;
    c.pausedTotal = scene.pausedTotal;
    return c;
}

void applySimControls(const SimControls& c) {
    scene.timeStep = c.timeStep;
    scene.activeTimeStep = c.activeTimeStep;
    scene.cameraPosition = c.cameraPosition;
    scene.viewDirection = c.viewDirection;
    scene.cameraYaw = c.cameraYaw;
    scene.followBall = c.followBall;
    scene.followedShot = c.followedShot;
    scene.autoFire = c.autoFire;
    scene.launchMode = c.launchMode;
    scene.resetRequested = c.resetRequested;
    scene.soundOn = c.soundOn;
    scene.upKeyDown = c.upKeyDown;
    scene.downKeyDown = c.downKeyDown;
    scene.leftKeyDown = c.leftKeyDown;
    scene.rightKeyDown = c.rightKeyDown;
    scene.mouseX = c.mouseX;
    scene.mouseY = c.mouseY;
    scene.leftButtonDown = c.leftButtonDown;
    scene.paused = c.paused;
    scene.pausedSceneTime = c.pausedSceneTime;
    scene.pausedTotal = c.pausedTotal;
}

bool sameSimControls(const SimControls& a, const SimControls& b) {
    return sameBits(a.timeStep, b.timeStep) && sameBits(a.activeTimeStep, b.activeTimeStep) &&
           sameBits(a.cameraPosition, b.cameraPosition) && sameBits(a.viewDirection, b.viewDirection) &&
           sameBits(a.cameraYaw, b.cameraYaw) && a.followBall == b.followBall && a.followedShot == b.followedShot &&
           a.autoFire == b.autoFire && a.launchMode == b.launchMode && a.resetRequested == b.resetRequested &&
           a.soundOn == b.soundOn && a.upKeyDown == b.upKeyDown && a.downKeyDown == b.downKeyDown &&
           a.leftKeyDown == b.leftKeyDown && a.rightKeyDown == b.rightKeyDown && a.mouseX == b.mouseX &&
           a.mouseY == b.mouseY && a.leftButtonDown == b.leftButtonDown && a.paused == b.paused &&
           a.pausedSceneTime == b.pausedSceneTime && a.pausedTotal == b.pausedTotal;
}

ViewerControls captureViewerControls() {
    ViewerControls v;
    v.cameraPosition = scene.cameraPosition;
    v.viewDirection = scene.viewDirection;
    v.cameraYaw = scene.cameraYaw;
    v.upKeyDown = scene.upKeyDown;
    v.downKeyDown = scene.downKeyDown;
    v.leftKeyDown = scene.leftKeyDown;
    v.rightKeyDown = scene.rightKeyDown;
    v.paused = scene.paused;
    v.pausedSceneTime = scene.pausedSceneTime;
    v.pausedTotal = scene.pausedTotal;
    return v;
}

void applyViewerControls(const ViewerControls& v, bool camera) {
    if (camera) {
        scene.cameraPosition = v.cameraPosition;
        scene.viewDirection = v.viewDirection;
        scene.cameraYaw = v.cameraYaw;
    }
    scene.upKeyDown = v.upKeyDown;
    scene.downKeyDown = v.downKeyDown;
    scene.leftKeyDown = v.leftKeyDown;
    scene.rightKeyDown = v.rightKeyDown;
    scene.paused = v.paused;
    scene.pausedSceneTime = v.pausedSceneTime;
    scene.pausedTotal = v.pausedTotal;
}
