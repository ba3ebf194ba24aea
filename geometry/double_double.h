#pragma once

// Unevaluated sums of two doubles (hi + lo, |lo| at most half an ulp of hi):
// about 106 bits, from plain double operations. Exact products come from
// Veltkamp splitting, not a fused multiply-add, so the results are the same
// on every IEEE machine that rounds each operation to double (the build
// turns contraction off).

struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;
};

namespace double_double {

// s + e == a + b exactly, for |a| >= |b| (or a == 0).
inline DoubleDouble QuickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// s + e == a + b exactly, any order.
inline DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a == hi + lo, each with at most 26 significant bits (|a| < 2^995).
inline void Split(double a, double& hi, double& lo) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    hi = c - (c - a);
    lo = a - hi;
}

// p + e == a * b exactly (no underflow, no overflow).
inline DoubleDouble TwoProduct(double a, double b) {
    const double p = a * b;
    double ah, al, bh, bl;
    Split(a, ah, al);
    Split(b, bh, bl);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

inline DoubleDouble Multiply(const DoubleDouble& a, const DoubleDouble& b) {
    const DoubleDouble p = TwoProduct(a.hi, b.hi);
    return QuickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble Negate(const DoubleDouble& a) { return {-a.hi, -a.lo}; }

}  // namespace double_double
