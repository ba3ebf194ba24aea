#pragma once

#include "scene/simulation.h"

// Earliest moment within span at which two live balls touch, moving with
// constant velocities from s.ballPreviousPositions. On found, time is the
// last sample before the first overlap and i < j; otherwise the outputs are
// left untouched.
//
// With passedOver given, a pair that would be reported at time 0 while its
// centres are not closing in (already overlapping and separating, or moving
// together) is passed over and counted there, and the search goes on as if
// that pair were not sampled: every other pair is still found.
bool findBallCollision(const Simulation& s, double span, double& time, int& i, int& j);
bool findBallCollision(const Simulation& s, double span, double& time, int& i, int& j, int* passedOver);

// The same search done the plain way: every pair whose paths come close is
// sampled from the start. findBallCollision gives exactly its results (same
// pair, same time to the bit); kept as the reference for tests and benchmarks.
bool findBallCollisionSampled(const Simulation& s, double span, double& time, int& i, int& j);
bool findBallCollisionSampled(const Simulation& s, double span, double& time, int& i, int& j, int* passedOver);
