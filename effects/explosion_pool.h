#pragma once

#include "geometry/vector3.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// Takes the first free explosion record (alpha <= 0) and starts a flash at
// position: blast 0 is the small spark, 1 the large flare of a destroyed
// ball. Does nothing when all records are busy.
void spawnExplosion(Simulation& s, const Vector3& position, int blast, Readings& readings);

// Re-derives alpha and scale of a record from two clock readings (the
// drawing's per-frame advance, kept here so it can be tested headless).
void advanceExplosion(Simulation& s, int index, Readings& readings);
