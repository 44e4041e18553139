#include "support/vel_l.h"

#include <limits>

namespace tetsuro::VelL {

std::int64_t pow_2(int n) {
    if (n <= 0) return 1;
    if (n >= 63) return std::numeric_limits<std::int64_t>::max();
    return std::int64_t{1} << n;
}

std::int64_t toPow2(std::int32_t v) {
    if (v <= 0) return 0;
    std::int64_t p = 1;
    while (p < v) p <<= 1;
    return p;
}

}  // namespace tetsuro::VelL
