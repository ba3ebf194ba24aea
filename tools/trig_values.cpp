// Prints, for every argument the simulation gives sine and cosine and for a
// million random ones, our Sin and Cos next to the C library's sin and cos,
// one line each: "SET X OUR_SIN OUR_COS LIBC_SIN LIBC_COS", the doubles as
// the 16 hex digits of their bits. scripts/check_trig.py compares runs of it
// (this machine, glibc without its FMA code, the browser build under node,
// aarch64) with each other and with a high-precision reference.
//
//   vl_trig_values [FILE]     (default: standard output)
//
// The sets:
//   yaw     every camera yaw within 10^6 presses of an arrow either way
//           (2 degrees a press, the float yaw in radians as firing turns it)
//   turn    the arrows' own turn matrices (+-2 degrees) and the zero angles
//   fire    every elevation and azimuth automatic fire can draw
//   layout  the cones' half angles
//   near    uniform over the yaws' radian range
//   any     finite doubles with random bits, exponents 2^-30 to 2^1023

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "geometry/double_bits.h"
#include "geometry/scalar_helpers.h"
#include "geometry/trig.h"

namespace {

// SplitMix64: the same sequence everywhere.
std::uint64_t next(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

FILE* out = stdout;
bool failed = false;

void line(const char* set, double x) {
    if (std::fprintf(out, "%s %016llx %016llx %016llx %016llx %016llx\n", set,
                     static_cast<unsigned long long>(BitsOf(x)), static_cast<unsigned long long>(BitsOf(Sin(x))),
                     static_cast<unsigned long long>(BitsOf(Cos(x))),
                     static_cast<unsigned long long>(BitsOf(std::sin(x))),
                     static_cast<unsigned long long>(BitsOf(std::cos(x)))) < 0) {
        failed = true;
    }
}

// RandomNumber(0)'s values: (r - 16383) / 16383 for r = 0..32767.
float drawn(int r) { return static_cast<float>(r - 16383) / 16383.0f; }

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: vl_trig_values [FILE]\n");
        return 2;
    }
    if (argc == 2) {
        out = std::fopen(argv[1], "w");
        if (out == nullptr) {
            std::fprintf(stderr, "vl_trig_values: cannot write %s\n", argv[1]);
            return 1;
        }
    }
    // The yaw moves by 2.0 at a time in a float: exact up to 2^24 degrees.
    for (long k = -1000000; k <= 1000000; ++k) {
        const float yaw = static_cast<float>(2 * k);
        line("yaw", DegToRad(yaw));
    }
    line("turn", DegToRad(2.0));
    line("turn", DegToRad(-2.0));
    line("turn", 0.0);
    for (int r = 0; r <= 32767; ++r) {
        const float elevation = 15.0f * drawn(r);
        const float azimuth = 180.0f + 10.0f * drawn(r);
        line("fire", static_cast<float>(DegToRad(elevation)));
        line("fire", static_cast<float>(DegToRad(azimuth)));
    }
    for (double degrees : {10.0, 15.0, 20.0, 25.0}) line("layout", DegToRad(degrees));
    std::uint64_t state = 22;
    const double reach = DegToRad(2.0e6f);
    for (int i = 0; i < 500000; ++i) {
        // 53 random bits, spread over [-reach, reach].
        const double u = static_cast<double>(next(state) >> 11) * 0x1p-53;
        line("near", (2.0 * u - 1.0) * reach);
    }
    for (int i = 0; i < 500000; ++i) {
        const std::uint64_t b = next(state);
        const std::uint64_t exponent = 1023 - 30 + (b >> 53) % (1024 + 30);
        line("any", DoubleFromBits((b & 0x800FFFFFFFFFFFFFull) | (exponent << 52)));
    }
    if (std::fflush(out) != 0 || failed || (out != stdout && std::fclose(out) != 0)) {
        std::fprintf(stderr, "vl_trig_values: writing failed\n");
        return 1;
    }
    return 0;
}
