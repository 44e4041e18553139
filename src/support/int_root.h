#pragma once
// Exact integer square roots of 128-bit sums of squares, for lengths that
// must round the same way whatever the size of the coordinates.
#include <cmath>
#include <cstdint>

#include "support/int_math.h"

namespace tetsuro {

// floor(sqrt(s)).
inline uint64_t isqrtFloor(uint128_t s) {
    constexpr uint128_t kMax = UINT64_MAX;  // the root of any 128-bit value fits
    uint128_t r = static_cast<uint128_t>(std::sqrt(static_cast<long double>(s)));
    if (r > kMax) r = kMax;
    while (r * r > s) --r;
    while (r < kMax && (r + 1) * (r + 1) <= s) ++r;
    return static_cast<uint64_t>(r);
}

// sqrt(s) rounded to the nearest integer. No integer s has a root ending in
// exactly .5, so there is no tie: round up when s > r^2 + r.
inline uint64_t isqrtRound(uint128_t s) {
    uint128_t r = isqrtFloor(s);
    return static_cast<uint64_t>(s > r * r + r && r < UINT64_MAX ? r + 1 : r);
}

// sqrt(s) as a double. Sums below 2^53 take the correctly rounded double
// root, so results do not depend on the width of long double.
inline double rootOf(uint128_t s) {
    if (s < (static_cast<uint128_t>(1) << 53)) return std::sqrt(static_cast<double>(s));
    return static_cast<double>(std::sqrt(static_cast<long double>(s)));
}

// The square of a difference, widened.
inline uint128_t square(int128_t d) {
    uint128_t a = d < 0 ? static_cast<uint128_t>(-d) : static_cast<uint128_t>(d);
    return a * a;
}

}  // namespace tetsuro
