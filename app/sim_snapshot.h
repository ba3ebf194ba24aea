#pragma once

// Everything a step changes, taken whole: the bodies, the flashes, the
// contact log, the counters and the random generator. Step back keeps one
// every few steps and simulates forward from it; the controls (speed, modes,
// camera) travel beside it.

#include "physics/simulation_step.h"
#include "scene/scene_state.h"

struct SimSnapshot {
    Vector3 ballPositions[kMaxBalls];
    Vector3 ballVelocities[kMaxBalls];
    Vector3 ballPreviousPositions[kMaxBalls];
    int ballAlive[kMaxBalls];
    int slotUsed[kSpawnSlotCount];
    Shot shots[kShotCount];
    Explosion explosions[kExplosionCount];
    ContactMark contactMarks[kContactMarkCount];
    int nextContactMark = 0;
    int lastShotTime = 0;
    Vector3 chaseTrail[kChaseTrailLength];
    float glowPulse = 0.0f;
    float glowPulseStep = 0.0f;
    unsigned long long randomState = 0;
    StepCounters counters;
};

void takeSnapshot(SimSnapshot& snapshot);
void restoreSnapshot(const SimSnapshot& snapshot);
