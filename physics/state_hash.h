#pragma once

// A fingerprint of the bodies: the step count, which ball and shot slots
// are in use, and the exact bits of every live ball's and shot's position
// and velocity (a shot's life too). Nothing else goes in: not the controls,
// the random generator, the spawn slots, the flashes or the step's figures,
// so two runs that agree on it agree on where every body is and how it
// moves, whatever machine or compiler ran them, and files that carry it
// stay valid as the rest of the state changes shape. Replays check it and
// the soak prints it.

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
