#include "app/start_up.h"

#include "scene/scene_layout.h"
#include "scene/scene_state.h"

void layOutSimulation(unsigned int seed) {
    buildSceneGeometry();
    scene.randomSeed = seed;
    seedRandom(sim.random, seed);
    placeBalls();
    drawBallColors();
    clearEffects();
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
