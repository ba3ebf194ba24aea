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

int KeysDown::slot(KeySort sort, int code) {
    // A letter let go with Shift in another state than at its press comes
    // back in the other case: one slot for both.
    if (sort == KeySort::Letter && code >= 'A' && code <= 'Z') code |= 0x20;
    return (sort == KeySort::Special ? 256 : 0) + (code & 0xff);
}

bool KeysDown::press(KeySort sort, int code) {
    const int at = slot(sort, code);
    if (down_.test(at)) return false;
    down_.set(at);
    return true;
}

void KeysDown::release(KeySort sort, int code) { down_.reset(slot(sort, code)); }
