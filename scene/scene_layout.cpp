#include "scene/scene_layout.h"

#include "geometry/scalar_helpers.h"
#include "geometry/trig.h"
#include "scene/obstacle_clearance.h"

namespace {

Plane makePlane(const Vector3& point, const Vector3& normal) {
    Plane plane;
    plane.point = point;
    plane.normal = normal;
    return plane;
}

Cylinder makeCylinder(const Vector3& point, const Vector3& axis, double radius) {
    Cylinder cylinder;
    cylinder.point = point;
    cylinder.axis = axis;
    cylinder.radius = radius;
    return cylinder;
}

Cone makeCone(const Vector3& apex, const Vector3& axis, double halfAngleDegrees) {
    Cone cone;
    cone.apex = apex;
    cone.axis = axis;
    cone.cosHalfAngle = Cos(DegToRad(halfAngleDegrees));
    cone.sinHalfAngle = Sin(DegToRad(halfAngleDegrees));
    return cone;
}

// A slot whose centre lies inside a grown dome, pillar or cone at the current
// radius counts as taken: a ball put there would start inside the obstacle
// (the slanted pillar takes in (-220, 70, 120) at the larger radii). Draws
// that never meet such a slot are not changed.
bool insideObstacle(const Simulation& s, const SpawnSlot& slot) {
    return deepestObstacleEntry(s, Vector3(slot.x, slot.y, slot.z)) > 0.0;
}

}  // namespace

void buildSceneGeometry(Simulation& s) {
    const int r = s.ballRadius;
    const double rd = r;

    s.collisionPlanes[0] = makePlane(Vector3(0, rd - 320, 0), Vector3(0, 1, 0));
    s.collisionPlanes[1] = makePlane(Vector3(320 - rd, 0, 0), Vector3(-1, 0, 0));
    s.collisionPlanes[2] = makePlane(Vector3(rd - 320, 0, 0), Vector3(1, 0, 0));
    s.collisionPlanes[3] = makePlane(Vector3(0, 0, 320 - rd), Vector3(0, 0, -1));
    s.collisionPlanes[4] = makePlane(Vector3(0, 0, rd - 320), Vector3(0, 0, 1));
    s.collisionPlanes[5] = makePlane(Vector3(0, 320 - rd, 0), Vector3(0, -1, 0));

    s.wallPlanes[0] = makePlane(Vector3(0, -319, 0), Vector3(0, 1, 0));
    s.wallPlanes[1] = makePlane(Vector3(319, 0, 0), Vector3(-1, 0, 0));
    s.wallPlanes[2] = makePlane(Vector3(-319, 0, 0), Vector3(1, 0, 0));
    s.wallPlanes[3] = makePlane(Vector3(0, 0, 319), Vector3(0, 0, -1));
    s.wallPlanes[4] = makePlane(Vector3(0, 0, -319), Vector3(0, 0, 1));
    s.wallPlanes[5] = makePlane(Vector3(0, 319, 0), Vector3(0, -1, 0));

    const Vector3 slantedAxis = Unit(Vector3(0, 1, 1));
    s.collisionCylinders[0] = makeCylinder(Vector3(0, 0, 0), Vector3(0, 1, 0), r + 60);
    s.collisionCylinders[1] = makeCylinder(Vector3(200, -300, 0), Vector3(0, 0, 1), r + 60);
    s.collisionCylinders[2] = makeCylinder(Vector3(-200, 0, 0), slantedAxis, r + 30);
    s.obstacleCylinders[0] = makeCylinder(Vector3(0, 0, 0), Vector3(0, 1, 0), 61);
    s.obstacleCylinders[1] = makeCylinder(Vector3(200, -300, 0), Vector3(0, 0, 1), 61);
    s.obstacleCylinders[2] = makeCylinder(Vector3(-200, 0, 0), slantedAxis, 31);

    // Cone 2's apex moves back along the axis before it is normalised, so by r*sqrt(2).
    Vector3 tiltedAxis(1, -1, 0);
    const Vector3 tiltedApex = Vector3(100, -120, 0) - tiltedAxis * rd;
    tiltedAxis.Normalise();
    s.collisionCones[0] = makeCone(Vector3(-140, -30, -90), Vector3(0, -1, 0), 15);
    s.collisionCones[1] = makeCone(Vector3(0, rd - 200, 230), Vector3(0, -1, 0), 25);
    s.collisionCones[2] = makeCone(tiltedApex, tiltedAxis, 15);
    s.obstacleCones[0] = makeCone(Vector3(-140, -50, -90), Vector3(0, -1, 0), 10);
    s.obstacleCones[1] = makeCone(Vector3(0, -200, 230), Vector3(0, -1, 0), 20);
    s.obstacleCones[2] = makeCone(Vector3(100, -120, 0), Unit(Vector3(1, -1, 0)), 10);
}

void placeBalls(Simulation& s) {
    for (int i = 0; i < s.ballCount; ++i) {
        int k;
        do {
            k = static_cast<int>(RandomNumber(s.random, 1) * 51);
        } while (k >= kSpawnSlotCount || s.spawnSlots[k].used != 0 || insideObstacle(s, s.spawnSlots[k]));
        SpawnSlot& slot = s.spawnSlots[k];
        slot.used = 1;
        s.ballVelocities[i] = s.initialVelocity;
        s.ballPositions[i] = Vector3(slot.x, slot.y, slot.z);
        s.ballAlive[i] = 1;
    }
}

void drawBallColors(Simulation& s) {
    for (int i = 0; i < kMaxBalls; ++i) {
        const float r1 = RandomNumber(s.random, 1);
        const float r2 = RandomNumber(s.random, 1);
        const float r3 = RandomNumber(s.random, 1);
        s.ballColors[i] = Vector3(r3, r2, r1);
    }
}

void clearEffects(Simulation& s) {
    for (Explosion& explosion : s.explosions) explosion.alpha = 0.0f;
    for (Shot& shot : s.shots) shot.life = 0;
}

void resetScene(Simulation& s) {
    clearEffects(s);
    for (SpawnSlot& slot : s.spawnSlots) slot.used = 0;
    for (int& alive : s.ballAlive) alive = 0;
    placeBalls(s);
    s.controls.resetRequested = 0;
}
