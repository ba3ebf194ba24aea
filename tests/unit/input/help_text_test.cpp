#include <gtest/gtest.h>

#include "input/help_text.h"

namespace {

// Stepping back lowers the step count: the rate must not go negative.
TEST(HelpPanel, StepRateNeverCountsStepsBack) {
    RateMeter meter;
    meter.note(0, 100);
    meter.note(500, 70);  // 30 steps back
    meter.note(1500, 70);
    EXPECT_EQ(meter.rate, 0.0);
    meter.note(2600, 92);
    EXPECT_DOUBLE_EQ(meter.rate, 20.0);
}

}  // namespace
