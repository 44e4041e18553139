#pragma once
// What the station and platform windows show, as text.
#include <cstdint>

#include "support/j_string.h"

namespace tetsuro {

struct StationPanel {
    J_String name;
    J_String lastMonth;   // passengers, money-style grouping, 9 wide
    J_String thisMonth;
    J_String built;       // year-month
    J_String value;       // book value, money-style grouping
    int64_t bookValue = 0;
};

struct PlatformPanel {
    J_String number;      // "0番線"
    J_String length;      // metres with one decimal, "12.5"
    J_String built;
    J_String value;
    int64_t bookValue = 0;
};

// The panels at month index ym; empty texts for a free record.
StationPanel stationPanel(int32_t si, int64_t ym);
PlatformPanel platformPanel(int32_t fi, int64_t ym);

}  // namespace tetsuro
