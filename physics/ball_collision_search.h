#pragma once

// Earliest moment within span at which two live balls touch, moving with
// constant velocities from scene.ballPreviousPositions. On found, time is the
// last sample before the first overlap and i < j; otherwise the outputs are
// left untouched.
bool findBallCollision(double span, double& time, int& i, int& j);

// The same search done the plain way: every pair whose paths come close is
// sampled from the start. findBallCollision gives exactly its results (same
// pair, same time to the bit); kept as the reference for tests and benchmarks.
bool findBallCollisionSampled(double span, double& time, int& i, int& j);
