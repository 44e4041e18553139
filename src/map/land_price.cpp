#include "map/land_price.h"

#include "support/int_math.h"
#include "support/sub.h"

namespace tetsuro::LandPrice {

int64_t pow_2_16(int32_t n) {
    const int64_t p = Sub::pow_2_8(n / 2);
    if (n % 2 == 0) return p;
    // The product is formed in single precision, as the price table has
    // always been; saturate() clamps what no longer fits.
    return saturate<int64_t>(float(p) * 1.0442737f);
}

int64_t getLandValue(int32_t word) { return pow_2_16(word / 2) / 4; }

}  // namespace tetsuro::LandPrice
