#pragma once

#include "geometry/vector3.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// Takes the first free explosion record (alpha <= 0) and starts a flash at
// position: blast 0 is the small spark, 1 the large flare of a destroyed
// ball. Does nothing when all records are busy.
void spawnExplosion(Simulation& s, const Vector3& position, int blast, Readings& readings);

// At the end of a simulating step: alpha and scale of every flash in use
// at s.stepSceneTime. Not clamped: one whose alpha drops to 0 or below is
// no longer drawn and its record is free for the next step's flashes.
void fadeExplosions(Simulation& s);
