#pragma once

// Elapsed milliseconds since start, as the toolkit counts them. The program
// installs the toolkit's counter; tests install a fake they can advance.

using ClockSource = int (*)();
using SleepFunction = void (*)(int milliseconds);

int elapsedMilliseconds();
void setClockSource(ClockSource source);
// The source installed now (never null), so it can be wrapped and put back.
ClockSource installedClockSource();

// Milliseconds from the reading `earlier` to the later reading `later`. The
// toolkit's int counter wraps after 24.8 days; taken modulo 2^32 the
// difference stays right across the wrap (for readings less than 49 days
// apart) and never overflows. Equal to later - earlier whenever that fits.
long long millisecondsBetween(int earlier, int later);

// A reading moved on by `milliseconds` (negative: back), wrapping as the
// counter does instead of overflowing.
int shiftedReading(int reading, long long milliseconds);

// Sleeps about the given time. Tests replace it with one that advances
// their fake clock.
void sleepMilliseconds(int milliseconds);
void setSleepFunction(SleepFunction sleeper);

// Gives the processor away for a small fraction of a millisecond: the end of
// a wait that must not overshoot polls the clock between such pauses
// instead of spinning.
void pauseBriefly();
