#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "geometry/scalar_helpers.h"
#include "geometry/trig.h"

namespace {

std::uint64_t bitsOf(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// The firing code's radians of a yaw in degrees.
double yawRadians(float degrees) { return DegToRad(degrees); }

// Expected values: correctly rounded (mpmath at 300 bits), except where
// x86-64 glibc with FMA is one ulp off for an argument the program makes.
TEST(Trig, HardArgumentsGiveTheReferenceBits) {
    struct Case {
        const char* what;
        double x;
        std::uint64_t sin, cos;
    } cases[] = {
        // glibc without FMA rounds sin(48 degrees) the other way, emscripten's
        // libc sin(58 degrees); both are yaws the arrows reach.
        {"48 degrees", yawRadians(48.0f), 0x3fe7c7d7a833bec1, 0x3fe5698496e20bd8},
        {"-48 degrees", yawRadians(-48.0f), 0xbfe7c7d7a833bec1, 0x3fe5698496e20bd8},
        {"58 degrees", yawRadians(58.0f), 0x3feb2335c2cda945, 0x3fe0f5193eacdd2a},
        {"342 degrees", yawRadians(342.0f), 0xbfd3c6ef372fe953, 0x3fee6f0e134454ff},
        // Next to pi/2: cos is the tiny remainder, which needs the full reduction.
        {"90 degrees", yawRadians(90.0f), 0x3ff0000000000000, 0x3c91a62633145c07},
        // The double closest to a multiple of pi/2 of all.
        {"6381956970095103 * 2^797", std::ldexp(6381956970095103.0, 797), 0x3ff0000000000000, 0xbc214ae72e6ba22f},
        {"1e300", 1e300, 0xbfea2c16b010e385, 0xbfe2699022adc4c1},
        // glibc's cos here is one ulp below the correctly rounded ...e7.
        {"-2842 degrees", yawRadians(-2842.0f), 0x3fe3b37fb1bdc91e, 0x3fe9376253f463e6},
        {"tiny", 1e-300, bitsOf(1e-300), 0x3ff0000000000000},
        {"-0", -0.0, 0x8000000000000000, 0x3ff0000000000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bitsOf(Sin(c.x)), c.sin) << "sin " << c.what;
        EXPECT_EQ(bitsOf(Cos(c.x)), c.cos) << "cos " << c.what;
    }
    for (double x : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(Sin(x))) << x;
        EXPECT_TRUE(std::isnan(Cos(x))) << x;
    }
}

// FNV-1a over the bits of sin and cos of 7,097 arguments: the yaws of
// 1,500 presses either way (31 of them where glibc with FMA is one ulp off)
// and the first 2,048 elevations and azimuths automatic fire can draw. The
// expected hash is of x86-64 glibc-with-FMA's values, checked against
// mpmath by scripts/check_trig.py.
TEST(Trig, ReachableArgumentsHashAsTheReference) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    auto add = [&hash](double value) {
        const std::uint64_t b = bitsOf(value);
        for (int i = 0; i < 8; ++i) {
            hash ^= (b >> (8 * i)) & 0xff;
            hash *= 0x100000001b3ull;
        }
    };
    auto both = [&add](double x) {
        add(Sin(x));
        add(Cos(x));
    };
    for (int k = -1500; k <= 1500; ++k) both(yawRadians(static_cast<float>(2 * k)));
    for (int r = 0; r < 2048; ++r) {
        const float drawn = static_cast<float>(r - 16383) / 16383.0f;
        both(static_cast<float>(DegToRad(15.0f * drawn)));
        both(static_cast<float>(DegToRad(180.0f + 10.0f * drawn)));
    }
    EXPECT_EQ(hash, 0x47a098196a27cc07ull);
}

}  // namespace
