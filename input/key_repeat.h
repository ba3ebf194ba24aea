#pragma once

#include <bitset>

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

// Which keys are down, to tell the system's auto-repeat from a new press:
// the window asks for repeats as presses only (no release in between), and
// the browser sends them so, so a press of a key already down is a repeat.
// Every release is taken, however soon it follows its press.
enum class KeySort { Letter, Special };

class KeysDown {
public:
    // True for a new press, false for a repeat of a key already down.
    bool press(KeySort sort, int code);
    void release(KeySort sort, int code);
    // Focus lost or window left: the next press of any key is new.
    void releaseAll() { down_.reset(); }

private:
    static int slot(KeySort sort, int code);
    std::bitset<512> down_;
};
