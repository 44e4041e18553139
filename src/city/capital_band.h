#pragma once
// How healthy the company is: the equity ratio and the band the game
// judges it by. Bands 0..4 follow every cash change; 5 (bankruptcy decided
// at a term close) and 6 (bankrupt) are set by the year close and the frame
// cycle only.
#include <cstdint>

namespace tetsuro {

enum CapitalBand : int {
    CAPITAL_30_OR_MORE = 0,
    CAPITAL_BELOW_30 = 1,
    CAPITAL_BELOW_20 = 2,
    CAPITAL_BELOW_10 = 3,
    CAPITAL_INSOLVENT = 4,     // cash + assets < 0
    CAPITAL_BANKRUPTCY_DECIDED = 5,
    CAPITAL_BANKRUPT = 6,
};

// Percent: 100 with no debt; otherwise (assets + cash) x 100 / assets,
// truncated. With no assets to set against the debt (assets <= 0) it is 0:
// a negative book would otherwise turn a debt into a healthy ratio.
int32_t equityRatio(int64_t cash, int64_t assets);

// 3 - ratio / 10, at least 0; 4 whenever the debt exceeds the assets.
int capitalBand(int64_t cash, int64_t assets);

}  // namespace tetsuro
