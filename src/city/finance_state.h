#pragma once
// The finance state that is not saved in the slot arrays: the date of the
// last update (to see day and month changes), the live vehicles book
// (recomputed from the trains at every start and load) and the panel texts.
#include <array>
#include <cstdint>

#include "city/finance_panels.h"
#include "support/j_string.h"

namespace tetsuro {

struct FinanceState {
    // Date of the last update. A day or month of 0 means there is none, and
    // the first update after that books no change of it. The day is 0 only
    // until the program's first update: a new or loaded game whose day
    // differs from the last one seen begins with a day change (its upkeep).
    int beforeSecond = 0, beforeMinute = 0, beforeHour = 0;
    int beforeDay = 0;
    int beforeMonth = 0;       // 1..12
    int64_t beforeYear = 0;    // game year

    int64_t assetsT = 0;       // live vehicles book (the snapshot is LA_ASSET_TRAIN)

    J_String dateLine;         // " 1年 4月 1日"
    FundPanel fund;
    StatusPanel status;
    AccountPanel account;

    // Every new game and every load: the month seen belongs to the game
    // before, and booking its change would depreciate and roll this game's
    // books with the other game's month.
    void resetForGame() {
        beforeMonth = 0;
        beforeYear = 0;
    }
};

}  // namespace tetsuro
