#include "tests/support/test_simulation.h"

Simulation sim;
