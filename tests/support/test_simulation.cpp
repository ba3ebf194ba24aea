#include "tests/support/test_simulation.h"

Simulation sim;
ViewerState viewer;
SceneState scene;

void resetTestState() {
    sim = Simulation();
    viewer = ViewerState();
    scene = SceneState();
}
