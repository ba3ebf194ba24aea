#pragma once

// Setting a ball's position or velocity from outside the step: typed in the
// ball panel, or a drag while paused. Like a drag's hold it is simulation
// input (recorded, replayed, undone by step back), applied at once, also
// while paused. A value the step could not carry on from is refused and the
// ball keeps what it had.

#include "geometry/vector3.h"
#include "scene/simulation.h"

// As fast as a thrown ball leaves the camera: nothing in the room moves a
// ball faster, and the contact rules are only ever asked about such speeds.
constexpr double kMaxEditSpeed = 12.0;

enum class EditRefusal { None, NoBall, NotFinite, OutsideRoom, InsideObstacle, OnBall, TooFast };

// Whether ball `ball` may stand at `p`: inside the room, outside every
// obstacle and every other ball (touching is fine: the step starts from
// touching surfaces as from any other). `otherBall` gets the ball in the
// way for OnBall.
EditRefusal checkBallPosition(const Simulation& s, int ball, const Vector3& p, int* otherBall = nullptr);
EditRefusal checkBallVelocity(const Simulation& s, int ball, const Vector3& v);

// Why, in a few words ("inside an obstacle").
const char* editRefusalText(EditRefusal refusal);

// Checked, then set; false (nothing changed) when refused. A placed ball
// starts its next step from there: its previous position moves with it.
bool placeBall(Simulation& s, int ball, const Vector3& p);
bool setBallVelocity(Simulation& s, int ball, const Vector3& v);
