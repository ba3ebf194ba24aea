#include "platform/clock.h"

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

int steadyMilliseconds() {
    static const auto start = std::chrono::steady_clock::now();
    const auto now = std::chrono::steady_clock::now();
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count());
}

void realSleep(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

ClockSource clockSource = steadyMilliseconds;
SleepFunction sleepFunction = realSleep;

}  // namespace

int elapsedMilliseconds() { return clockSource(); }

long long millisecondsBetween(int earlier, int later) {
    return static_cast<long long>(static_cast<std::uint32_t>(later) - static_cast<std::uint32_t>(earlier));
}

int shiftedReading(int reading, long long milliseconds) {
    return static_cast<int>(static_cast<std::uint32_t>(reading) + static_cast<std::uint32_t>(milliseconds));
}

void setClockSource(ClockSource source) { clockSource = source ? source : steadyMilliseconds; }

ClockSource installedClockSource() { return clockSource; }

void sleepMilliseconds(int milliseconds) { sleepFunction(milliseconds); }

void setSleepFunction(SleepFunction sleeper) { sleepFunction = sleeper ? sleeper : realSleep; }

void pauseBriefly() { std::this_thread::sleep_for(std::chrono::microseconds(100)); }
