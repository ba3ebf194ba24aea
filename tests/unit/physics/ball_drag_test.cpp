// The pull on a dragged ball must never give a NaN, an infinity or a
// velocity beyond its bound, whatever the target and the step length.

#include "physics/ball_drag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(BallDragPull, StaysFiniteAndBoundedAndEndsWithTheBall) {
    struct Case {
        const char* what;
        Vector3 target;
        double step;
        int alive;
        double speed;  // expected speed afterwards; negative: the velocity is left
                       // as it was
    };
    const double r = 20.0;
    const double bound = kMaxDragSpeedRadii * r;
    const Case cases[] = {
        {"near: half the gap in one step", Vector3(3.0, 0.0, 0.0), 0.3, 1, 1.5 / 0.3},
        {"far: bounded", Vector3(1e6, -1e6, 1e6), 0.3, 1, bound},
        {"a step of 1e-300 cannot overflow", Vector3(1e6, 0.0, 0.0), 1e-300, 1, bound},
        {"the smallest step there is", Vector3(1e6, 1e6, 0.0), 5e-324, 1, -2.0},
        {"on the target: at rest", Vector3(0.0, 0.0, 0.0), 0.3, 1, 0.0},
        {"no time passes: untouched", Vector3(100.0, 0.0, 0.0), 0.0, 1, -1.0},
        {"the ball destroyed: untouched, the hold ends", Vector3(100.0, 0.0, 0.0), 0.3, 0, -1.0},
    };
    for (const Case& c : cases) {
        Simulation s;
        s.ballRadius = static_cast<int>(r);
        s.ballAlive[2] = 1;
        s.ballPositions[2] = Vector3(0.0, 0.0, 0.0);
        s.ballVelocities[2] = Vector3(0.25, 0.5, 0.0);
        setDragHold(s, 2, c.target);
        ASSERT_EQ(s.drag.ball, 2) << c.what;
        s.ballAlive[2] = c.alive;
        s.controls.activeTimeStep = c.step;
        pullDraggedBall(s);
        const Vector3& v = s.ballVelocities[2];
        if (c.speed == -1.0) {
            EXPECT_EQ(v.x, 0.25) << c.what;
            EXPECT_EQ(s.drag.ball, c.alive != 0 ? 2 : -1) << c.what;
            continue;
        }
        ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z)) << c.what;
        EXPECT_LE(v.Length(), bound * (1.0 + 1e-12)) << c.what;
        if (c.speed == -2.0) continue;
        EXPECT_NEAR(v.Length(), c.speed, 1e-9 * bound) << c.what;
        if (c.speed > 0.0) {
            EXPECT_GT(Dot(v, c.target), 0.0) << c.what << ": towards the target";
        }
    }
}

TEST(BallDragPull, AHoldOfNothingOrTowardsNoPlaceLetsGo) {
    Simulation s;
    s.ballAlive[1] = 1;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int ball;
        Vector3 target;
    } holds[] = {
        {1, Vector3(nan, 0.0, 0.0)}, {1, Vector3()}, {4, Vector3(1.0, 2.0, 3.0)}, {kMaxBalls, Vector3(1.0, 2.0, 3.0)}};
    for (const auto& h : holds) {
        setDragHold(s, 1, Vector3(1.0, 1.0, 1.0));
        setDragHold(s, h.ball, h.target);
        EXPECT_EQ(s.drag.ball, -1) << h.ball;
    }
}

}  // namespace
