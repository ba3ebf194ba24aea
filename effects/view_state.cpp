#include "effects/view_state.h"

#include "effects/explosion_pool.h"
#include "effects/inspect_mode.h"

namespace {

constexpr double kBallChaseDistance = 220.0;
constexpr double kShotFollowDistance = 120.0;
constexpr int kTrailEyeEntries = 9;  // entry 9 is carried along but never read

Vector3 chaseEye(const Simulation& s) {
    Vector3 eye = s.view.chaseTrail[0] * 0.1;
    for (int i = 1; i < kTrailEyeEntries; ++i) eye += s.view.chaseTrail[i] * 0.1;
    return eye;
}

}  // namespace

int chasedBall(const Simulation& s, int selectedBall) {
    const int k = selectedBall;
    return k >= 0 && k < kMaxBalls && s.ballAlive[k] != 0 ? k : 0;
}

Vector3 chaseTarget(const Vector3& position, const Vector3& previous, double distance) {
    Vector3 back = Unit(previous - position) * distance;
    // A ball that has never been stepped has no previous position; looking
    // at an invalid point would put the eye at the origin, so stay on it.
    if (!back.IsValid()) return position;
    return position + back;
}

void primeChaseTrail(Simulation& s, const Vector3& position, const Vector3& velocity) {
    Vector3 p;
    Subtract(position, velocity, p);
    for (int i = 0; i < kChaseTrailLength - 1; ++i) s.view.chaseTrail[i] = p;
}

Vector3 advanceChaseTrail(Simulation& s, const SceneState& scene, const Vector3& target) {
    // A paused frame looks from where the last one did.
    if (viewFrozen(scene)) return chaseEye(s);
    for (int i = kChaseTrailLength - 1; i > 0; --i) s.view.chaseTrail[i] = s.view.chaseTrail[i - 1];
    s.view.chaseTrail[0] = target;
    return chaseEye(s);
}

CameraView advanceCamera(Simulation& s, const SceneState& scene, int selectedBall) {
    CameraView view;
    if (s.controls.followBall) {
        const int k = chasedBall(s, selectedBall);
        const Vector3& ball = s.ballPositions[k];
        view.eye = advanceChaseTrail(s, scene, chaseTarget(ball, s.ballPreviousPositions[k], kBallChaseDistance));
        view.center = ball;
    } else if (s.controls.followedShot >= 0 && s.controls.followedShot < kShotCount) {
        const Shot& shot = s.shots[s.controls.followedShot];
        view.eye = advanceChaseTrail(s, scene, chaseTarget(shot.position, shot.previousPosition, kShotFollowDistance));
        view.center = shot.position;
        if (shot.life == 0) {
            s.controls.followedShot = -1;
            s.controls.activeTimeStep = s.controls.timeStep;
        }
    } else {
        view.eye = s.controls.cameraPosition;
        view.center = s.controls.cameraPosition + s.controls.viewDirection;
    }
    return view;
}

float advanceGlowPulse(Simulation& s, const SceneState& scene) {
    if (viewFrozen(scene)) return s.view.glowPulse;
    s.view.glowPulse = static_cast<float>(s.view.glowPulse + s.view.glowPulseStep * s.controls.activeTimeStep);
    if (s.view.glowPulse >= 0.8 || s.view.glowPulse <= 0.2) s.view.glowPulseStep = -s.view.glowPulseStep;
    return s.view.glowPulse;
}

FrameLook advanceFrameView(Simulation& s, SceneState& scene, int selectedBall, Readings& readings) {
    FrameLook look;
    beginViewFrame(s, scene);
    look.camera = advanceCamera(s, scene, selectedBall);
    look.glowAlpha = 1.0f - s.view.glowPulse;
    for (float& scale : look.glowScales) scale = advanceGlowPulse(s, scene);
    for (int e = 0; e < kExplosionCount; ++e) {
        look.flashShown[e] = s.explosions[e].alpha > 0.0f;
        advanceExplosion(s, e, readings);
    }
    look.sceneTime = sceneMilliseconds(s, readings);
    return look;
}
