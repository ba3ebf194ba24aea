#pragma once

// Our own repeat for the keys that walk the timeline while held (O and B):
// the toolkit's repeat stays off, since it would repeat every other key too
// (P would flicker the pause). A press acts at once; held, the key acts
// again after a short delay and then about ten times a second. Times are
// elapsed milliseconds, handed in, so this reads no clock.

constexpr int kRepeatDelayMilliseconds = 400;
constexpr int kRepeatIntervalMilliseconds = 100;

class KeyRepeat {
public:
    void press(int key, int now);
    // The key let go (or every key, with 0: focus lost, window hidden).
    void release(int key);
    // The held key when a repeat is due at `now`, else 0; at most one per
    // call, and a late call does not bring a burst of them.
    int due(int now);

private:
    int key_ = 0;
    int next_ = 0;
};
