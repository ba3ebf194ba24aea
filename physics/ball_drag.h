#pragma once

// Dragging a ball with the pointer. The hold and its target are simulation
// input (recorded, replayed, undone by step back); the pull itself is part
// of the step.

#include "geometry/vector3.h"
#include "scene/simulation.h"

// Holds ball `ball` towards `target`, or lets go with -1 (the ball keeps
// the velocity it has). A slot without a live ball, or a target that is not
// finite, lets go too.
void setDragHold(Simulation& s, int ball, const Vector3& target);

// Once per simulating step, after gravity: the held ball's velocity becomes
// the one that closes half its gap to the target in this step, at most
// kMaxDragSpeedRadii ball radii per unit of simulated time, so it never
// outruns the contact rules and a step of zero time leaves it as it is.
void pullDraggedBall(Simulation& s);

constexpr double kDragPull = 0.5;
constexpr double kMaxDragSpeedRadii = 4.0;
