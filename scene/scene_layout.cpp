#include "scene/scene_layout.h"


#include "geometry/scalar_helpers.h"
#include "geometry/trig.h"
#include "scene/obstacle_clearance.h"
#include "scene/scene_state.h"

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
bool insideObstacle(const SpawnSlot& slot) { return deepestObstacleEntry(Vector3(slot.x, slot.y, slot.z)) > 0.0; }

}  // namespace

void buildSceneGeometry() {
    const int r = sim.ballRadius;
    const double rd = r;

    sim.collisionPlanes[0] = makePlane(Vector3(0, rd - 320, 0), Vector3(0, 1, 0));
    sim.collisionPlanes[1] = makePlane(Vector3(320 - rd, 0, 0), Vector3(-1, 0, 0));
    sim.collisionPlanes[2] = makePlane(Vector3(rd - 320, 0, 0), Vector3(1, 0, 0));
    sim.collisionPlanes[3] = makePlane(Vector3(0, 0, 320 - rd), Vector3(0, 0, -1));
    sim.collisionPlanes[4] = makePlane(Vector3(0, 0, rd - 320), Vector3(0, 0, 1));
    sim.collisionPlanes[5] = makePlane(Vector3(0, 320 - rd, 0), Vector3(0, -1, 0));

    sim.wallPlanes[0] = makePlane(Vector3(0, -319, 0), Vector3(0, 1, 0));
    sim.wallPlanes[1] = makePlane(Vector3(319, 0, 0), Vector3(-1, 0, 0));
    sim.wallPlanes[2] = makePlane(Vector3(-319, 0, 0), Vector3(1, 0, 0));
    sim.wallPlanes[3] = makePlane(Vector3(0, 0, 319), Vector3(0, 0, -1));
    sim.wallPlanes[4] = makePlane(Vector3(0, 0, -319), Vector3(0, 0, 1));
    sim.wallPlanes[5] = makePlane(Vector3(0, 319, 0), Vector3(0, -1, 0));

    const Vector3 slantedAxis = Unit(Vector3(0, 1, 1));
    sim.collisionCylinders[0] = makeCylinder(Vector3(0, 0, 0), Vector3(0, 1, 0), r + 60);
    sim.collisionCylinders[1] = makeCylinder(Vector3(200, -300, 0), Vector3(0, 0, 1), r + 60);
    sim.collisionCylinders[2] = makeCylinder(Vector3(-200, 0, 0), slantedAxis, r + 30);
    sim.obstacleCylinders[0] = makeCylinder(Vector3(0, 0, 0), Vector3(0, 1, 0), 61);
    sim.obstacleCylinders[1] = makeCylinder(Vector3(200, -300, 0), Vector3(0, 0, 1), 61);
    sim.obstacleCylinders[2] = makeCylinder(Vector3(-200, 0, 0), slantedAxis, 31);

    // Cone 2's apex moves back along the axis before it is normalised, so by r*sqrt(2).
    Vector3 tiltedAxis(1, -1, 0);
    const Vector3 tiltedApex = Vector3(100, -120, 0) - tiltedAxis * rd;
    tiltedAxis.Normalise();
    sim.collisionCones[0] = makeCone(Vector3(-140, -30, -90), Vector3(0, -1, 0), 15);
    sim.collisionCones[1] = makeCone(Vector3(0, rd - 200, 230), Vector3(0, -1, 0), 25);
    sim.collisionCones[2] = makeCone(tiltedApex, tiltedAxis, 15);
    sim.obstacleCones[0] = makeCone(Vector3(-140, -50, -90), Vector3(0, -1, 0), 10);
    sim.obstacleCones[1] = makeCone(Vector3(0, -200, 230), Vector3(0, -1, 0), 20);
    sim.obstacleCones[2] = makeCone(Vector3(100, -120, 0), Unit(Vector3(1, -1, 0)), 10);
}

void placeBalls() {
    for (int i = 0; i < sim.ballCount; ++i) {
        int k;
        do {
            k = static_cast<int>(RandomNumber(sim.random, 1) * 51);
        } while (k >= kSpawnSlotCount || sim.spawnSlots[k].used != 0 || insideObstacle(sim.spawnSlots[k]));
        SpawnSlot& slot = sim.spawnSlots[k];
        slot.used = 1;
        sim.ballVelocities[i] = sim.initialVelocity;
        sim.ballPositions[i] = Vector3(slot.x, slot.y, slot.z);
        sim.ballAlive[i] = 1;
    }
}

void drawBallColors() {
    for (int i = 0; i < kMaxBalls; ++i) {
        const float r1 = RandomNumber(sim.random, 1);
        const float r2 = RandomNumber(sim.random, 1);
        const float r3 = RandomNumber(sim.random, 1);
        sim.ballColors[i] = Vector3(r3, r2, r1);
    }
}

void clearEffects() {
    for (Explosion& explosion : sim.explosions) explosion.alpha = 0.0f;
    for (Shot& shot : sim.shots) shot.life = 0;
}

void resetScene() {
    clearEffects();
    for (SpawnSlot& slot : sim.spawnSlots) slot.used = 0;
    for (int& alive : sim.ballAlive) alive = 0;
    placeBalls();
    sim.controls.resetRequested = 0;
}
