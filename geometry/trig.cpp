#include "geometry/trig.h"

#include <cstdint>

#include "geometry/double_bits.h"
#include "geometry/double_double.h"
#include "geometry/libc_rounding.h"
#include "geometry/quarter_turns.h"

namespace {

using double_double::Multiply;

// (-1)^k / (2k+1)! and (-1)^k / (2k)!, k = 0..14: after these the Taylor
// series of sin and cos on |r| <= pi/4 leave out less than 2^-120.
constexpr DoubleDouble kSinTerms[] = {
    {0x1p+0, 0.0},
    {-0x1.5555555555555p-3, -0x1.5555555555555p-57},
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {-0x1.a01a01a01a01ap-13, -0x1.a01a01a01a01ap-73},
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6c00p-73},
    {-0x1.ae64567f544e4p-26, 0x1.c062e06d1f209p-80},
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {-0x1.ae7f3e733b81fp-41, -0x1.1d8656b0ee8cbp-97},
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},
    {-0x1.2f49b46814157p-57, -0x1.2650f61dbdcb4p-112},
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120},
    {-0x1.761b41316381ap-75, 0x1.3423c7d91404fp-130},
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139},
    {-0x1.d1ab1c2dccea3p-94, -0x1.054d0c78aea14p-149},
    {0x1.259f98b4358adp-103, 0x1.eaf8c39dd9bc5p-157},
};
constexpr DoubleDouble kCosTerms[] = {
    {0x1p+0, 0.0},
    {-0x1p-1, 0.0},
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {-0x1.6c16c16c16c17p-10, 0x1.f49f49f49f49fp-65},
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {-0x1.27e4fb7789f5cp-22, -0x1.cbbc05b4fa99ap-76},
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {-0x1.93974a8c07c9dp-37, -0x1.05d6f8a2efd1fp-92},
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
    {-0x1.6827863b97d97p-53, -0x1.eec01221a8b0bp-107},
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},
    {-0x1.0ce396db7f853p-70, 0x1.aebcdbd20331cp-124},
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135},
    {-0x1.88e85fc6a4e5ap-89, 0x1.71c37ebd16540p-143},
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},
};
constexpr int kTermCount = 15;

// Below this, sin x rounds to x and cos x to 1.
constexpr double kTiny = 0x1p-27;

// From this term on, the terms of both series stay below 2^-58 of the
// result, so plain doubles carry them with all the precision needed.
constexpr int kFirstPlainTerm = 9;

// a + b for a term b and a = the higher terms times z: |a| < |b| / 3, so
// the sum cancels no bits and the low parts can be added plainly.
DoubleDouble AddTerm(const DoubleDouble& a, const DoubleDouble& b) {
    const DoubleDouble s = double_double::TwoSum(a.hi, b.hi);
    return double_double::QuickTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

// sum of terms[k] * z^k, by Horner's rule.
DoubleDouble Series(const DoubleDouble* terms, int count, const DoubleDouble& z) {
    double tail = terms[count - 1].hi;
    for (int k = count - 2; k >= kFirstPlainTerm; --k) tail = tail * z.hi + terms[k].hi;
    DoubleDouble sum = {tail, 0.0};
    for (int k = kFirstPlainTerm - 1; k >= 0; --k) sum = AddTerm(Multiply(sum, z), terms[k]);
    return sum;
}

// sin and cos of the reduced argument, |r| <= pi/4.
DoubleDouble SinOfRest(const DoubleDouble& r) {
    return Multiply(r, Series(kSinTerms, kTermCount, Multiply(r, r)));
}
DoubleDouble CosOfRest(const DoubleDouble& r) { return Series(kCosTerms, kTermCount, Multiply(r, r)); }

// The double nearest to hi + lo.
double Rounded(const DoubleDouble& v) { return v.hi + v.lo; }

// sin(magnitude + quarter * pi/2), correctly rounded.
double SinOfQuarters(double magnitude, int quarter) {
    const QuarterTurns q = ReduceQuarterTurns(magnitude);
    switch ((q.quadrant + quarter) & 3) {
        case 0:
            return Rounded(SinOfRest(q.rest));
        case 1:
            return Rounded(CosOfRest(q.rest));
        case 2:
            return -Rounded(SinOfRest(q.rest));
        default:
            return -Rounded(CosOfRest(q.rest));
    }
}

// sin (quarter = 0) or cos (quarter = 1) of a magnitude, as the recordings
// made so far have it.
double SinOrCos(double magnitude, int quarter) {
    const double value = SinOfQuarters(magnitude, quarter);
    const int step = LibcRoundingStep(magnitude, quarter == 1);
    if (step == 0) return value;
    return DoubleFromBits(BitsOf(value) + static_cast<std::uint64_t>(static_cast<std::int64_t>(step)));
}

}  // namespace

double Sin(double x) {
    if (!(x - x == 0.0)) return x - x;  // NaN for NaN and the infinities
    if (x < kTiny && x > -kTiny) return x;
    return x < 0.0 ? -SinOrCos(-x, 0) : SinOrCos(x, 0);
}

double Cos(double x) {
    if (!(x - x == 0.0)) return x - x;
    if (x < kTiny && x > -kTiny) return 1.0;
    return SinOrCos(x < 0.0 ? -x : x, 1);
}
