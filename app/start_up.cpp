#include "app/start_up.h"

#include "app/live_simulation.h"
#include "scene/scene_layout.h"
#include "scene/scene_state.h"

void layOutSimulation(unsigned int seed) {
    buildSceneGeometry(sim);
    scene.randomSeed = seed;
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
    header.seed = scene.randomSeed;
    header.ballCount = sim.ballCount;
    header.ballRadius = sim.ballRadius;
    return header;
}
