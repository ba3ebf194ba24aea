#pragma once

// The simulation the program shows: the one the session steps and the
// window or the page draws. Everything below app/ is handed it (or a copy)
// as a parameter instead.

#include "app/live_readings.h"
#include "effects/screenshot_notice.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

extern Simulation sim;

// Beside it, what the program keeps for the one watcher: their views and
// hands on the balls, the lines in the window's corner, and the live
// readings (the clock and the window's pick ray). Handed, part by part, to
// the input and drawing code that reads them.
struct LiveView {
    ViewerState viewer;
    CornerNotices notices;
    LiveReadings readings;
};
extern LiveView live;
