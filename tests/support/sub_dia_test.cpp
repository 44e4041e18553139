#include "support/sub_dia.h"

#include <gtest/gtest.h>

#include "support/sub.h"

namespace tetsuro {

TEST(SubDia, SlotGridFollowsTheUnit) {
    struct Case {
        int8_t unit;
        int count, perHour, hourOf25, minutesOf25;
    };
    for (const auto& c : {Case{10, 144, 6, 4, 10}, Case{30, 48, 2, 12, 30}, Case{1, 1440, 60, 0, 25}}) {
        Sub::s_sbDiaUnit = c.unit;
        EXPECT_EQ(Sub::getDiaCount(), c.count);
        EXPECT_EQ(Sub::getDiaColumnHour(), c.perHour);
        EXPECT_EQ(Sub::getDiaHour(25), c.hourOf25);
        EXPECT_EQ(Sub::getDiaMinutes(25), c.minutesOf25);
    }
    Sub::s_sbDiaUnit = 10;
    // 1970-01-01 04:35 -> slot 27; the day before midnight wraps to the last slot.
    EXPECT_EQ(Sub::getDiaIndexAt((4 * 60 + 35) * 3600LL), 27);
    EXPECT_EQ(Sub::getDiaIndexAt(-1), 143);
    EXPECT_EQ(Sub::getDiaIndexAt(5184000LL * 400 + 3600LL * 9), 0);
    Sub::s_sbDiaUnit = 0;  // not set yet: 10 minutes
    EXPECT_EQ(Sub::getDiaCount(), 144);
}

}  // namespace tetsuro
