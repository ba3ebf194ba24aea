#pragma once

// A double's bit pattern and back, for the code that works on the bits
// (our Sin and Cos, their rounding table, the tool that checks them).

#include <cstdint>
#include <cstring>

inline std::uint64_t BitsOf(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline double DoubleFromBits(std::uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}
