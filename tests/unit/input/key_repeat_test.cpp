#include <gtest/gtest.h>

#include <climits>

#include "input/key_repeat.h"
#include "platform/clock.h"

namespace {

// Held for two seconds and polled every 10 ms: nothing for the delay, then
// about ten a second; letting go stops it, also across the counter's wrap.
TEST(KeyRepeat, HeldKeyRepeatsTenTimesASecondAfterTheDelay) {
    for (int start : {0, INT_MAX - 700}) {
        KeyRepeat repeat;
        repeat.press('b', start);
        int count = 0;
        int firstAt = -1;
        for (int t = 0; t <= 2000; t += 10) {
            if (repeat.due(shiftedReading(start, t)) == 'b') {
                if (firstAt < 0) firstAt = t;
                ++count;
            }
        }
        EXPECT_EQ(firstAt, kRepeatDelayMilliseconds);
        EXPECT_EQ(count, 17);
        repeat.release('o');
        EXPECT_EQ(repeat.due(shiftedReading(start, 2100)), 'b') << "another key let go";
        repeat.release('b');
        EXPECT_EQ(repeat.due(shiftedReading(start, 2200)), 0);
    }
}

// A call a second late brings one repeat, not ten.
TEST(KeyRepeat, ALateCallBringsNoBurst) {
    KeyRepeat repeat;
    repeat.press('o', 0);
    EXPECT_EQ(repeat.due(1400), 'o');
    EXPECT_EQ(repeat.due(1410), 0);
    EXPECT_EQ(repeat.due(1500), 'o');
}

}  // namespace
