#include "physics/ball_edit.h"

#include <cmath>

#include "scene/obstacle_clearance.h"

namespace {

bool finite(const Vector3& v) {
    return v.IsValid() != 0 && std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool liveBall(const Simulation& s, int ball) { return ball >= 0 && ball < kMaxBalls && s.ballAlive[ball] != 0; }

}  // namespace

EditRefusal checkBallPosition(const Simulation& s, int ball, const Vector3& p, int* otherBall) {
    if (!liveBall(s, ball)) return EditRefusal::NoBall;
    if (!finite(p)) return EditRefusal::NotFinite;
    // The collision planes are the walls moved in by the radius.
    for (const Plane& wall : s.collisionPlanes) {
        if (Dot(p - wall.point, wall.normal) < 0.0) return EditRefusal::OutsideRoom;
    }
    if (deepestObstacleEntry(s, p) > 0.0) return EditRefusal::InsideObstacle;
    const double twoR = 2.0 * s.ballRadius;
    for (int j = 0; j < kMaxBalls; ++j) {
        if (j == ball || s.ballAlive[j] == 0) continue;
        if (p.Distance(s.ballPositions[j]) < twoR) {
            if (otherBall != nullptr) *otherBall = j;
            return EditRefusal::OnBall;
        }
    }
    return EditRefusal::None;
}

EditRefusal checkBallVelocity(const Simulation& s, int ball, const Vector3& v) {
    if (!liveBall(s, ball)) return EditRefusal::NoBall;
    if (!finite(v)) return EditRefusal::NotFinite;
    // Written out so that components near the largest double do not
    // overflow into a length that passes.
    if (std::fabs(v.x) > kMaxEditSpeed || std::fabs(v.y) > kMaxEditSpeed || std::fabs(v.z) > kMaxEditSpeed ||
        v.Length() > kMaxEditSpeed) {
        return EditRefusal::TooFast;
    }
    return EditRefusal::None;
}

const char* editRefusalText(EditRefusal refusal) {
    switch (refusal) {
    case EditRefusal::None:
        return "";
    case EditRefusal::NoBall:
        return "no such ball";
    case EditRefusal::NotFinite:
        return "not a finite number";
    case EditRefusal::OutsideRoom:
        return "outside the room";
    case EditRefusal::InsideObstacle:
        return "inside an obstacle";
    case EditRefusal::OnBall:
        return "overlapping another ball";
    case EditRefusal::TooFast:
        return "faster than a thrown ball (12)";
    }
    return "";
}

bool placeBall(Simulation& s, int ball, const Vector3& p) {
    if (checkBallPosition(s, ball, p) != EditRefusal::None) return false;
    s.ballPositions[ball] = p;
    s.ballPreviousPositions[ball] = p;
    return true;
}

bool setBallVelocity(Simulation& s, int ball, const Vector3& v) {
    if (checkBallVelocity(s, ball, v) != EditRefusal::None) return false;
    s.ballVelocities[ball] = v;
    return true;
}
