#include "support/sub_dia.h"

#include "support/int_math.h"
#include "support/sub.h"

namespace tetsuro::Sub {

namespace {
constexpr int64_t kTicksPerMinute = 3600;
constexpr int kClockSlot = 0;  // LA_CLOCK
}  // namespace

int32_t getDiaUnit() {
    const int u = s_sbDiaUnit;
    return (u == 1 || u == 10 || u == 30) ? u : 10;
}

int32_t getDiaCount() { return 1440 / getDiaUnit(); }

int32_t getDiaIndexAt(int64_t clock) {
    const int64_t slot = floorDiv<int64_t>(floorDiv<int64_t>(clock, kTicksPerMinute), getDiaUnit());
    return int32_t(floorMod<int64_t>(slot, getDiaCount()));
}

int32_t getDiaIndex() { return m_la ? getDiaIndexAt(m_la[kClockSlot]) : 0; }

int32_t getDiaColumnHour() { return 60 / getDiaUnit(); }

int32_t getDiaHour(int32_t i) { return i / getDiaColumnHour(); }

int32_t getDiaMinutes(int32_t i) { return (i % getDiaColumnHour()) * getDiaUnit(); }

int32_t getDiaColumn() {
    const int rows = s_sbDiaLines;
    const bool legal = rows == 2 || rows == 3 || rows == 4 || rows == 6 || rows == 8 || rows == 12 || rows == 24;
    return getDiaCount() / (legal ? rows : 8);
}

}  // namespace tetsuro::Sub
