#include "physics/collision_response.h"

#include "effects/explosion_pool.h"
#include "platform/sound.h"

namespace {

// Every moving body to where it is `time` after the start of the sub-step.
void moveBodiesTo(Simulation& s, double time) {
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] != 0) s.ballPositions[k] = s.ballPreviousPositions[k] + s.ballVelocities[k] * time;
    }
    for (Shot& shot : s.shots) {
        if (shot.life != 0) shot.position = shot.previousPosition + shot.velocity * time;
    }
}

bool anyBallAlive(const Simulation& s) {
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] != 0) return true;
    }
    return false;
}

// The ball takes over the shot's velocity along the line between them and
// keeps its own across it; the sum is scaled to a tenth.
void pushBall(Simulation& s, int ball, const Shot& shot) {
    const Vector3 p = s.ballPositions[ball];
    const Vector3 q = shot.position;
    const Vector3 n1 = Unit(p - q);
    const Vector3 shotNormal = n1 * Dot(n1, shot.velocity);
    const Vector3 n2 = Unit(q - p);
    const Vector3 ballNormal = n2 * Dot(n2, s.ballVelocities[ball]);
    const Vector3 ballTangent = s.ballVelocities[ball] - ballNormal;
    s.ballVelocities[ball] = (shotNormal + ballTangent) * 0.1;
}

}  // namespace

Vector3 reflectVelocity(const Vector3& velocity, const Vector3& normal) {
    const Vector3 direction = Unit(velocity);
    const double speed = velocity.Length();
    return Unit(direction + normal * 2.0 * Dot(normal, -direction)) * speed;
}

void respondToContact(Simulation& s, const Contact& contact, Readings& readings, StepEvents& events) {
    const double time = contact.time;
    s.remaining -= time;
    moveBodiesTo(s, time);

    if (contact.body >= 0) {
        const int m = contact.body;
        if (contact.tipHit) {
            s.ballAlive[m] = 0;
            if (s.controls.soundOn != 0) {
                events.addCue(kExplodeCue);
                if (!anyBallAlive(s)) events.addCue(kYeahCue);
            }
        }
        s.ballVelocities[m] = reflectVelocity(s.ballVelocities[m], contact.normal);
    } else {
        Shot& shot = s.shots[-1 - contact.body];
        if (contact.hitBall >= 0 && contact.hitBall < kMaxBalls) {
            pushBall(s, contact.hitBall, shot);
            if (s.controls.soundOn != 0) events.addCue(kBounceCue);
        }
        shot.velocity = reflectVelocity(shot.velocity, contact.normal);
        shot.life -= 1;
    }

    spawnExplosion(s, contact.point, contact.tipHit ? 1 : 0, readings);
}

void respondToBallPair(Simulation& s, int i, int j, double t, Readings& readings) {
    s.remaining -= t;

    const Vector3 vI = s.ballVelocities[i];
    const Vector3 vJ = s.ballVelocities[j];
    const Vector3 pI = s.ballPreviousPositions[i] + vI * t;
    const Vector3 pJ = s.ballPreviousPositions[j] + vJ * t;

    // Equal masses, perfectly elastic: the normal parts are exchanged, the
    // tangential parts kept.
    const Vector3 n = Unit(pJ - pI);
    const Vector3 vIn = n * Dot(n, vI);
    const Vector3 vIt = vI - vIn;
    const Vector3 nOpposite = Unit(pI - pJ);
    const Vector3 vJn = nOpposite * Dot(nOpposite, vJ);
    const Vector3 vJt = vJ - vJn;
    const Vector3 uI = ((vIn + vJn) - (vIn - vJn)) * 0.5;
    const Vector3 uJ = ((vIn + vJn) - (vJn - vIn)) * 0.5;

    moveBodiesTo(s, t);
    s.ballVelocities[i] = uI + vIt;
    s.ballVelocities[j] = uJ + vJt;

    spawnExplosion(s, s.ballPositions[i], 0, readings);
}
