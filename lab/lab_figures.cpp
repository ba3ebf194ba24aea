#include "lab/lab_figures.h"

#include "geometry/scalar_helpers.h"

double ballPotential(const Simulation& s, int k) {
    // The floor's collision plane holds the centre of a ball resting on the
    // floor, so the centre's height above it is the lowest point's height
    // above the floor. Against the gravity vector: g·h while it points down.
    const Plane& floor = s.collisionPlanes[0];
    return -s.gravity.Dot(s.ballPositions[k] - floor.point);
}

EnergyTotals energyTotals(const Simulation& s) {
    EnergyTotals totals;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] == 0) continue;
        const Vector3& v = s.ballVelocities[k];
        ++totals.balls;
        totals.kinetic += v.Dot(v) / 2.0;
        totals.potential += ballPotential(s, k);
        totals.momentum += v;
    }
    totals.total = totals.kinetic + totals.potential;
    return totals;
}

int ballRows(const Simulation& s, int selected, int held, BallRow out[kMaxBalls]) {
    int count = 0;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] == 0) continue;
        BallRow& row = out[count++];
        row.slot = k;
        row.position = s.ballPositions[k];
        row.velocity = s.ballVelocities[k];
        row.speed = row.velocity.Length();
        row.kinetic = row.velocity.Dot(row.velocity) / 2.0;
        row.selected = k == selected;
        row.held = k == held;
    }
    return count;
}
