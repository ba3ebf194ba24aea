#include "app/start_up.h"

#include "app/live_simulation.h"
#include "scene/scene_layout.h"

void layOutSimulation(unsigned int seed) {
    buildSceneGeometry(sim);
    live.viewer.randomSeed = seed;
    seedRandom(sim.random, seed);
    placeBalls(sim);
    drawBallColors(sim);
    clearEffects(sim);
}

void takeRecordedOptions(const ReplayHeader& header) {
    sim.ballCount = header.ballCount;
    sim.ballRadius = header.ballRadius;
}

ReplayHeader headerOfScene() {
    ReplayHeader header;
    header.seed = live.viewer.randomSeed;
    header.ballCount = sim.ballCount;
    header.ballRadius = sim.ballRadius;
    return header;
}
