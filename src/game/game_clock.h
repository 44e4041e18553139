#pragma once
// The game clock and its calendar. LA_CLOCK counts ticks of 1/60 s from
// 1970-01-01 00:00 of a proleptic Gregorian calendar with no time zone and no
// daylight saving; all conversions are pure arithmetic (never the C library's
// local time), so every machine shows the same date for the same clock.
#include <cstdint>

namespace tetsuro {

inline constexpr int64_t kTicksPerSecond = 60;
inline constexpr int64_t kTicksPerMinute = 3600;
inline constexpr int64_t kTicksPerHour = 216000;
inline constexpr int64_t kTicksPerDay = 5184000;

// Year 1, 1 April, 08:59:59.97: the clock of a new free or blank-land game.
inline constexpr int64_t kNewGameClock = 468503998;
// Year 1, 28 February, 08:59:59.97: a new scenario stage before its run-in.
inline constexpr int64_t kNewStageClock = 302615998;
// Year 6, 1 April, 00:00: the end of the fifth business year; a frame's
// simulation stops exactly there.
inline constexpr int64_t kFifthYearEndClock = 9932544000;

// Days since 1970-01-01 of a civil date (month 1..12), and back.
int64_t daysFromCivil(int64_t year, int month, int day);
void civilFromDays(int64_t days, int64_t& year, int& month, int& day);

struct GameDateTime {
    int64_t year = 1970;  // calendar year
    int month = 0;        // 0-based, as the panels use it
    int day = 1;          // 1..31
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int dayOfWeek = 4;    // 0 Sunday .. 6 Saturday (1970-01-01 was a Thursday)

    int64_t gameYear() const { return year - 1969; }
    // The business year runs April to March and is numbered by its April.
    int64_t businessYear() const { return (month < 3 ? year - 1 : year) - 1969; }
};

// Milliseconds of a clock value (ticks x 1000 / 60, floored).
int64_t clockToMs(int64_t ticks);
// Hour number of a clock value (floored, so negative clocks stay ordered).
int64_t clockToHour(int64_t ticks);
GameDateTime clockToDateTime(int64_t ticks);
// The clock at the start of a civil moment (month 1..12).
int64_t clockFromCivil(int64_t year, int month, int day, int hour = 0, int minute = 0, int second = 0);

}  // namespace tetsuro
