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

// Presses and releases in the order they arrive, and which presses act.
TEST(KeysDown, OnlyAPressOfAKeyAlreadyDownIsARepeat) {
    struct Event {
        bool press;
        KeySort sort;
        int code;
        bool acts;
    };
    const KeySort L = KeySort::Letter;
    const KeySort S = KeySort::Special;
    const Event events[] = {
        {true, L, 'o', true},  {true, L, 'o', false},  // held: the system repeats it
        {false, L, 'o', false}, {true, L, 'o', true},  // let go and pressed again at once
        {true, L, 'p', true},                           // another key while O is down
        {false, L, 'O', false}, {true, L, 'o', true},  // let go with Shift: the same key
        {true, S, 'o', true},                           // a special key with the same code
        {true, S, 1, true},    {false, S, 1, false}, {true, S, 1, true},
    };
    KeysDown keys;
    for (const Event& e : events) {
        if (e.press) {
            EXPECT_EQ(keys.press(e.sort, e.code), e.acts) << static_cast<char>(e.code);
        } else {
            keys.release(e.sort, e.code);
        }
    }
    keys.releaseAll();
    EXPECT_TRUE(keys.press(L, 'p'));
    EXPECT_TRUE(keys.press(S, 1));
}

}  // namespace
