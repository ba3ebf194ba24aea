#include "physics/ball_drag.h"

#include <cmath>

void setDragHold(Simulation& s, int ball, const Vector3& target) {
    const bool holds = ball >= 0 && ball < kMaxBalls && s.ballAlive[ball] != 0 && target.IsValid() != 0 &&
                       std::isfinite(target.x) && std::isfinite(target.y) && std::isfinite(target.z);
    s.drag.ball = holds ? ball : -1;
    s.drag.target = holds ? target : Vector3();
}

void pullDraggedBall(Simulation& s) {
    const int k = s.drag.ball;
    if (k < 0) return;
    // A ball destroyed on a cone's tip ends the hold; a new ball in its slot is
    // not held.
    if (s.ballAlive[k] == 0) {
        s.drag = DragHold();
        return;
    }
    const double dt = s.controls.activeTimeStep;
    if (!(dt > 0.0)) return;
    Vector3 move = (s.drag.target - s.ballPositions[k]) * kDragPull;
    // Bounded before dividing by the step, so a tiny step cannot overflow.
    const double longest = kMaxDragSpeedRadii * s.ballRadius * dt;
    const double length = move.Length();
    if (length > longest) move = move * (longest / length);
    // Divided, not multiplied by 1 / dt, which is infinite for the smallest steps.
    s.ballVelocities[k] = Vector3(move.x / dt, move.y / dt, move.z / dt);
}
