#pragma once
// Sums of money that never wrap. Cash and the books are 64-bit and the
// period counters 32-bit; a sum past either range sticks at the limit
// instead of turning a fortune into a debt (or the other way round).
#include <algorithm>
#include <cstdint>

#include "support/int_math.h"

namespace tetsuro {

// The 32-bit counters stop one short of the type's minimum so that a
// counter and its negation always fit.
inline constexpr int32_t kCounterLimit = 2147483647;

inline int64_t addMoney(int64_t a, int64_t b) { return saturate<int64_t>(int128_t(a) + b); }
inline int64_t subMoney(int64_t a, int64_t b) { return saturate<int64_t>(int128_t(a) - b); }

// A counter plus a 64-bit amount, held to +-(2^31 - 1).
inline int32_t addCounter(int32_t counter, int128_t amount) {
    return int32_t(std::clamp<int128_t>(int128_t(counter) + amount, -kCounterLimit, kCounterLimit));
}

}  // namespace tetsuro
