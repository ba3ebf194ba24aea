#include "tests/support/test_simulation.h"

Simulation sim;
ViewerState viewer;

void resetTestState() {
    sim = Simulation();
    viewer = ViewerState();
}
