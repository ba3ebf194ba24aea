#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <vector>

#include "app/step_pacing.h"
#include "platform/clock.h"
#include "tests/support/fakes.h"

namespace {

// A clock that moves on by one millisecond at every reading, as a busy poll
// would see it, and a sleep that may oversleep; both keep a record.
struct ClockLog {
    std::vector<int> readings;
    std::vector<int> sleeps;
    int oversleep = 0;
};
ClockLog& clockLog() {
    static ClockLog log;
    return log;
}
int tickingClock() {
    const int now = fakes::clockNow()++;
    clockLog().readings.push_back(now);
    return now;
}
int stillClock() {
    clockLog().readings.push_back(fakes::clockNow());
    return fakes::clockNow();
}
void loggedSleep(int milliseconds) {
    clockLog().sleeps.push_back(milliseconds);
    fakes::clockNow() += milliseconds + clockLog().oversleep;
}

class PacingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakes::install(0);
        clockLog() = ClockLog();
        setClockSource(tickingClock);
        setSleepFunction(loggedSleep);
    }
    void TearDown() override { fakes::uninstall(); }
    StepPacing pacing;
};

TEST_F(PacingTest, StepBeginsAtTheFirstReadingAtLeast49MsAfterThePrevious) {
    pacing.lastPaceTime = 1000;
    fakes::clockNow() = 1000;

    paceStep(pacing);

    EXPECT_EQ(pacing.lastPaceTime, 1049);
    EXPECT_EQ(pacing.stepsSincePace, 0);
    // Every earlier reading was short of the mark.
    for (size_t k = 0; k + 1 < clockLog().readings.size(); ++k) EXPECT_LT(clockLog().readings[k], 1049);
}

// Readings and sleeps that carry the counter over its wrap as the toolkit's
// does, without overflowing here.
int wrapped(int from, int by) { return static_cast<int>(static_cast<unsigned>(from) + static_cast<unsigned>(by)); }
int wrappingTickingClock() {
    const int now = fakes::clockNow();
    fakes::clockNow() = wrapped(now, 1);
    clockLog().readings.push_back(now);
    return now;
}
void wrappingSleep(int milliseconds) { fakes::clockNow() = wrapped(fakes::clockNow(), milliseconds); }

TEST_F(PacingTest, WaitEndsAt49MsAcrossTheClockWrap) {
    setClockSource(wrappingTickingClock);
    setSleepFunction(wrappingSleep);
    for (const int start : {INT_MAX - 20, INT_MAX - 48, INT_MAX}) {
        pacing.lastPaceTime = start;
        fakes::clockNow() = start;

        paceStep(pacing);

        EXPECT_EQ(pacing.lastPaceTime, wrapped(start, 49)) << start;
    }
}

TEST_F(PacingTest, WaitIsSleptNotPolled) {
    pacing.lastPaceTime = 1000;
    fakes::clockNow() = 1003;

    paceStep(pacing);

    EXPECT_EQ(pacing.lastPaceTime, 1049);
    int slept = 0;
    for (int ms : clockLog().sleeps) slept += ms;
    EXPECT_GE(slept, 40);
    EXPECT_LE(clockLog().readings.size(), 5u);
}

TEST_F(PacingTest, OversleepingTimerStillMeetsTheMark) {
    clockLog().oversleep = 1;
    pacing.lastPaceTime = 500;
    fakes::clockNow() = 500;

    paceStep(pacing);

    EXPECT_EQ(pacing.lastPaceTime, 549);
}

TEST_F(PacingTest, LateOrOnTimeStepsBeginAtOnce) {
    setClockSource(stillClock);
    pacing.lastPaceTime = 1000;
    fakes::clockNow() = 1049;
    paceStep(pacing);
    EXPECT_EQ(pacing.lastPaceTime, 1049);

    fakes::clockNow() = 1500;
    paceStep(pacing);
    EXPECT_EQ(pacing.lastPaceTime, 1500);
    EXPECT_TRUE(clockLog().sleeps.empty());
    EXPECT_EQ(clockLog().readings.size(), 2u);
}

TEST_F(PacingTest, NoTimePassedAtAllKeepsWaiting) {
    pacing.lastPaceTime = 2000;
    fakes::clockNow() = 2000;
    paceStep(pacing);
    EXPECT_EQ(pacing.lastPaceTime, 2049);
}

TEST_F(PacingTest, At48MsTheStepStillWaits) {
    pacing.lastPaceTime = 1000;
    fakes::clockNow() = 1048;
    paceStep(pacing);
    EXPECT_EQ(pacing.lastPaceTime, 1049);
    ASSERT_FALSE(clockLog().readings.empty());
    EXPECT_EQ(clockLog().readings.front(), 1048);
}

// A timer set for the wait the page is told lands where paceStep lets the
// step run at once: no sooner (it would spin) and no later (a step lost).
TEST_F(PacingTest, StepDueTimeMatchesThePacing) {
    setClockSource(stillClock);
    const struct {
        int now;
        int due;
    } cases[] = {{1000, 49}, {1003, 46}, {1048, 1}, {1049, 0}, {1500, 0}};
    for (const auto& c : cases) {
        pacing.lastPaceTime = 1000;
        pacing.stepsSincePace = 0;
        fakes::clockNow() = c.now;
        EXPECT_EQ(millisecondsUntilStepDue(pacing), c.due) << c.now;
        clockLog() = ClockLog();
        fakes::clockNow() = c.now + c.due;
        paceStep(pacing);
        EXPECT_TRUE(clockLog().sleeps.empty()) << c.now;
        EXPECT_EQ(pacing.lastPaceTime, c.now + c.due) << c.now;
    }
}

TEST(PacingRealClock, WaitsAtLeast49MsWithoutSpinning) {
    StepPacing pacing;
    fakes::uninstall();
    const int start = elapsedMilliseconds();
    pacing.lastPaceTime = start;
    const std::clock_t cpuStart = std::clock();

    paceStep(pacing);
    const int first = pacing.lastPaceTime;
    paceStep(pacing);
    const int second = pacing.lastPaceTime;

    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    EXPECT_GE(first - start, 49);
    EXPECT_GE(second - first, 49);
    // Two waits of about 49 ms, of which only the last moments are polled.
    EXPECT_LT(cpuMs, 30.0);
}

}  // namespace
