#pragma once

// Sine and cosine (radians) that every machine and the browser build round
// the same way. The C libraries differ in the last bit for some arguments
// (glibc's code for CPUs with and without FMA, emscripten's libc), and shot
// directions take these values, so the simulation uses these instead: the
// correctly rounded double, worked out in double-double arithmetic after an
// exact reduction by pi/2; except at the arguments the program produces
// where x86-64 glibc with FMA (also aarch64's) is one ulp off, which take
// that value so that recordings made there keep replaying
// (geometry/libc_rounding.h).

double Sin(double x);
double Cos(double x);
