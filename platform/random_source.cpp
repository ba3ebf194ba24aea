#include "platform/random_source.h"

void seedRandom(RandomGenerator& generator, unsigned int seed) {
    generator.state = RandomGenerator().state ^ (static_cast<std::uint64_t>(seed) * 0x9E3779B97F4A7C15ULL);
    randomInt15(generator);
}

int randomInt15(RandomGenerator& generator) {
    // 64-bit LCG (Knuth's MMIX constants); the top bits are the well-mixed ones.
    generator.state = generator.state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((generator.state >> 49) & 0x7FFFu);
}
