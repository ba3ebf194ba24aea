#pragma once

// Start-up's layout of the simulation, one for the desktop program, the
// page and the headless tools, in its fixed order: room and obstacles from
// the options already read, the random seed (kept for the help panel and
// recordings), ball placement, ball colours, empty effects.

#include "input/replay_file.h"

void layOutSimulation(unsigned int seed);

// A recording to replay brings its own ball count and radius, which win
// over the command line's; its seed is laid out with.
void takeRecordedOptions(const ReplayHeader& header);

// The header a recording of the scene laid out now starts with.
ReplayHeader headerOfScene();
