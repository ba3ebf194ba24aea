#include "physics/collision_response.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_simulation.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

using stepfix::expectVectorEq;
using stepfix::expectVectorNear;
using Cues = std::vector<std::string>;

class CollisionResponseTest : public stepfix::StepTest {};

Contact ballContact(int ball, double time, const Vector3& normal, const Vector3& point, bool tipHit = false) {
    Contact contact;
    contact.time = time;
    contact.body = ball;
    contact.normal = normal;
    contact.point = point;
    contact.tipHit = tipHit;
    return contact;
}

Contact shotContact(int slot, double time, const Vector3& normal, const Vector3& point, int hitBall = -1) {
    Contact contact;
    contact.time = time;
    contact.body = -1 - slot;
    contact.normal = normal;
    contact.point = point;
    contact.hitBall = hitBall;
    return contact;
}

TEST(ReflectVelocity, MirrorsAboutTheNormalAndKeepsTheSpeed) {
    expectVectorNear(reflectVelocity(Vector3(3, -4, 0), Vector3(0, 1, 0)), Vector3(3, 4, 0), 1e-12);
    expectVectorNear(reflectVelocity(Vector3(0, 0, -60), Vector3(0, 0, 1)), Vector3(0, 0, 60), 1e-12);

    const Vector3 velocities[] = {Vector3(0.5, -0.1, 0.5), Vector3(-7.25, 3.5, 11.0), Vector3(1e-3, -2e-3, 5e-4),
                                  Vector3(59.9, -0.3, 1.7)};
    const Vector3 normals[] = {Unit(Vector3(1, 1, 0)), Unit(Vector3(-0.3, 0.9, 0.2)), Vector3(0, -1, 0),
                               Unit(Vector3(0.7071067811865475, -0.7071067811865475, 0))};
    for (const Vector3& v : velocities) {
        for (const Vector3& n : normals) {
            const Vector3 r = reflectVelocity(v, n);
            EXPECT_DOUBLE_EQ(r.Length(), v.Length());
            // The normal part turns round, the part across the normal stays.
            EXPECT_NEAR(Dot(r, n), -Dot(v, n), 1e-12 * v.Length());
            expectVectorNear(r - n * Dot(r, n), v - n * Dot(v, n), 1e-12 * v.Length());
        }
    }
}

TEST(ReflectVelocity, ZeroVelocityStaysZero) {
    const Vector3 r = reflectVelocity(Vector3(0, 0, 0), Vector3(0, 1, 0));
    EXPECT_EQ(r.x, 0.0);
    EXPECT_EQ(r.y, 0.0);
    EXPECT_EQ(r.z, 0.0);
}

TEST_F(CollisionResponseTest, BallBounceMovesEveryBodyToTheContactTime) {
    putBall(0, Vector3(10, -290, 10), Vector3(1, -20, 2));
    putBall(1, Vector3(100, 50, -30), Vector3(-3, 0.5, 0.25));
    putBall(2, Vector3(7, 7, 7), Vector3(1, 1, 1));
    sim.ballAlive[2] = 0;
    sim.ballPositions[2] = Vector3(8, 8, 8);
    putShot(4, Vector3(0, 0, 100), Vector3(0, 0, -60), 3);
    sim.remaining = 0.8;

    const Vector3 point(10.5, -319, 11);
    stepfix::respond(ballContact(0, 0.5, Vector3(0, 1, 0), point));

    EXPECT_EQ(sim.remaining, 0.8 - 0.5);
    expectVectorEq(sim.ballPositions[0], Vector3(10, -290, 10) + Vector3(1, -20, 2) * 0.5);
    expectVectorEq(sim.ballPositions[1], Vector3(100, 50, -30) + Vector3(-3, 0.5, 0.25) * 0.5);
    expectVectorEq(sim.ballPositions[2], Vector3(8, 8, 8));  // dead: left alone
    expectVectorEq(sim.shots[4].position, Vector3(0, 0, 100) + Vector3(0, 0, -60) * 0.5);
    expectVectorEq(sim.ballPreviousPositions[0], Vector3(10, -290, 10));

    expectVectorNear(sim.ballVelocities[0], Vector3(1, 20, 2), 1e-12);
    EXPECT_DOUBLE_EQ(sim.ballVelocities[0].Length(), Vector3(1, -20, 2).Length());
    expectVectorEq(sim.ballVelocities[1], Vector3(-3, 0.5, 0.25));
    EXPECT_EQ(sim.shots[4].life, 3);
    EXPECT_EQ(sim.ballAlive[0], 1);

    EXPECT_EQ(sim.explosions[0].alpha, 1.0f);
    EXPECT_EQ(sim.explosions[0].textureIndex, 1);
    expectVectorEq(sim.explosions[0].position, point);
    EXPECT_EQ(sim.explosions[1].alpha, 0.0f);
    EXPECT_TRUE(fakes::playedCues().empty());
}

TEST_F(CollisionResponseTest, TipHitDestroysTheBallWithFlareAndCues) {
    putBall(0, Vector3(0, -150, 230), Vector3(0, -5, 0));
    putBall(3, Vector3(-100, 100, 0), Vector3(0.5, 0, 0));
    sim.remaining = 0.3;

    const Vector3 centre(5, -200, 230);
    stepfix::respond(ballContact(0, 0.1, Vector3(0, 0.4, 0.9), centre, true));
    EXPECT_EQ(sim.ballAlive[0], 0);
    EXPECT_EQ(fakes::playedCues(), Cues({"Explode.wav"}));
    EXPECT_EQ(sim.explosions[0].textureIndex, 5);
    EXPECT_EQ(sim.explosions[0].duration, 3000.0f);
    expectVectorEq(sim.explosions[0].position, centre);

    // The last one follows its explosion with the cheer.
    stepfix::respond(ballContact(3, 0.1, Vector3(0, 1, 0), Vector3(0, 0, 0), true));
    EXPECT_EQ(sim.ballAlive[3], 0);
    EXPECT_EQ(fakes::playedCues(), Cues({"Explode.wav", "Explode.wav", "yeah.wav"}));
    EXPECT_EQ(sim.explosions[1].textureIndex, 5);
}

TEST_F(CollisionResponseTest, TipHitWithSoundOffIsSilentButStillDestroys) {
    sim.controls.soundOn = 0;
    putBall(0, Vector3(0, -150, 230), Vector3(0, -5, 0));
    sim.remaining = 0.3;
    stepfix::respond(ballContact(0, 0.1, Vector3(0, 1, 0), Vector3(0, -150.5, 230), true));
    EXPECT_EQ(sim.ballAlive[0], 0);
    EXPECT_TRUE(fakes::playedCues().empty());
    EXPECT_EQ(sim.explosions[0].textureIndex, 5);
}

TEST_F(CollisionResponseTest, ShotHittingARestingBallHeadOnGivesItATenth) {
    putBall(0, Vector3(0, 0, 0), Vector3(0, 0, 0));
    putShot(2, Vector3(0, 0, -30), Vector3(0, 0, 60));
    sim.remaining = 0.3;

    stepfix::respond(shotContact(2, 0.15, Vector3(0, 0, -1), Vector3(0, 0, -21), 0));

    expectVectorNear(sim.ballVelocities[0], Vector3(0, 0, 6), 1e-12);
    expectVectorNear(sim.shots[2].velocity, Vector3(0, 0, -60), 1e-12);
    expectVectorEq(sim.shots[2].position, Vector3(0, 0, -30) + Vector3(0, 0, 60) * 0.15);
    EXPECT_EQ(sim.shots[2].life, 5);
    EXPECT_EQ(fakes::playedCues(), Cues({"bounce.wav"}));
    EXPECT_EQ(sim.explosions[0].textureIndex, 1);
}

TEST_F(CollisionResponseTest, ShotPushKeepsTheBallsCrossMotionScaledToATenth) {
    sim.controls.soundOn = 0;
    // Both arrive on the z axis at the contact time.
    putBall(0, Vector3(-0.3, 0, 0.15), Vector3(2, 0, -1));
    putShot(0, Vector3(0, 0, -30), Vector3(0, 0, 60));
    sim.remaining = 0.3;

    stepfix::respond(shotContact(0, 0.15, Vector3(0, 0, -1), Vector3(0, 0, -21), 0));

    // Along the line between them the ball takes the shot's 60, across it keeps its own 2.
    expectVectorNear(sim.ballVelocities[0], Vector3(0.2, 0, 6), 1e-12);
    EXPECT_TRUE(fakes::playedCues().empty());
}

TEST_F(CollisionResponseTest, SixthCollisionRetiresTheShot) {
    putShot(1, Vector3(0, 300, 0), Vector3(0, 60, 0), 1);
    putBall(0, Vector3(50, 50, 50), Vector3(1, 0, 0));
    sim.remaining = 0.5;

    stepfix::respond(shotContact(1, 0.25, Vector3(0, -1, 0), Vector3(0, 315, 0)));
    EXPECT_EQ(sim.shots[1].life, 0);
    EXPECT_EQ(sim.explosions[0].alpha, 1.0f);
    const Vector3 retiredAt = sim.shots[1].position;
    expectVectorEq(retiredAt, Vector3(0, 315, 0));

    // A retired shot is no longer carried along by later contacts.
    stepfix::respond(ballContact(0, 0.1, Vector3(-1, 0, 0), Vector3(0, 0, 0)));
    expectVectorEq(sim.shots[1].position, retiredAt);
}

TEST_F(CollisionResponseTest, BallPairHeadOnSwapsVelocities) {
    putBall(0, Vector3(0, 0, 0), Vector3(1, 0, 0));
    putBall(1, Vector3(50, 0, 0), Vector3(-1, 0, 0));
    putBall(2, Vector3(100, 100, 100), Vector3(0, 1, 0));
    putShot(0, Vector3(0, 200, 0), Vector3(60, 0, 0));
    sim.remaining = 0.8;

    stepfix::respondToPair(0, 1, 5.0 / 8.0);

    EXPECT_EQ(sim.remaining, 0.8 - 5.0 / 8.0);
    expectVectorEq(sim.ballPositions[0], Vector3(0.625, 0, 0));
    expectVectorEq(sim.ballPositions[1], Vector3(49.375, 0, 0));
    expectVectorEq(sim.ballPositions[2], Vector3(100, 100.625, 100));
    expectVectorEq(sim.shots[0].position, Vector3(37.5, 200, 0));
    expectVectorNear(sim.ballVelocities[0], Vector3(-1, 0, 0), 1e-15);
    expectVectorNear(sim.ballVelocities[1], Vector3(1, 0, 0), 1e-15);
    expectVectorEq(sim.ballVelocities[2], Vector3(0, 1, 0));
    expectVectorEq(sim.explosions[0].position, Vector3(0.625, 0, 0));
    EXPECT_EQ(sim.explosions[0].textureIndex, 1);
    EXPECT_TRUE(fakes::playedCues().empty());
}

TEST_F(CollisionResponseTest, BallPairExchangesOnlyTheComponentsAlongTheLineOfCentres) {
    // A moving ball hitting a resting one head-on stops; the other moves on.
    putBall(0, Vector3(0, 0, 0), Vector3(2, 0, 0));
    putBall(1, Vector3(40, 0, 0), Vector3(0, 0, 0));
    sim.remaining = 0.3;
    stepfix::respondToPair(0, 1, 0.0);
    expectVectorNear(sim.ballVelocities[0], Vector3(0, 0, 0), 1e-15);
    expectVectorNear(sim.ballVelocities[1], Vector3(2, 0, 0), 1e-15);

    // Obliquely, the part across the line stays with its ball.
    putBall(0, Vector3(0, 0, 0), Vector3(1, 3, 0));
    putBall(1, Vector3(40, 0, 0), Vector3(-2, 0, 0.5));
    stepfix::respondToPair(0, 1, 0.0);
    expectVectorNear(sim.ballVelocities[0], Vector3(-2, 3, 0), 1e-15);
    expectVectorNear(sim.ballVelocities[1], Vector3(1, 0, 0.5), 1e-15);
}

TEST_F(CollisionResponseTest, ContactsAreHandledWithoutAFlashWhenThePoolIsFull) {
    for (Explosion& explosion : sim.explosions) {
        explosion.alpha = 0.5f;
        explosion.position = Vector3(1, 2, 3);
    }
    putBall(0, Vector3(0, -290, 0), Vector3(0, -10, 0));
    putBall(1, Vector3(100, 0, 0), Vector3(-1, 0, 0));
    putBall(2, Vector3(140, 0, 0), Vector3(1, 0, 0));
    sim.remaining = 0.8;

    stepfix::respond(ballContact(0, 0.5, Vector3(0, 1, 0), Vector3(0, -319, 0)));
    stepfix::respondToPair(1, 2, 0.1);

    expectVectorNear(sim.ballVelocities[0], Vector3(0, 10, 0), 1e-12);
    expectVectorNear(sim.ballVelocities[1], Vector3(1, 0, 0), 1e-15);
    for (const Explosion& explosion : sim.explosions) {
        EXPECT_EQ(explosion.alpha, 0.5f);
        expectVectorEq(explosion.position, Vector3(1, 2, 3));
    }
}

}  // namespace
