#include "input/mouse_actions.h"

#include "effects/shot_pool.h"
#include "input/key_codes.h"
#include "platform/clock.h"

namespace {

constexpr int kLaunchIntervalMs = 1000;
constexpr double kLaunchSpeed = 12.0;
// A followed shot is watched in slow motion at this fraction of the step.
constexpr double kSlowMotionDivisor = 6.0;

void followNewShot(Simulation& s) {
    s.controls.activeTimeStep = s.controls.timeStep / kSlowMotionDivisor;
}

}  // namespace

Vector3 pickRayDirection(const Simulation& s, int x, int y, Readings& readings) {
    return readings.pickRay(x, y, s.controls.viewDirection);
}

void handleMouseButton(Simulation& s, int button, int state, int x, int y, Readings& readings) {
    if (button == kLeftButton) {
        if (state == kButtonDown) {
            s.controls.mouseX = x;
            s.controls.mouseY = y;
            s.controls.leftButtonDown = 1;
        } else if (state == kButtonUp) {
            s.controls.leftButtonDown = 0;
        }
        return;
    }
    if (button == kRightButton && state == kButtonDown && s.controls.followedShot == -1 &&
        s.controls.followBall == 0) {
        s.controls.mouseX = x;
        s.controls.mouseY = y;
        s.controls.followedShot = fireShot(s, s.controls.mouseX, s.controls.mouseY, readings);
        if (s.controls.followedShot != -1) followNewShot(s);
    }
}

void handleMouseMotion(Simulation& s, int x, int y) {
    s.controls.mouseX = x;
    s.controls.mouseY = y;
}

int fireShot(Simulation& s, int x, int y, Readings& readings) {
    if (!shotLaunchAllowed(s, readings)) return -1;
    return launchShotAlong(s, pickRayDirection(s, x, y, readings), readings);
}

void launchBall(Simulation& s, int x, int y, Readings& readings) {
    if (millisecondsBetween(s.lastShotTime, readings.clock()) <= kLaunchIntervalMs) return;
    const Vector3 d = pickRayDirection(s, x, y, readings);
    for (int i = 0; i < kMaxBalls; ++i) {
        if (s.ballAlive[i] != 0) continue;
        s.ballPreviousPositions[i] = s.controls.cameraPosition;
        s.ballPositions[i] = s.controls.cameraPosition;
        Scale(d, kLaunchSpeed, s.ballVelocities[i]);
        s.ballAlive[i] = 1;
        s.lastShotTime = readings.clock();
        return;
    }
}
