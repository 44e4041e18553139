#include "game/game_clock.h"

#include <gtest/gtest.h>

namespace tetsuro {

TEST(GameClock, CalendarFixedPoints) {
    struct Case {
        int64_t ticks;
        int64_t year;
        int month0, day, hour, minute, second, ms;
        int64_t gameYear, businessYear;
    };
    const Case cases[] = {
        {0, 1970, 0, 1, 0, 0, 0, 0, 1, 0},
        {kNewGameClock, 1970, 3, 1, 8, 59, 59, 966, 1, 1},
        {kNewStageClock, 1970, 1, 28, 8, 59, 59, 966, 1, 0},
        {kFifthYearEndClock, 1975, 3, 1, 0, 0, 0, 0, 6, 6},
        {kFifthYearEndClock - 1, 1975, 2, 31, 23, 59, 59, 983, 6, 5},
        {clockFromCivil(1972, 2, 29, 12), 1972, 1, 29, 12, 0, 0, 0, 3, 2},
        {clockFromCivil(2000, 3, 1), 2000, 2, 1, 0, 0, 0, 0, 31, 30},
    };
    for (const auto& c : cases) {
        GameDateTime t = clockToDateTime(c.ticks);
        EXPECT_EQ(t.year, c.year) << c.ticks;
        EXPECT_EQ(t.month, c.month0) << c.ticks;
        EXPECT_EQ(t.day, c.day) << c.ticks;
        EXPECT_EQ(t.hour, c.hour) << c.ticks;
        EXPECT_EQ(t.minute, c.minute) << c.ticks;
        EXPECT_EQ(t.second, c.second) << c.ticks;
        EXPECT_EQ(t.millisecond, c.ms) << c.ticks;
        EXPECT_EQ(t.gameYear(), c.gameYear) << c.ticks;
        EXPECT_EQ(t.businessYear(), c.businessYear) << c.ticks;
    }
    EXPECT_EQ(kNewGameClock - kNewStageClock, 165888000);
}

TEST(GameClock, DaysRoundTripAcrossCenturiesAndNegativeClocks) {
    for (int64_t d = -800000; d <= 800000; d += 997) {
        int64_t y;
        int m, day;
        civilFromDays(d, y, m, day);
        ASSERT_EQ(daysFromCivil(y, m, day), d);
    }
    EXPECT_EQ(daysFromCivil(1972, 3, 1) - daysFromCivil(1972, 2, 28), 2);  // leap
    EXPECT_EQ(daysFromCivil(1900, 3, 1) - daysFromCivil(1900, 2, 28), 1);  // not leap
    EXPECT_EQ(daysFromCivil(2000, 3, 1) - daysFromCivil(2000, 2, 28), 2);  // leap
    // Negative clocks floor: one tick before the epoch is the last day of 1969.
    GameDateTime t = clockToDateTime(-1);
    EXPECT_EQ(t.year, 1969);
    EXPECT_EQ(t.day, 31);
    EXPECT_EQ(clockToHour(-1), -1);
}

}  // namespace tetsuro
