#pragma once
// The words and figures of the finance panels: band messages, the balance
// captions of each display unit, and the fund, status and tax panels filled
// from the books.
#include <cstdint>

#include "city/finance_panels.h"
#include "city/taxes.h"
#include "game/slots.h"
#include "support/j_string.h"

namespace tetsuro {

// The message on entering a band 0..4 (empty for any other value).
const J_String& capitalBandMessage(int band);

// "ステージ" + stage + "クリア！".
J_String stageClearMessage(int stage);

// Caption of fund-window row 4, 6, 8 or 10 (k = 0..3) for a display unit
// (0 day, 1 month, 2 term; others count as day), with eleven blanks after
// it as the window lays them out.
const J_String& balanceName(int unit, int k);

// A rate in tenths of a percent as whole percent, a point and the tenth:
// 14 gives "1.4", 408 "40.8".
J_String rateText(int32_t tenths);

// putBalanceName: the four captions of the current unit into rows 4..10.
void fillBalanceNames(FundPanel& p, const GameSlots& s);

// The fund window's figures: cash, total assets, and the previous and
// current period's profit, revenue and expense for the display unit.
void fillFundFigures(FundPanel& p, const GameSlots& s, int64_t assets);

// The assets and income windows from the month-end books and the year's
// account.
void fillStatusPanel(StatusPanel& p, const GameSlots& s);

void fillAccountPanel(AccountPanel& p, const TaxInput& in, const TaxResult& r);

}  // namespace tetsuro
