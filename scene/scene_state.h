#pragma once

// What the runner keeps between steps beside the simulation
// (scene/simulation.h): the single steps asked for while paused. The
// program's one instance belongs to app/; the code below is handed it.

struct SceneState {
    // Single steps asked for while paused (O).
    int singleStepsPending = 0;
};
