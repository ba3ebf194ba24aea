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
    const int r = scene.ballRadius;
    const double rd = r;

    scene.collisionPlanes[0] = makePlane(Vector3(0, rd - 320, 0), Vector3(0, 1, 0));
    scene.collisionPlanes[1] = makePlane(Vector3(320 - rd, 0, 0), Vector3(-1, 0, 0));
    scene.collisionPlanes[2] = makePlane(Vector3(rd - 320, 0, 0), Vector3(1, 0, 0));
    scene.collisionPlanes[3] = makePlane(Vector3(0, 0, 320 - rd), Vector3(0, 0, -1));
    scene.collisionPlanes[4] = makePlane(Vector3(0, 0, rd - 320), Vector3(0, 0, 1));
    scene.collisionPlanes[5] = makePlane(Vector3(0, 320 - rd, 0), Vector3(0, -1, 0));

    scene.wallPlanes[0] = makePlane(Vector3(0, -319, 0), Vector3(0, 1, 0));
    scene.wallPlanes[1] = makePlane(Vector3(319, 0, 0), Vector3(-1, 0, 0));
    scene.wallPlanes[2] = makePlane(Vector3(-319, 0, 0), Vector3(1, 0, 0));
    scene.wallPlanes[3] = makePlane(Vector3(0, 0, 319), Vector3(0, 0, -1));
    scene.wallPlanes[4] = makePlane(Vector3(0, 0, -319), Vector3(0, 0, 1));
    scene.wallPlanes[5] = makePlane(Vector3(0, 319, 0), Vector3(0, -1, 0));

    const Vector3 slantedAxis = Unit(Vector3(0, 1, 1));
    scene.collisionCylinders[0] = makeCylinder(Vector3(0, 0, 0), Vector3(0, 1, 0), r + 60);
    scene.collisionCylinders[1] = makeCylinder(Vector3(200, -300, 0), Vector3(0, 0, 1), r + 60);
    scene.collisionCylinders[2] = makeCylinder(Vector3(-200, 0, 0), slantedAxis, r + 30);
    scene.obstacleCylinders[0] = makeCylinder(Vector3(0, 0, 0), Vector3(0, 1, 0), 61);
    scene.obstacleCylinders[1] = makeCylinder(Vector3(200, -300, 0), Vector3(0, 0, 1), 61);
    scene.obstacleCylinders[2] = makeCylinder(Vector3(-200, 0, 0), slantedAxis, 31);

    // Cone 2's apex moves back along the axis before it is normalised, so by r*sqrt(2).
    Vector3 tiltedAxis(1, -1, 0);
    const Vector3 tiltedApex = Vector3(100, -120, 0) - tiltedAxis * rd;
    tiltedAxis.Normalise();
    scene.collisionCones[0] = makeCone(Vector3(-140, -30, -90), Vector3(0, -1, 0), 15);
    scene.collisionCones[1] = makeCone(Vector3(0, rd - 200, 230), Vector3(0, -1, 0), 25);
    scene.collisionCones[2] = makeCone(tiltedApex, tiltedAxis, 15);
    scene.obstacleCones[0] = makeCone(Vector3(-140, -50, -90), Vector3(0, -1, 0), 10);
    scene.obstacleCones[1] = makeCone(Vector3(0, -200, 230), Vector3(0, -1, 0), 20);
    scene.obstacleCones[2] = makeCone(Vector3(100, -120, 0), Unit(Vector3(1, -1, 0)), 10);
}

void placeBalls() {
    for (int i = 0; i < scene.ballCount; ++i) {
        int k;
        do {
            k = static_cast<int>(RandomNumber(1) * 51);
        } while (k >= kSpawnSlotCount || scene.spawnSlots[k].used != 0 || insideObstacle(scene.spawnSlots[k]));
        SpawnSlot& slot = scene.spawnSlots[k];
        slot.used = 1;
        scene.ballVelocities[i] = scene.initialVelocity;
        scene.ballPositions[i] = Vector3(slot.x, slot.y, slot.z);
        scene.ballAlive[i] = 1;
    }
}

void drawBallColors() {
    for (int i = 0; i < kMaxBalls; ++i) {
        const float r1 = RandomNumber(1);
        const float r2 = RandomNumber(1);
        const float r3 = RandomNumber(1);
        scene.ballColors[i] = Vector3(r3, r2, r1);
    }
}

void clearEffects() {
    for (Explosion& explosion : scene.explosions) explosion.alpha = 0.0f;
    for (Shot& shot : scene.shots) shot.life = 0;
}

void resetScene() {
    clearEffects();
    for (SpawnSlot& slot : scene.spawnSlots) slot.used = 0;
    for (int& alive : scene.ballAlive) alive = 0;
    placeBalls();
    scene.resetRequested = 0;
}
