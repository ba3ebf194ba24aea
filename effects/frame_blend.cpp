#include "effects/frame_blend.h"

#include "platform/clock.h"

namespace {

Vector3 between(const Vector3& a, const Vector3& b, double f) { return a + (b - a) * f; }

float between(float a, float b, double f) { return static_cast<float>(a + (b - a) * f); }

bool closeEnough(const Vector3& a, const Vector3& b) { return a.Distance(b) <= kBlendJumpLimit; }

// The same free, chase or follow camera in both frames.
bool sameCamera(const SimControls& a, const SimControls& b) {
    return a.followBall == b.followBall && a.followedShot == b.followedShot;
}

// The same flash, still shown, in both frames.
bool sameFlash(const Explosion& a, const Explosion& b) {
    return a.startTime == b.startTime && a.duration == b.duration && a.position.Distance(b.position) == 0.0;
}

}  // namespace

void blendFrames(const ShownFrame& before, const ShownFrame& after, double fraction, ShownFrame& into) {
    into = before;
    if (fraction <= 0.0) return;
    const double f = fraction < 1.0 ? fraction : 1.0;
    const Simulation& a = before.state;
    const Simulation& b = after.state;
    Simulation& s = into.state;

    for (int k = 0; k < kMaxBalls; ++k) {
        if (a.ballAlive[k] == 0 || b.ballAlive[k] == 0 || !closeEnough(a.ballPositions[k], b.ballPositions[k])) continue;
        s.ballPositions[k] = between(a.ballPositions[k], b.ballPositions[k], f);
    }
    for (int i = 0; i < kShotCount; ++i) {
        const Shot& sa = a.shots[i];
        const Shot& sb = b.shots[i];
        if (sa.life == 0 || sb.life == 0 || !closeEnough(sa.position, sb.position)) continue;
        s.shots[i].position = between(sa.position, sb.position, f);
        s.shots[i].velocity = between(sa.velocity, sb.velocity, f);
    }
    for (int e = 0; e < kExplosionCount; ++e) {
        if (!before.look.flashShown[e] || !after.look.flashShown[e] || !sameFlash(a.explosions[e], b.explosions[e])) {
            continue;
        }
        s.explosions[e].alpha = between(a.explosions[e].alpha, b.explosions[e].alpha, f);
        s.explosions[e].scale = between(a.explosions[e].scale, b.explosions[e].scale, f);
    }

    const CameraView& ca = before.look.camera;
    const CameraView& cb = after.look.camera;
    if (sameCamera(a.controls, b.controls) && closeEnough(ca.eye, cb.eye) && closeEnough(ca.center, cb.center)) {
        into.look.camera.eye = between(ca.eye, cb.eye, f);
        into.look.camera.center = between(ca.center, cb.center, f);
    }
    into.look.glowAlpha = between(before.look.glowAlpha, after.look.glowAlpha, f);
    for (int g = 0; g < kGlowSphereCount; ++g) {
        into.look.glowScales[g] = between(before.look.glowScales[g], after.look.glowScales[g], f);
    }
    const long long sceneStep = millisecondsBetween(before.look.contactTime, after.look.contactTime);
    const long long sceneGone = static_cast<long long>(f * static_cast<double>(sceneStep));
    into.look.contactTime = shiftedReading(before.look.contactTime, sceneGone);
}
