#include "input/key_repeat.h"

#include <cstdint>

#include "platform/clock.h"

namespace {

// How far `now` is past `time`, negative before it, across the counter's wrap.
std::int32_t pastBy(int time, int now) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(time));
}

}  // namespace

void KeyRepeat::press(int key, int now) {
    key_ = key;
    next_ = shiftedReading(now, kRepeatDelayMilliseconds);
}

void KeyRepeat::release(int key) {
    if (key == 0 || key == key_) key_ = 0;
}

int KeyRepeat::due(int now) {
    if (key_ == 0 || pastBy(next_, now) < 0) return 0;
    next_ = shiftedReading(next_, kRepeatIntervalMilliseconds);
    // Called late (a long frame): the next one is an interval from now.
    if (pastBy(next_, now) >= 0) next_ = shiftedReading(now, kRepeatIntervalMilliseconds);
    return key_;
}
