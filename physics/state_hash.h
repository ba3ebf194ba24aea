#pragma once

// A fingerprint of the simulation: the exact bits of every live ball's and
// shot's position and velocity, which slots are in use, and the step count.
// Two runs that agree on it agree to the bit, whatever machine or compiler
// ran them; replays check it and the soak prints it.

#include <cstdint>

#include "scene/simulation.h"

// FNV-1a over 64 bits, fed whole values (doubles by their bit pattern).
struct StateHash {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    void addBytes(const void* data, int size);
    void addInt(long long v);
    void addDouble(double v);
};

// The scene's fingerprint now.
std::uint64_t sceneStateHash(const Simulation& s);

// 16 lower-case hex digits, for messages and files.
void formatStateHash(std::uint64_t hash, char (&text)[17]);
