#include "app/sim_snapshot.h"

#include <algorithm>
#include <iterator>

#include "platform/random_source.h"

void takeSnapshot(SimSnapshot& s) {
    std::copy(std::begin(scene.ballPositions), std::end(scene.ballPositions), s.ballPositions);
    std::copy(std::begin(scene.ballVelocities), std::end(scene.ballVelocities), s.ballVelocities);
    std::copy(std::begin(scene.ballPreviousPositions), std::end(scene.ballPreviousPositions), s.ballPreviousPositions);
    std::copy(std::begin(scene.ballAlive), std::end(scene.ballAlive), s.ballAlive);
    for (int k = 0; k < kSpawnSlotCount; ++k) s.slotUsed[k] = scene.spawnSlots[k].used;
    std::copy(std::begin(scene.shots), std::end(scene.shots), s.shots);
    std::copy(std::begin(scene.explosions), std::end(scene.explosions), s.explosions);
    std::copy(std::begin(scene.contactMarks), std::end(scene.contactMarks), s.contactMarks);
    s.nextContactMark = scene.nextContactMark;
    s.lastShotTime = scene.lastShotTime;
    std::copy(std::begin(scene.chaseTrail), std::end(scene.chaseTrail), s.chaseTrail);
    s.glowPulse = scene.glowPulse;
    s.glowPulseStep = scene.glowPulseStep;
    s.randomState = randomState();
    s.counters = stepCounters();
}

void restoreSnapshot(const SimSnapshot& s) {
    std::copy(std::begin(s.ballPositions), std::end(s.ballPositions), scene.ballPositions);
    std::copy(std::begin(s.ballVelocities), std::end(s.ballVelocities), scene.ballVelocities);
    std::copy(std::begin(s.ballPreviousPositions), std::end(s.ballPreviousPositions), scene.ballPreviousPositions);
    std::copy(std::begin(s.ballAlive), std::end(s.ballAlive), scene.ballAlive);
    for (int k = 0; k < kSpawnSlotCount; ++k) scene.spawnSlots[k].used = s.slotUsed[k];
    std::copy(std::begin(s.shots), std::end(s.shots), scene.shots);
    std::copy(std::begin(s.explosions), std::end(s.explosions), scene.explosions);
    std::copy(std::begin(s.contactMarks), std::end(s.contactMarks), scene.contactMarks);
    scene.nextContactMark = s.nextContactMark;
    scene.lastShotTime = s.lastShotTime;
    std::copy(std::begin(s.chaseTrail), std::end(s.chaseTrail), scene.chaseTrail);
    scene.glowPulse = s.glowPulse;
    scene.glowPulseStep = s.glowPulseStep;
    setRandomState(s.randomState);
    setStepCounters(s.counters);
}
