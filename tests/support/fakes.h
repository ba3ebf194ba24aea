#pragma once

// Test doubles for the platform layer: a clock the test advances by hand, a
// sleep that advances it, and a cue player that records what it was asked
// to play.

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/sound.h"

namespace fakes {

inline int& clockNow() {
    static int now = 0;
    return now;
}

inline int readFakeClock() { return clockNow(); }
inline void fakeSleep(int milliseconds) {
    if (milliseconds > 0) clockNow() += milliseconds;
}

inline std::vector<std::string>& playedCues() {
    static std::vector<std::string> cues;
    return cues;
}

inline void recordCue(const char* name) { playedCues().push_back(name); }

// Installs the fakes with the clock at start.
inline void install(int start = 0) {
    clockNow() = start;
    playedCues().clear();
    setClockSource(readFakeClock);
    setSleepFunction(fakeSleep);
    setCuePlayer(recordCue);
}

inline void uninstall() {
    setClockSource(nullptr);
    setSleepFunction(nullptr);
    setCuePlayer(nullptr);
}

}  // namespace fakes
