#include "scene/simulation.h"

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

#include "geometry/scalar_helpers.h"

Simulation::Simulation() : turnLeftMatrix(0.0, DegToRad(-2.0), 0.0), turnRightMatrix(0.0, DegToRad(2.0), 0.0) {}

namespace {

// Field by field, to the bit: a NaN equals itself, 0.0 differs from -0.0.
// Each record type names its fields once, in fields().
template <class T>
bool sameBits(const T& a, const T& b);

template <class T, std::size_t N>
bool sameBits(const T (&a)[N], const T (&b)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!sameBits(a[i], b[i])) return false;
    }
    return true;
}

template <class Tuple, std::size_t... I>
bool sameFields(const Tuple& a, const Tuple& b, std::index_sequence<I...>) {
    return (sameBits(std::get<I>(a), std::get<I>(b)) && ...);
}

template <class T>
bool sameBits(const T& a, const T& b) {
    if constexpr (std::is_arithmetic<T>::value) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    } else {
        const auto fa = a.fields();
        const auto fb = b.fields();
        return sameFields(fa, fb, std::make_index_sequence<std::tuple_size<decltype(fa)>::value>());
    }
}

}  // namespace

bool operator==(const SimControls& a, const SimControls& b) { return sameBits(a, b); }

bool operator==(const Simulation& a, const Simulation& b) { return sameBits(a, b); }

int liveBallCount(const Simulation& s) {
    int count = 0;
    for (int k = 0; k < kMaxBalls; ++k) count += s.ballAlive[k] != 0 ? 1 : 0;
    return count;
}

int liveShotCount(const Simulation& s) {
    int count = 0;
    for (const Shot& shot : s.shots) count += shot.life != 0 ? 1 : 0;
    return count;
}
