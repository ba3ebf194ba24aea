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

void followNewShot(int index) {
    const Shot& shot = sim.shots[index];
    primeChaseTrail(shot.position, shot.velocity);
    sim.controls.activeTimeStep = sim.controls.timeStep / kSlowMotionDivisor;
}

}  // namespace

Vector3 pickRayDirection(int x, int y, Readings& readings) { return readings.pickRay(x, y); }

void handleMouseButton(int button, int state, int x, int y, Readings& readings) {
    if (button == kLeftButton) {
        if (state == kButtonDown) {
            sim.controls.mouseX = x;
            sim.controls.mouseY = y;
            sim.controls.leftButtonDown = 1;
        } else if (state == kButtonUp) {
            sim.controls.leftButtonDown = 0;
        }
        return;
    }
    if (button == kRightButton && state == kButtonDown && sim.controls.followedShot == -1 &&
        sim.controls.followBall == 0) {
        sim.controls.mouseX = x;
        sim.controls.mouseY = y;
        sim.controls.followedShot = fireShot(sim.controls.mouseX, sim.controls.mouseY, readings);
        if (sim.controls.followedShot != -1) followNewShot(sim.controls.followedShot);
    }
}

void handleMouseMotion(int x, int y) {
    sim.controls.mouseX = x;
    sim.controls.mouseY = y;
}

int fireShot(int x, int y, Readings& readings) {
    if (!shotLaunchAllowed(readings)) return -1;
    return launchShotAlong(readings.pickRay(x, y), readings);
}

void launchBall(int x, int y, Readings& readings) {
    if (millisecondsBetween(sim.lastShotTime, readings.clock()) <= kLaunchIntervalMs) return;
    const Vector3 d = readings.pickRay(x, y);
    for (int i = 0; i < kMaxBalls; ++i) {
        if (sim.ballAlive[i] != 0) continue;
        sim.ballPreviousPositions[i] = sim.controls.cameraPosition;
        sim.ballPositions[i] = sim.controls.cameraPosition;
        Scale(d, kLaunchSpeed, sim.ballVelocities[i]);
        sim.ballAlive[i] = 1;
        sim.lastShotTime = readings.clock();
        return;
    }
}
