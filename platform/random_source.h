#pragma once

// The program's one pseudo-random sequence. Deterministic for a given seed on
// every host, so tests can replay a scene exactly.

void seedRandom(unsigned int seed);
// Uniform over 0..32767.
int randomInt15();
