#pragma once

// The program's one pseudo-random sequence. Deterministic for a given seed on
// every host, so tests can replay a scene exactly.

void seedRandom(unsigned int seed);
// Uniform over 0..32767.
int randomInt15();

// The generator's whole state, so a step taken again (step back, replays)
// draws the same numbers.
unsigned long long randomState();
void setRandomState(unsigned long long state);
