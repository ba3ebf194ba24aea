#pragma once

// Elapsed milliseconds since start, as the toolkit counts them. The program
// installs the toolkit's counter; tests install a fake they can advance.

using ClockSource = int (*)();
using SleepFunction = void (*)(int milliseconds);

int elapsedMilliseconds();
void setClockSource(ClockSource source);

// Sleeps about the given time. Tests replace it with one that advances
// their fake clock.
void sleepMilliseconds(int milliseconds);
void setSleepFunction(SleepFunction sleeper);
