#include "physics/state_hash.h"

#include <cstdio>
#include <cstring>

#include "physics/simulation_step.h"

void StateHash::addBytes(const void* data, int size) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (int i = 0; i < size; ++i) {
        value ^= bytes[i];
        value *= 0x100000001b3ULL;
    }
}

void StateHash::addInt(long long v) {
    // Little-endian bytes whatever the host, so the text form is portable.
    unsigned char bytes[8];
    const unsigned long long u = static_cast<unsigned long long>(v);
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(u >> (8 * i));
    addBytes(bytes, 8);
}

void StateHash::addDouble(double v) {
    long long bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    addInt(bits);
}

namespace {

void addVector(StateHash& h, const Vector3& v) {
    h.addDouble(v.x);
    h.addDouble(v.y);
    h.addDouble(v.z);
}

}  // namespace

std::uint64_t sceneStateHash(const Simulation& s) {
    StateHash h;
    h.addInt(s.stats.stepNumber);
    for (int i = 0; i < kMaxBalls; ++i) {
        h.addInt(s.ballAlive[i]);
        if (s.ballAlive[i] == 0) continue;
        addVector(h, s.ballPositions[i]);
        addVector(h, s.ballVelocities[i]);
    }
    for (const Shot& shot : s.shots) {
        h.addInt(shot.life);
        if (shot.life == 0) continue;
        addVector(h, shot.position);
        addVector(h, shot.velocity);
    }
    return h.value;
}

void formatStateHash(std::uint64_t hash, char (&text)[17]) {
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
}
