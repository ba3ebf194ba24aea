#pragma once

// Finding a ball under the pointer and the point it is dragged to. Both
// work on the line through the pointer (from the eye, along a unit
// direction); the result of a drag reaches the simulation only as the
// recorded target, so none of this runs inside a step.

#include "geometry/vector3.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// The live ball whose sphere the line enters first, ahead of `from`; -1 for none.
int ballUnderLine(const Simulation& s, const Vector3& from, const Vector3& direction);

// Where the line meets the plane through `point` with normal `normal`,
// ahead of `from`. False when it runs along the plane or away from it, or
// the point lies beyond what a recording may hold.
bool pointOnDragPlane(const Vector3& point, const Vector3& normal, const Vector3& from, const Vector3& direction,
                      Vector3& out);

// A selection whose ball is no longer alive (destroyed, or not yet launched
// where step back went) is dropped, with the hand on it: the panel, the ring,
// G and F3 would otherwise work on an empty slot. Returns the slot dropped,
// or -1 when the selection stands (or there is none).
int dropGoneSelection(const Simulation& s, ViewerState& viewer);
