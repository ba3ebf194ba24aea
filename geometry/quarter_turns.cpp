#include "geometry/quarter_turns.h"

#include <cstdint>

#include "geometry/double_bits.h"

namespace {

using double_double::Multiply;
using double_double::QuickTwoSum;

// The bits of 2/pi after the binary point, 32 at a time (enough for the
// largest double, whose window starts at word 30).
constexpr std::uint32_t kTwoOverPi[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
};
constexpr int kWindowWords = 8;
constexpr int kProductWords = kWindowWords + 2;

// pi/2 to 107 bits.
constexpr DoubleDouble kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
// The largest double below pi/4: smaller arguments need no reduction.
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;

// A little-endian number of 32-bit words; words outside it read as 0.
struct Wide {
    std::uint32_t word[kProductWords] = {};

    std::uint32_t At(int k) const { return k >= 0 && k < kProductWords ? word[k] : 0; }
    bool Bit(int b) const { return b >= 0 && ((At(b / 32) >> (b % 32)) & 1) != 0; }

    // Bits [pos, pos + 64), pos may be negative.
    std::uint64_t Bits64(int pos) const {
        const int k = pos >= 0 ? pos / 32 : -((31 - pos) / 32);
        const int shift = pos - 32 * k;
        const std::uint64_t low = At(k) | (static_cast<std::uint64_t>(At(k + 1)) << 32);
        if (shift == 0) return low;
        return (low >> shift) | (static_cast<std::uint64_t>(At(k + 2)) << (64 - shift));
    }
};

// The 53-bit integer m times the window of 2/pi starting at word `first`.
Wide MultiplyWindow(std::uint64_t m, int first) {
    std::uint32_t window[kWindowWords];
    for (int k = 0; k < kWindowWords; ++k) window[k] = kTwoOverPi[first + kWindowWords - 1 - k];
    const std::uint64_t low = m & 0xFFFFFFFFu;
    const std::uint64_t high = m >> 32;
    Wide p;
    std::uint64_t carry = 0;
    for (int k = 0; k < kWindowWords; ++k) {
        const std::uint64_t t = window[k] * low + carry;
        p.word[k] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    p.word[kWindowWords] = static_cast<std::uint32_t>(carry);
    carry = 0;
    for (int k = 0; k < kWindowWords; ++k) {
        const std::uint64_t t = window[k] * high + p.word[k + 1] + carry;
        p.word[k + 1] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    p.word[kWindowWords + 1] = static_cast<std::uint32_t>(carry);
    return p;
}

// Bits [0, width) of p, the rest cleared.
void KeepLow(Wide& p, int width) {
    for (int k = 0; k < kProductWords; ++k) {
        const int from = 32 * k;
        if (from >= width) {
            p.word[k] = 0;
        } else if (width - from < 32) {
            p.word[k] &= (std::uint32_t{1} << (width - from)) - 1;
        }
    }
}

// 2^width - p for 0 < p < 2^width.
void NegateLow(Wide& p, int width) {
    std::uint64_t carry = 1;
    for (int k = 0; k < kProductWords; ++k) {
        const std::uint64_t t = static_cast<std::uint64_t>(static_cast<std::uint32_t>(~p.word[k])) + carry;
        p.word[k] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    KeepLow(p, width);
}

int HighestBit(const Wide& p) {
    for (int k = kProductWords - 1; k >= 0; --k) {
        if (p.word[k] != 0) return 32 * k + 31 - __builtin_clz(p.word[k]);
    }
    return -1;
}

// 2^n for -1022 <= n <= 1023.
double PowerOfTwo(int n) { return DoubleFromBits(static_cast<std::uint64_t>(n + 1023) << 52); }

}  // namespace

QuarterTurns ReduceQuarterTurns(double x) {
    QuarterTurns out;
    if (x <= kQuarterPi) {
        out.rest = {x, 0.0};
        return out;
    }
    const std::uint64_t bits = BitsOf(x);
    // x = m * 2^e, x normal since it exceeds pi/4.
    const int e = static_cast<int>(bits >> 52) - 1075;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    // Words before `first` only add multiples of 4 quarter turns.
    const int first = e >= 34 ? (e - 34) / 32 + 1 : 0;
    Wide p = MultiplyWindow(m, first);
    // x * 2/pi = p / 2^point, up to the words left out (below 2^(53 - point)).
    const int point = 32 * (first + kWindowWords) - e;
    out.quadrant = (p.Bit(point) ? 1 : 0) + (p.Bit(point + 1) ? 2 : 0);
    KeepLow(p, point);
    const bool past_half = p.Bit(point - 1);
    if (past_half) {
        out.quadrant = (out.quadrant + 1) & 3;
        NegateLow(p, point);
    }
    const int top = HighestBit(p);
    if (top < 0) return out;  // a multiple of pi/2 to 200 bits: no double is one
    // The 128 bits from the highest one down, as a sum of two 53-bit parts
    // (the fraction is above 2^-63 for every double, so the powers of two stay
    // normal).
    const std::uint64_t high = p.Bits64(top - 63);
    const std::uint64_t low = p.Bits64(top - 127);
    const double a = static_cast<double>(high >> 11);
    const double b = static_cast<double>(((high & 0x7FF) << 42) | (low >> 22));
    const int scale = top - 127 - point;
    const DoubleDouble fraction = QuickTwoSum(a * PowerOfTwo(scale + 75), b * PowerOfTwo(scale + 22));
    out.rest = Multiply(fraction, kHalfPi);
    if (past_half) out.rest = double_double::Negate(out.rest);
    return out;
}
