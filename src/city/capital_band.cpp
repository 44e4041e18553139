#include "city/capital_band.h"

#include "support/int_math.h"

namespace tetsuro {

int32_t equityRatio(int64_t cash, int64_t assets) {
    if (cash >= 0) return 100;
    if (assets <= 0) return 0;
    return saturate<int32_t>((int128_t(assets) + cash) * 100 / assets);
}

int capitalBand(int64_t cash, int64_t assets) {
    int band = 3 - equityRatio(cash, assets) / 10;
    if (band < 0) band = 0;
    if (int128_t(assets) < -int128_t(cash)) band = CAPITAL_INSOLVENT;
    return band;
}

}  // namespace tetsuro
