#include "platform/random_source.h"

#include <cstdint>

namespace {
std::uint64_t state = 0x853c49e6748fea9bULL;
}

void seedRandom(unsigned int seed) {
    state = 0x853c49e6748fea9bULL ^ (static_cast<std::uint64_t>(seed) * 0x9E3779B97F4A7C15ULL);
    randomInt15();
}

unsigned long long randomState() { return state; }

void setRandomState(unsigned long long saved) { state = saved; }

int randomInt15() {
    // 64-bit LCG (Knuth's MMIX constants); the top bits are the well-mixed ones.
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 49) & 0x7FFFu);
}
