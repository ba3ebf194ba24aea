#include "input/ball_pick.h"

#include <cmath>

#include "input/replay_file.h"

int ballUnderLine(const Simulation& s, const Vector3& from, const Vector3& direction) {
    if (!direction.IsValid() || !from.IsValid()) return -1;
    const double r = s.ballRadius;
    int best = -1;
    double bestEntry = 0.0;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] == 0) continue;
        const Vector3 toCentre = s.ballPositions[k] - from;
        const double along = Dot(toCentre, direction);
        const double miss = Dot(toCentre, toCentre) - along * along;
        if (along <= 0.0 || miss > r * r) continue;
        const double entry = along - std::sqrt(r * r - miss);
        if (best < 0 || entry < bestEntry) {
            best = k;
            bestEntry = entry;
        }
    }
    return best;
}

bool pointOnDragPlane(const Vector3& point, const Vector3& normal, const Vector3& from, const Vector3& direction,
                      Vector3& out) {
    const double facing = Dot(direction, normal);
    if (!(std::fabs(facing) > 1e-6)) return false;
    const double t = Dot(point - from, normal) / facing;
    if (!(t > 0.0)) return false;
    const Vector3 hit = from + direction * t;
    if (!hit.IsValid() || !dragTargetFits(hit)) return false;
    out = hit;
    return true;
}

int dropGoneSelection(const Simulation& s, ViewerState& viewer) {
    const int k = viewer.selectedBall;
    if (k < 0 || (k < kMaxBalls && s.ballAlive[k] != 0)) return -1;
    viewer.selectedBall = -1;
    if (viewer.heldBall == k) {
        viewer.heldBall = -1;
        viewer.heldByButton = 0;
    }
    return k;
}
