#include "game/game_clock.h"

#include "support/int_math.h"

namespace tetsuro {

// Howard Hinnant's days-from-civil: exact for the proleptic Gregorian
// calendar over the whole 64-bit range we use.
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = floorDiv<int64_t>(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t mp = (m + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& year, int& month, int& day) {
    z += 719468;
    const int64_t era = floorDiv<int64_t>(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = yoe + era * 400 + (month <= 2);
}

int64_t clockToMs(int64_t ticks) {
    // ticks * 1000 / 60 without overflow for any clock a save can hold.
    return floorDiv<int64_t>(ticks, 3) * 50 + (ticks - floorDiv<int64_t>(ticks, 3) * 3) * 50 / 3;
}

int64_t clockToHour(int64_t ticks) { return floorDiv<int64_t>(ticks, kTicksPerHour); }

GameDateTime clockToDateTime(int64_t ticks) {
    const int64_t ms = clockToMs(ticks);
    const int64_t days = floorDiv<int64_t>(ms, 86400000);
    int64_t rest = ms - days * 86400000;
    GameDateTime t;
    int month1 = 1;
    civilFromDays(days, t.year, month1, t.day);
    t.month = month1 - 1;
    t.hour = int(rest / 3600000);
    rest %= 3600000;
    t.minute = int(rest / 60000);
    rest %= 60000;
    t.second = int(rest / 1000);
    t.millisecond = int(rest % 1000);
    int64_t w = (days + 4) % 7;
    t.dayOfWeek = int(w < 0 ? w + 7 : w);
    return t;
}

int64_t clockFromCivil(int64_t year, int month, int day, int hour, int minute, int second) {
    return daysFromCivil(year, month, day) * kTicksPerDay + hour * kTicksPerHour + minute * kTicksPerMinute +
           second * kTicksPerSecond;
}

}  // namespace tetsuro
