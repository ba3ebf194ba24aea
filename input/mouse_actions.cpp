#include "input/mouse_actions.h"

#include "effects/shot_pool.h"
#include "effects/view_state.h"
#include "input/key_codes.h"
#include "platform/clock.h"
#include "scene/scene_state.h"

namespace {

constexpr int kLaunchIntervalMs = 1000;
constexpr double kLaunchSpeed = 12.0;
// A followed shot is watched in slow motion at this fraction of the step.
constexpr double kSlowMotionDivisor = 6.0;

// Null until the program installs the GL unprojection.
PickRaySource pickRaySource = nullptr;

void followNewShot(int index) {
    const Shot& shot = scene.shots[index];
    primeChaseTrail(shot.position, shot.velocity);
    scene.activeTimeStep = scene.timeStep / kSlowMotionDivisor;
}

}  // namespace

void setPickRaySource(PickRaySource source) { pickRaySource = source; }

PickRaySource installedPickRaySource() { return pickRaySource; }

Vector3 pickRayDirection(int x, int y) {
    if (pickRaySource != nullptr) return pickRaySource(x, y);
    // Without a window every point looks straight along the free camera's view.
    return Unit(scene.viewDirection);
}

void handleMouseButton(int button, int state, int x, int y) {
    if (button == kLeftButton) {
        if (state == kButtonDown) {
            scene.mouseX = x;
            scene.mouseY = y;
            scene.leftButtonDown = 1;
        } else if (state == kButtonUp) {
            scene.leftButtonDown = 0;
        }
        return;
    }
    if (button == kRightButton && state == kButtonDown && scene.followedShot == -1 && scene.followBall == 0) {
        scene.mouseX = x;
        scene.mouseY = y;
        scene.followedShot = fireShot(scene.mouseX, scene.mouseY);
        if (scene.followedShot != -1) followNewShot(scene.followedShot);
    }
}

void handleMouseMotion(int x, int y) {
    scene.mouseX = x;
    scene.mouseY = y;
}

int fireShot(int x, int y) {
    if (!shotLaunchAllowed()) return -1;
    return launchShotAlong(pickRayDirection(x, y));
}

void launchBall(int x, int y) {
    if (millisecondsBetween(scene.lastShotTime, elapsedMilliseconds()) <= kLaunchIntervalMs) return;
    const Vector3 d = pickRayDirection(x, y);
    for (int i = 0; i < kMaxBalls; ++i) {
        if (scene.ballAlive[i] != 0) continue;
        scene.ballPreviousPositions[i] = scene.cameraPosition;
        scene.ballPositions[i] = scene.cameraPosition;
        Scale(d, kLaunchSpeed, scene.ballVelocities[i]);
        scene.ballAlive[i] = 1;
        scene.lastShotTime = elapsedMilliseconds();
        return;
    }
}
