#include "app/step_pacing.h"

#include <cmath>

#include "platform/clock.h"

namespace {

constexpr int kMaxRate = 40;
// The last part of the pacing wait is polled (with pauses of a tenth of a
// millisecond) rather than slept, so that an oversleeping timer cannot delay
// the step past its first due reading.
constexpr int kPollMilliseconds = 2;

// Pacing rate for `steps` steps in `elapsed` milliseconds; above kMaxRate
// means wait longer. No elapsed time at all counts as too fast.
int paceRate(int steps, long long elapsed) {
    if (elapsed == 0) return kMaxRate + 1;
    return static_cast<int>(2.0 * steps * 1000.0 / elapsed);
}

// Smallest elapsed time whose rate is at most kMaxRate.
int paceThreshold(int steps) { return static_cast<int>(std::floor(2000.0 * steps / (kMaxRate + 1))) + 1; }

}  // namespace

void paceStep(StepPacing& pacing) {
    pacing.stepsSincePace += 1;
    const int steps = pacing.stepsSincePace;
    const int threshold = paceThreshold(steps);
    int rate = 100;
    int now = 0;
    while (rate > kMaxRate) {
        now = elapsedMilliseconds();
        const long long elapsed = millisecondsBetween(pacing.lastPaceTime, now);
        rate = paceRate(steps, elapsed);
        if (rate > kMaxRate) {
            const long long sleepFor = threshold - elapsed - kPollMilliseconds;
            if (sleepFor > 0) {
                sleepMilliseconds(static_cast<int>(sleepFor));
            } else {
                pauseBriefly();
            }
        }
    }
    pacing.lastPaceTime = now;
    pacing.stepsSincePace = 0;
}

int millisecondsUntilStepDue(const StepPacing& pacing) {
    const long long elapsed = millisecondsBetween(pacing.lastPaceTime, elapsedMilliseconds());
    const long long wait = paceThreshold(pacing.stepsSincePace + 1) - elapsed;
    return wait > 0 ? static_cast<int>(wait) : 0;
}
