#pragma once

// The program's pseudo-random sequence as a value, so the simulation can
// carry it and a step taken again (step back, replays) draws the same
// numbers. Deterministic for a given seed on every host.

#include <cstdint>
#include <tuple>

struct RandomGenerator {
    std::uint64_t state = 0x853c49e6748fea9bULL;
    auto fields() const { return std::tie(state); }
};

void seedRandom(RandomGenerator& generator, unsigned int seed);
// Uniform over 0..32767.
int randomInt15(RandomGenerator& generator);
