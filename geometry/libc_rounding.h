#pragma once

// Where x86-64 glibc with FMA, aarch64 and s390x glibc round sin or cos of
// an argument the program produces one ulp off the correctly rounded value:
// +1 or -1 (to add to the bits of the correctly rounded f(magnitude)), else
// 0. Recordings made with those libraries took these values, so Sin and Cos
// keep them there.
int LibcRoundingStep(double magnitude, bool cosine);
