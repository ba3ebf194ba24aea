#include "effects/view_state.h"


namespace {

constexpr double kBallChaseDistance = 220.0;
constexpr double kShotFollowDistance = 120.0;
constexpr int kTrailEyeEntries = 9;  // entry 9 is carried along but never read

Vector3 chaseEye(const Vector3 (&trail)[kChaseTrailLength]) {
    Vector3 eye = trail[0] * 0.1;
    for (int i = 1; i < kTrailEyeEntries; ++i) eye += trail[i] * 0.1;
    return eye;
}

// What the camera follows now: a ball, a live followed shot, or the shot
// the last step stopped following (its frame still looks at it); -1 for
// the free camera.
int followedBody(const Simulation& s, int endedFollow, int selectedBall) {
    if (s.controls.followBall != 0) return chasedBall(s, selectedBall);
    const int shot = s.controls.followedShot;
    if (shot >= 0 && shot < kShotCount) return kMaxBalls + shot;
    if (shot == -1 && endedFollow >= 0 && endedFollow < kShotCount) return kMaxBalls + endedFollow;
    return -1;
}

struct Followed {
    Vector3 position;
    Vector3 previous;
    Vector3 velocity;
    double distance;
};

Followed followedState(const Simulation& s, int body) {
    if (body < kMaxBalls) {
        return {s.ballPositions[body], s.ballPreviousPositions[body], s.ballVelocities[body], kBallChaseDistance};
    }
    const Shot& shot = s.shots[body - kMaxBalls];
    return {shot.position, shot.previousPosition, shot.velocity, kShotFollowDistance};
}

// A chase starts with entries 0..8 one step back along the velocity; the
// newest entry (9 after the first shift) is left as it was.
void primeTrail(Vector3 (&trail)[kChaseTrailLength], const Followed& f) {
    Vector3 p;
    Subtract(f.position, f.velocity, p);
    for (int i = 0; i < kChaseTrailLength - 1; ++i) trail[i] = p;
}

float pulseStep(StepView& view, const Simulation& s) {
    view.glowPulse = static_cast<float>(view.glowPulse + view.glowPulseStep * s.controls.activeTimeStep);
    if (view.glowPulse >= 0.8 || view.glowPulse <= 0.2) view.glowPulseStep = -view.glowPulseStep;
    return view.glowPulse;
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

void advanceStepView(StepView& view, const Simulation& s, int endedFollow, int selectedBall) {
    view.endedFollow = endedFollow;
    const int body = followedBody(s, endedFollow, selectedBall);
    if (body >= 0) {
        const Followed f = followedState(s, body);
        if (view.trailOf != body) primeTrail(view.chaseTrail, f);
        for (int i = kChaseTrailLength - 1; i > 0; --i) view.chaseTrail[i] = view.chaseTrail[i - 1];
        view.chaseTrail[0] = chaseTarget(f.position, f.previous, f.distance);
    }
    view.trailOf = body;
    view.glowAlpha = 1.0f - view.glowPulse;
    for (float& scale : view.glowScales) scale = pulseStep(view, s);
}

FrameLook lookAt(const Simulation& s, const StepView& view, const ContactHistory* contacts, int selectedBall) {
    FrameLook look;
    const int body = followedBody(s, view.endedFollow, selectedBall);
    if (body >= 0) {
        const Followed f = followedState(s, body);
        if (view.trailOf == body) {
            look.camera.eye = chaseEye(view.chaseTrail);
        } else {
            // Followed since the last step: the primed trail, not yet moved.
            Vector3 trail[kChaseTrailLength];
            primeTrail(trail, f);
            look.camera.eye = chaseEye(trail);
        }
        look.camera.center = f.position;
    } else {
        look.camera.eye = s.controls.cameraPosition;
        look.camera.center = s.controls.cameraPosition + s.controls.viewDirection;
    }
    look.glowAlpha = view.glowAlpha;
    for (int g = 0; g < kGlowSphereCount; ++g) look.glowScales[g] = view.glowScales[g];
    for (int e = 0; e < kExplosionCount; ++e) look.flashShown[e] = s.explosions[e].alpha > 0.0f;
    look.contacts = contacts;
    look.contactTime = s.stepSceneTime;
    return look;
}
