#pragma once
// The date and time texts of the play screen.
#include <cstdint>

#include "game/game_clock.h"
#include "support/j_string.h"

namespace tetsuro {

// "hh:mm", "hh:mm:ss" and "hh:mm:ss.t" (t the tenth of a second), two
// digits zero-padded.
J_String createTimeString(int h, int m);
J_String createTimeString(int h, int m, int s);
J_String createTimeString(int h, int m, int s, int ms);

// The time line for a screen textWidth half-width characters across: 25 or
// more shows tenths, 23 or more seconds, anything less hours and minutes.
J_String timeLine(const GameDateTime& t, int textWidth);

// The date line: game year, month and day each in two places padded with
// blanks, with "年", "月", "日" after them (" 1年 4月 1日").
J_String dateLine(const GameDateTime& t);

// A month index (game year x 12 + month - 1) as the year in three places,
// "年", the month in two places and "月" ("  2年 4月").
J_String getStringYM(int64_t ym);

}  // namespace tetsuro
