#pragma once
// The timetable texts of the train panel, as data for whoever draws it.
#include <cstdint>
#include <optional>
#include <vector>

#include "support/j_string.h"

namespace tetsuro::TrainDiaPanel {

inline constexpr int32_t kCurrentColor = 0xFFFF00;

// Train number as three digits ("007").
J_String numberText(int32_t number);
// "hh:mm" of a time in ticks (clock or week time).
J_String clockText(int64_t ticks);
// While waiting, the departure time and "発"; else "試運転" on a test run,
// or the riders on board and "名".
J_String statusText(int32_t ti, std::optional<int64_t> departureClock);

struct Line {
    J_String text;  // station, blank, hh:mm, then 着 or 発
    bool current = false;
};
// The record from the entry before the current one: an arrival line (left
// out when within one minute of the departure) and a departure line per
// stop, at most maxLines; the current stop's first line is marked. A loop
// is followed round once; a test run ends at the current stop.
std::vector<Line> recordLines(int32_t ti, int32_t maxLines);

}  // namespace tetsuro::TrainDiaPanel
