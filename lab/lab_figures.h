#pragma once

// What the lab's panels read off the simulation: each live ball's numbers
// and the scene's energy and momentum. Every ball has the same mass, so the
// figures are per unit mass: kinetic energy v²/2, potential energy g·h with
// g the gravity's magnitude and h the height of the ball's lowest point
// above the floor (measured against the gravity: no gravity, no potential
// energy), momentum the sum of the velocities. Views only: nothing here
// writes the simulation.

#include "geometry/vector3.h"
#include "scene/simulation.h"

struct BallRow {
    int slot = -1;
    Vector3 position;
    Vector3 velocity;
    double speed = 0.0;
    double kinetic = 0.0;
    bool selected = false;
    bool held = false;
};

struct EnergyTotals {
    int balls = 0;  // live ones
    double kinetic = 0.0;
    double potential = 0.0;
    double total = 0.0;  // kinetic + potential
    Vector3 momentum{0.0, 0.0, 0.0};  // a default Vector3 is invalid and would absorb the sum
};

// Ball k's potential energy per unit mass (k live or not).
double ballPotential(const Simulation& s, int k);
EnergyTotals energyTotals(const Simulation& s);

// One row per live ball, by slot; `selected` and `held` are slots or -1.
// Returns the number of rows written.
int ballRows(const Simulation& s, int selected, int held, BallRow out[kMaxBalls]);
