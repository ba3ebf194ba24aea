#include "effects/view_state.h"

#include "effects/explosion_pool.h"
#include "effects/inspect_mode.h"
#include "scene/scene_state.h"

namespace {

constexpr double kBallChaseDistance = 220.0;
constexpr double kShotFollowDistance = 120.0;
constexpr int kTrailEyeEntries = 9;  // entry 9 is carried along but never read

Vector3 chaseEye() {
    Vector3 eye = sim.view.chaseTrail[0] * 0.1;
    for (int i = 1; i < kTrailEyeEntries; ++i) eye += sim.view.chaseTrail[i] * 0.1;
    return eye;
}

}  // namespace

int chasedBall(const Simulation& s) {
    const int k = scene.selectedBall;
    return k >= 0 && k < kMaxBalls && s.ballAlive[k] != 0 ? k : 0;
}

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
    for (int i = 0; i < kChaseTrailLength - 1; ++i) sim.view.chaseTrail[i] = p;
}

Vector3 advanceChaseTrail(const Vector3& target) {
    // A paused frame looks from where the last one did.
    if (viewFrozen()) return chaseEye();
    for (int i = kChaseTrailLength - 1; i > 0; --i) sim.view.chaseTrail[i] = sim.view.chaseTrail[i - 1];
    sim.view.chaseTrail[0] = target;
    return chaseEye();
}

CameraView advanceCamera() {
    CameraView view;
    if (sim.controls.followBall) {
        const int k = chasedBall(sim);
        const Vector3& ball = sim.ballPositions[k];
        view.eye = advanceChaseTrail(chaseTarget(ball, sim.ballPreviousPositions[k], kBallChaseDistance));
        view.center = ball;
    } else if (sim.controls.followedShot >= 0 && sim.controls.followedShot < kShotCount) {
        const Shot& shot = sim.shots[sim.controls.followedShot];
        view.eye = advanceChaseTrail(chaseTarget(shot.position, shot.previousPosition, kShotFollowDistance));
        view.center = shot.position;
        if (shot.life == 0) {
            sim.controls.followedShot = -1;
            sim.controls.activeTimeStep = sim.controls.timeStep;
        }
    } else {
        view.eye = sim.controls.cameraPosition;
        view.center = sim.controls.cameraPosition + sim.controls.viewDirection;
    }
    return view;
}

float advanceGlowPulse() {
    if (viewFrozen()) return sim.view.glowPulse;
    sim.view.glowPulse = static_cast<float>(sim.view.glowPulse + sim.view.glowPulseStep * sim.controls.activeTimeStep);
    if (sim.view.glowPulse >= 0.8 || sim.view.glowPulse <= 0.2) sim.view.glowPulseStep = -sim.view.glowPulseStep;
    return sim.view.glowPulse;
}

FrameLook advanceFrameView() {
    FrameLook look;
    beginViewFrame();
    look.camera = advanceCamera();
    look.glowAlpha = 1.0f - sim.view.glowPulse;
    for (float& scale : look.glowScales) scale = advanceGlowPulse();
    for (int e = 0; e < kExplosionCount; ++e) {
        look.flashShown[e] = sim.explosions[e].alpha > 0.0f;
        advanceExplosion(e);
    }
    return look;
}
