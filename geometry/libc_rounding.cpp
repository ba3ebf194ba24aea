#include "geometry/libc_rounding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "geometry/double_bits.h"

namespace {

struct Step {
    std::uint64_t magnitude;
    signed char sin;
    signed char cos;
};

// By the bits of |x|, in order; scripts/check_trig.py --table writes them.
constexpr Step kSteps[] = {
#include "geometry/libc_rounding_table.h"
};

}  // namespace

int LibcRoundingStep(double magnitude, bool cosine) {
    const std::uint64_t key = BitsOf(magnitude);
    const Step* found = std::lower_bound(std::begin(kSteps), std::end(kSteps), key,
                                         [](const Step& s, std::uint64_t k) { return s.magnitude < k; });
    if (found == std::end(kSteps) || found->magnitude != key) return 0;
    return cosine ? found->cos : found->sin;
}
