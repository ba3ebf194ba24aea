#include "physics/simulation_step.h"

#include <cmath>

#include "effects/contact_log.h"
#include "effects/explosion_pool.h"
#include "effects/inspect_mode.h"
#include "effects/shot_pool.h"
#include "input/mouse_actions.h"
#include "physics/ball_collision_search.h"
#include "physics/ball_drag.h"
#include "physics/collision_response.h"
#include "physics/contact.h"
#include "physics/intersections.h"
#include "platform/sound.h"
#include "scene/obstacle_clearance.h"
#include "scene/scene_layout.h"

namespace {

constexpr double kTolerance = 1e-8;

// A ball that starts a sub-step this close to a dome or a cone, on either
// side, counts as touching it. The dome test is exact to far less; the cone
// test works in single precision and places its surface to about 1e-4.
constexpr double kDomeReach = 1e-6;
constexpr double kConeReach = 1e-3;

// Zero-time guard. A contact that spends no time (at most the loop's own
// tolerance) can recur for ever without the step getting anywhere: a ball
// whose centre sits on a collision cylinder and moves along it is reflected
// into the same velocity at time 0 again and again. Each body may take this
// many such contacts in one step; after that its contacts at no progress
// are let pass for the rest of the step, while its later contacts and every
// other body are handled as usual. Normal motion never comes near the
// budget, so it runs exactly as without the guard.
constexpr int kZeroTimeBudget = 16;

// Ball k is body k, shot slot s is body -1 - s.
int bodySlot(int body) { return body >= 0 ? body : kMaxBalls + (-1 - body); }

bool noProgress(double time) { return time <= kTolerance; }

// False once the body has spent its budget and the contact would take no time.
bool guardAllows(Simulation& s, int body, double time) {
    if (!noProgress(time) || s.zeroTimeContacts[bodySlot(body)] < kZeroTimeBudget) return true;
    ++s.stats.ignoredContacts;
    return false;
}

// One hit of a ray test: distance s along the unit direction d of a body that
// moves L in the time still to run.
struct Candidate {
    double s;
    Vector3 normal;
    double time;   // when the body reaches the contact
    double along;  // d . n
};

Candidate makeCandidate(const Simulation& s, double dist, const Vector3& normal, const Vector3& d, double L) {
    Candidate c;
    c.s = dist;
    c.normal = normal;
    c.time = dist * s.remaining / L;
    c.along = Dot(d, normal);
    return c;
}

// Equal times are accepted, so the candidate tested last wins a tie. A body
// that does not move (L = 0) has no finite candidate time; taking one would
// spread infinities and NaNs through every body, so none is taken.
bool withinStep(Simulation& s, const Candidate& c, const Contact& contact) {
    if (!std::isfinite(c.time)) {
        ++s.stats.nonFiniteCandidates;
        return false;
    }
    return c.time <= contact.time && c.time <= s.remaining + kTolerance;
}

// Whether the ray test itself saw the body ahead and moving into the surface.
bool seenAhead(const Candidate& c) { return c.s > kTolerance && c.along <= kTolerance; }

// A ball starting a sub-step touching a dome or cone (gap within the reach)
// and moving into it, where the ray test saw nothing ahead: the distance came
// out 0 or just behind, or the far side was found. The strict rule would let
// it sink in; it gets the contact at time 0 instead, as the relaxed rule
// gives it for planes and pillars.
bool touchingContact(double gap, double reach, const Vector3& outward, const Vector3& d, Candidate& c) {
    if (!(std::fabs(gap) <= reach) || !outward.IsValid()) return false;
    c.s = 0.0;
    c.normal = outward;
    c.time = 0.0;
    c.along = Dot(d, outward);
    return c.along < 0.0;
}

// The touching contact of ball k, when it beats what the sub-step has found so far.
bool acceptTouching(Simulation& s, double gap, double reach, const Vector3& outward, const Vector3& d, const Contact& contact, int k,
                    Candidate& c) {
    if (!touchingContact(gap, reach, outward, d, c) || !withinStep(s, c, contact) || !guardAllows(s, k, 0.0)) return false;
    ++s.stats.touchingContacts;
    return true;
}

// Ahead of the body and approached against (or along) the surface.
bool acceptStrict(Simulation& s, const Candidate& c, const Contact& contact, int body) {
    return withinStep(s, c, contact) && c.s > kTolerance && c.along <= kTolerance && guardAllows(s, body, c.time);
}

// Also takes a body resting on the surface, as long as it moves into it.
bool acceptRelaxed(Simulation& s, const Candidate& c, const Contact& contact, int body) {
    return withinStep(s, c, contact) && (c.s > kTolerance || c.along <= kTolerance) && guardAllows(s, body, c.time);
}

void take(Contact& contact, const Candidate& c, int body, const Vector3& point, int hitBall, bool tipHit,
          int with = kWithShot) {
    contact.with = with;
    contact.time = c.time;
    contact.body = body;
    contact.normal = c.normal;
    contact.point = point;
    contact.hitBall = hitBall;
    contact.tipHit = tipHit;
}

// Moves the shot over all the time left and offers its hits as candidates.
void testShot(Simulation& s, int slot, Contact& contact) {
    Shot& shot = s.shots[slot];
    shot.previousPosition = shot.position;
    shot.position = shot.previousPosition + shot.velocity * s.remaining;
    const Vector3 d = Unit(shot.velocity);
    const double L = shot.previousPosition.Distance(shot.position);
    const Vector3& start = shot.previousPosition;
    const int body = -1 - slot;

    double dist = 0.0;
    Vector3 n;
    Vector3 hit;
    for (int j = 0; j < kMaxBalls; ++j) {
        if (s.ballAlive[j] == 0) continue;
        if (IntersectSphere(s.ballPreviousPositions[j], static_cast<float>(s.ballRadius + 1), start, d, dist, n,
                            hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptStrict(s, c, contact, body)) take(contact, c, body, hit, j, false);
        }
    }
    for (const Dome& dome : kDomes) {
        if (IntersectSphere(dome.centre, static_cast<float>(dome.radius + 1), start, d, dist, n, hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptStrict(s, c, contact, body)) take(contact, c, body, hit, -1, false);
        }
    }
    for (const Plane& plane : s.wallPlanes) {
        if (IntersectPlane(plane, start, d, dist, n) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptStrict(s, c, contact, body)) take(contact, c, body, start + d * dist, -1, false);
        }
    }
    for (const Cylinder& cylinder : s.obstacleCylinders) {
        if (IntersectCylinder(cylinder, start, d, dist, n, hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptStrict(s, c, contact, body)) take(contact, c, body, hit, -1, false);
        }
    }
    for (const Cone& cone : s.obstacleCones) {
        if (IntersectCone(cone, start, d, dist, n, hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptStrict(s, c, contact, body)) take(contact, c, body, hit, -1, false);
        }
    }
}

// Moves ball k over all the time left and offers its hits as candidates. The
// obstacles are grown by the radius, so the centre is what is tested.
void testBall(Simulation& s, int k, Contact& contact) {
    s.ballPreviousPositions[k] = s.ballPositions[k];
    s.ballPositions[k] = s.ballPreviousPositions[k] + s.ballVelocities[k] * s.remaining;
    const Vector3 d = Unit(s.ballVelocities[k]);
    const double L = s.ballPreviousPositions[k].Distance(s.ballPositions[k]);
    const Vector3& start = s.ballPreviousPositions[k];
    const int r = s.ballRadius;
    // The flash sits just in front of the obstacle's surface.
    const double flashInset = r - 1;

    double dist = 0.0;
    Vector3 n;
    Vector3 hit;
    for (const Dome& dome : kDomes) {
        bool seen = false;
        if (IntersectSphere(dome.centre, static_cast<float>(r + dome.radius), start, d, dist, n, hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            seen = seenAhead(c);
            if (acceptStrict(s, c, contact, k)) {
                take(contact, c, k, hit - n * flashInset, -1, false, kWithDome);
            }
        }
        Vector3 outward;
        Candidate touching;
        if (!seen &&
            acceptTouching(s, sphereGap(dome.centre, r + dome.radius, start, outward), kDomeReach, outward, d, contact, k,
                           touching)) {
            take(contact, touching, k, start - outward * flashInset, -1, false, kWithDome);
        }
    }
    for (const Plane& plane : s.collisionPlanes) {
        if (IntersectPlane(plane, start, d, dist, n) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptRelaxed(s, c, contact, k)) {
                take(contact, c, k, start + d * dist - n * flashInset, -1, false, kWithWall);
            }
        }
    }
    for (const Cylinder& cylinder : s.collisionCylinders) {
        if (IntersectCylinder(cylinder, start, d, dist, n, hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            if (acceptRelaxed(s, c, contact, k)) {
                take(contact, c, k, hit - n * flashInset, -1, false, kWithPillar);
            }
        }
    }
    const double tipZone = 4 * r;
    for (const Cone& cone : s.collisionCones) {
        bool seen = false;
        if (IntersectCone(cone, start, d, dist, n, hit) != 0) {
            const Candidate c = makeCandidate(s, dist, n, d, L);
            seen = seenAhead(c);
            if (acceptStrict(s, c, contact, k)) {
                // Close to the tip the ball is destroyed and the flare marks its centre.
                const bool tip = cone.apex.Distance(hit) <= tipZone;
                take(contact, c, k, tip ? hit : hit - n * flashInset, -1, tip, kWithCone);
            }
        }
        Vector3 outward;
        Candidate touching;
        if (!seen && acceptTouching(s, coneGap(cone, start, outward), kConeReach, outward, d, contact, k, touching)) {
            const bool tip = cone.apex.Distance(start) <= tipZone;
            take(contact, touching, k, tip ? start : start - outward * flashInset, -1, tip, kWithCone);
        }
    }
}

// Whether the step should answer the pair the search reported. The search
// passes over a pair that already overlaps at the start of the sub-step while
// separating (a ball launched inside another): answering it would turn the
// two back towards each other and the next sub-step would find them at time
// 0 again, without end. So that pair drifts apart, and the search goes on
// to find every other pair as usual.
bool answerPair(Simulation& s, int i, int j, double time) { return guardAllows(s, i, time) && guardAllows(s, j, time); }

void moveCamera(Simulation& s) {
    if (s.controls.upKeyDown != 0) s.controls.cameraPosition += s.controls.viewDirection * 2.0;
    if (s.controls.downKeyDown != 0) s.controls.cameraPosition -= s.controls.viewDirection * 2.0;
    if (s.controls.leftKeyDown != 0) {
        s.controls.cameraPosition = s.turnLeftMatrix * s.controls.cameraPosition;
        s.controls.viewDirection = s.turnLeftMatrix * s.controls.viewDirection;
        s.controls.cameraYaw -= 2.0;
    }
    if (s.controls.rightKeyDown != 0) {
        s.controls.cameraPosition = s.turnRightMatrix * s.controls.cameraPosition;
        s.controls.viewDirection = s.turnRightMatrix * s.controls.viewDirection;
        s.controls.cameraYaw += 2.0;
    }
}

void fireOrLaunch(Simulation& s, Readings& readings, StepEvents& events) {
    if (s.controls.leftButtonDown != 0) {
        if (s.controls.launchMode != 0) {
            launchBall(s, s.controls.mouseX, s.controls.mouseY, readings);
        } else {
            // The cue sounds on every such step, whether or not a shot left.
            fireShot(s, s.controls.mouseX, s.controls.mouseY, readings);
            if (s.controls.soundOn != 0) events.addCue(kLaserCue);
        }
    }
}

// Once per step, before any movement.
void applyGravity(Simulation& s) {
    const Vector3 pull = s.gravity * s.controls.activeTimeStep;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] != 0) s.ballVelocities[k] += pull;
    }
    for (Shot& shot : s.shots) {
        if (shot.life != 0) shot.velocity += pull;
    }
}

// Every contact reads the scene clock, kept or not, so that the clock
// readings a step takes do not depend on who watches.
void handOutMark(const Simulation& s, const Vector3& point, const Vector3& normal, Readings& readings,
                 StepEvents& events) {
    const int time = sceneMilliseconds(s, readings);
    if (events.contacts != nullptr) events.contacts->addMark(point, normal, time);
}

void handOutBallContact(const Simulation& s, StepEvents& events, int ball, int with, int other, const Vector3& normal,
                        double before, double after) {
    if (events.contacts == nullptr) return;
    events.contacts->addBallContact(s.stepsRun, ball, with, other, normal, before, after);
}

// Logs a ball pair contact for the collision view: the point where the two
// touch and the normal from ball i towards ball j. Reads only.
void markPair(Simulation& s, int i, int j, double time, Readings& readings, StepEvents& events) {
    ++s.stats.contacts;
    const Vector3 pI = s.ballPreviousPositions[i] + s.ballVelocities[i] * time;
    const Vector3 pJ = s.ballPreviousPositions[j] + s.ballVelocities[j] * time;
    handOutMark(s, (pI + pJ) * 0.5, Unit(pJ - pI), readings, events);
}

// The free camera moves, and fires or throws with `fireWith` when given,
// unless a ball or a shot is followed; clip plane 0 is on for the free
// camera only.
void steerFreeCamera(Simulation& s, Readings* fireWith, StepEvents& events) {
    if (s.controls.followBall != 0 || s.controls.followedShot != -1) {
        events.clipPlane0 = 0;
        return;
    }
    moveCamera(s);
    if (fireWith != nullptr) fireOrLaunch(s, *fireWith, events);
    events.clipPlane0 = 1;
}

// A followed shot that spent its last rebound in this step ends the
// following, and the normal speed returns; the step's frame still looks at it.
void endSpentFollow(Simulation& s, StepEvents& events) {
    const int followed = s.controls.followedShot;
    if (followed < 0 || followed >= kShotCount || s.shots[followed].life != 0) return;
    s.controls.followedShot = -1;
    s.controls.activeTimeStep = s.controls.timeStep;
    events.endedFollow = followed;
}

// Handles the contacts of the step in time order until its time is spent.
void runSubSteps(Simulation& s, Readings& readings, StepEvents& events) {
    for (int& count : s.zeroTimeContacts) count = 0;
    while (s.remaining > kTolerance) {
        ++s.stats.subSteps;
        Contact contact;
        contact.time = kNoContact;

        for (int slot = 0; slot < kShotCount; ++slot) {
            if (s.shots[slot].life != 0) testShot(s, slot, contact);
        }
        for (int k = 0; k < kMaxBalls; ++k) {
            if (s.ballAlive[k] != 0) testBall(s, k, contact);
        }

        double pairTime = 0.0;
        int i = 0;
        int j = 0;
        const bool pairFound =
            findBallCollision(s, s.remaining, pairTime, i, j, &s.stats.separatingPairs) && answerPair(s, i, j, pairTime);

        // A ball pair goes first only when strictly earlier than every other contact.
        if (pairFound && (contact.time == kNoContact || contact.time > pairTime)) {
            markPair(s, i, j, pairTime, readings, events);
            const double beforeI = s.ballVelocities[i].Length();
            const double beforeJ = s.ballVelocities[j].Length();
            respondToBallPair(s, i, j, pairTime, readings);
            const Vector3 towardsI = Unit(s.ballPositions[i] - s.ballPositions[j]);
            handOutBallContact(s, events, i, kWithBall, j, towardsI, beforeI, s.ballVelocities[i].Length());
            handOutBallContact(s, events, j, kWithBall, i, -towardsI, beforeJ, s.ballVelocities[j].Length());
            if (noProgress(pairTime)) {
                ++s.zeroTimeContacts[i];
                ++s.zeroTimeContacts[j];
            }
        } else if (contact.time == kNoContact) {
            // Nothing collides in the rest of the step: every body keeps its full move.
            s.remaining = 0.0;
        } else {
            ++s.stats.contacts;
            handOutMark(s, contact.point, contact.normal, readings, events);
            // The ball that met something (or that a shot pushed), and its speed before.
            const int ball = contact.body >= 0 ? contact.body : contact.hitBall;
            const double before = ball >= 0 ? s.ballVelocities[ball].Length() : 0.0;
            respondToContact(s, contact, readings, events);
            if (ball >= 0) {
                const Vector3 normal = contact.body >= 0 ? contact.normal : -contact.normal;
                handOutBallContact(s, events, ball, contact.with, -1, normal, before, s.ballVelocities[ball].Length());
            }
            if (noProgress(contact.time)) ++s.zeroTimeContacts[bodySlot(contact.body)];
        }
    }
}

}  // namespace

// Held by the pause: the free camera still moves, nothing else happens
// (requests, firing and throwing wait for the simulation to run again).
void runPausedStep(Simulation& s, StepEvents& events) {
    steerFreeCamera(s, nullptr, events);
    events.redisplay = true;
}

void runSimulatingStep(Simulation& s, Readings& readings, StepEvents& events) {
    s.stats = StepStats();
    s.stats.stepNumber = ++s.stepsRun;
    if (s.controls.resetRequested != 0) {
        resetScene(s);
        if (events.contacts != nullptr) events.contacts->clear();
    }
    if (s.controls.autoFire != 0) autoFireShot(s, readings);

    steerFreeCamera(s, &readings, events);

    s.remaining = s.controls.activeTimeStep;
    applyGravity(s);
    pullDraggedBall(s);
    runSubSteps(s, readings, events);
    endSpentFollow(s, events);

    // One reading more, the step's last, dates what its frames show: the
    // flashes' fade and the contact marks' age.
    s.stepSceneTime = sceneMilliseconds(s, readings);
    fadeExplosions(s);
    events.redisplay = true;
}
