// A ball set down by an edit sits where the check lets it: as close to a
// surface as rounding allows. The step must carry on from there as from
// any other start: no ball ends inside anything, nothing turns NaN.

#include <gtest/gtest.h>

#include <cmath>

#include "physics/ball_edit.h"
#include "scene/obstacle_clearance.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

using stepfix::finite;

class BallEditTest : public stepfix::StepTest {};

// The first point from `surface` outwards, one ulp at a time, that the
// check accepts for ball 0.
Vector3 nearestAccepted(const Vector3& surface, const Vector3& outward) {
    Vector3 p = surface;
    for (int n = 0; n < 64; ++n) {
        if (checkBallPosition(sim, 0, p) == EditRefusal::None) return p;
        p = Vector3(std::nextafter(p.x, p.x + outward.x * 1e3), std::nextafter(p.y, p.y + outward.y * 1e3),
                    std::nextafter(p.z, p.z + outward.z * 1e3));
    }
    ADD_FAILURE() << "no accepted point near the surface";
    return p;
}

TEST_F(BallEditTest, ABallPlacedTouchingASurfaceAndMovingIntoItIsNeverLeftInside) {
    const double r = sim.ballRadius;
    const Cylinder& pillar = sim.collisionCylinders[0];
    const Vector3 pillarOut = Unit(Vector3(1, 0, 1) - pillar.axis * Dot(Vector3(1, 0, 1), pillar.axis));
    const Vector3 domeOut = Unit(Vector3(0, 1, 1));
    const Cone& cone = sim.collisionCones[0];
    const double along = 100.0;
    const Vector3 onCone =
        cone.apex + cone.axis * along + Vector3(0, 0, -1) * (along * cone.sinHalfAngle / cone.cosHalfAngle);
    Vector3 coneOut;
    coneGap(cone, onCone, coneOut);
    const Vector3 other(0, 100, 100);

    struct Case {
        const char* name;
        Vector3 surface;  // on the grown surface
        Vector3 outward;
    };
    const Case cases[] = {
        {"a pillar", pillar.point + pillarOut * pillar.radius, pillarOut},
        {"a dome", kDomes[0].centre + domeOut * (kDomes[0].radius + r), domeOut},
        {"a cone", onCone, coneOut},
        {"the floor", Vector3(100, r - 320, 250), Vector3(0, 1, 0)},
        {"a corner", Vector3(320 - r, 320 - r, 320 - r), Unit(Vector3(-1, -1, -1))},
        {"another ball", other + Vector3(1, 0, 0) * (2 * r), Vector3(1, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        putBall(0, Vector3(0, 200, -250), Vector3(0, 0, 0));
        putBall(1, other, Vector3(0, 0, 0));
        const Vector3 start = nearestAccepted(c.surface, c.outward);
        ASSERT_TRUE(placeBall(sim, 0, start));
        ASSERT_TRUE(setBallVelocity(sim, 0, c.outward * -5.0 + Vector3(0.5, 0, 0)));
        for (int n = 0; n < 30; ++n) {
            stepfix::runStep();
            ASSERT_TRUE(finite(sim.ballPositions[0]) && finite(sim.ballVelocities[0])) << "step " << n;
            if (n == 0) {
                EXPECT_GT(sim.stats.contacts, 0) << "met at once";
            }
            ASSERT_LE(deepestObstacleEntry(sim, sim.ballPositions[0]), 1e-6) << "step " << n;
            ASSERT_GE(sim.ballPositions[0].Distance(sim.ballPositions[1]), 2 * r - 1e-6) << "step " << n;
            for (const Plane& wall : sim.collisionPlanes) {
                ASSERT_GE(Dot(sim.ballPositions[0] - wall.point, wall.normal), -1e-6) << "step " << n;
            }
        }
    }
}

}  // namespace
