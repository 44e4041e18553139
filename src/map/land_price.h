#pragma once
// Price of one mesh of land at a city block's land value word. Pure
// arithmetic, shared by the land book (MapController) and the land trade.
#include <cstdint>

namespace tetsuro::LandPrice {

// pow_2_8(n / 2), multiplied for odd n by the single-precision factor
// 1.0442737 (about 2^(1/16)) and truncated: 256 x 2^(n / 16). Saturates at
// the int64 maximum.
int64_t pow_2_16(int32_t n);

// pow_2_16(word / 2) / 4: 64 at level 0 (word 0 or 1, and the -1 of a block
// off the map), doubling every 16 levels (32 words). From about word 1500
// on the doubling would pass the int64 range; the price saturates instead.
int64_t getLandValue(int32_t word);

}  // namespace tetsuro::LandPrice
