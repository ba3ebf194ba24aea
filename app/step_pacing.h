#pragma once

// The pacing of the live steps: the runner waits on the installed clock
// until the next step is due. The step itself never reads that clock.

// The steps since the last pacing point and the clock reading there.
struct StepPacing {
    int stepsSincePace = 0;
    int lastPaceTime = 0;
};

// Waits until the first clock reading at least 49 ms after the previous pacing point.
void paceStep(StepPacing& pacing);

// Milliseconds until paceStep would let the next step run at once (0 when
// it is due): a caller that must not wait inside paceStep (the page) sets
// a timer for this long first.
int millisecondsUntilStepDue(const StepPacing& pacing);
