#include "effects/view_state.h"

#include "effects/inspect_mode.h"
#include "scene/scene_state.h"

namespace {

constexpr double kBallChaseDistance = 220.0;
constexpr double kShotFollowDistance = 120.0;
constexpr int kTrailEyeEntries = 9;  // entry 9 is carried along but never read

Vector3 chaseEye() {
    Vector3 eye = scene.chaseTrail[0] * 0.1;
    for (int i = 1; i < kTrailEyeEntries; ++i) eye += scene.chaseTrail[i] * 0.1;
    return eye;
}

}  // namespace

Vector3 chaseTarget(const Vector3& position, const Vector3& previous, double distance) {
    Vector3 back = Unit(previous - position) * distance;
    // A ball that has never been stepped has no previous position; looking
    // at an invalid point would put the eye at the origin, so stay on it.
    if (!back.IsValid()) return position;
    return position + back;
}

void primeChaseTrail(const Vector3& position, const Vector3& velocity) {
    Vector3 p;
    Subtract(position, velocity, p);
    for (int i = 0; i < kChaseTrailLength - 1; ++i) scene.chaseTrail[i] = p;
}

Vector3 advanceChaseTrail(const Vector3& target) {
    // A paused frame looks from where the last one did.
    if (viewFrozen()) return chaseEye();
    for (int i = kChaseTrailLength - 1; i > 0; --i) scene.chaseTrail[i] = scene.chaseTrail[i - 1];
    scene.chaseTrail[0] = target;
    return chaseEye();
}

CameraView advanceCamera() {
    CameraView view;
    if (scene.followBall) {
        const Vector3& ball = scene.ballPositions[0];
        view.eye = advanceChaseTrail(chaseTarget(ball, scene.ballPreviousPositions[0], kBallChaseDistance));
        view.center = ball;
    } else if (scene.followedShot >= 0 && scene.followedShot < kShotCount) {
        const Shot& shot = scene.shots[scene.followedShot];
        view.eye = advanceChaseTrail(chaseTarget(shot.position, shot.previousPosition, kShotFollowDistance));
        view.center = shot.position;
        if (shot.life == 0) {
            scene.followedShot = -1;
            scene.activeTimeStep = scene.timeStep;
        }
    } else {
        view.eye = scene.cameraPosition;
        view.center = scene.cameraPosition + scene.viewDirection;
    }
    return view;
}

float advanceGlowPulse() {
    if (viewFrozen()) return scene.glowPulse;
    scene.glowPulse = static_cast<float>(scene.glowPulse + scene.glowPulseStep * scene.activeTimeStep);
    if (scene.glowPulse >= 0.8 || scene.glowPulse <= 0.2) scene.glowPulseStep = -scene.glowPulseStep;
    return scene.glowPulse;
}
