#include "city/date_texts.h"

#include <gtest/gtest.h>

#include "game/game_clock.h"

namespace tetsuro {
namespace {

TEST(DateTexts, DateLineAndMonthIndex) {
    EXPECT_EQ(dateLine(clockToDateTime(kNewGameClock)).toUtf8(), " 1年 4月 1日");
    EXPECT_EQ(dateLine(clockToDateTime(clockFromCivil(1980, 12, 31))).toUtf8(), "11年12月31日");
    EXPECT_EQ(getStringYM(2 * 12 + 3).toUtf8(), "  2年 4月");
    EXPECT_EQ(getStringYM(123 * 12 + 11).toUtf8(), "123年12月");
}

// The time line shows as much as the screen is wide.
TEST(DateTexts, TimeLineFollowsTheTextWidth) {
    const GameDateTime t = clockToDateTime(kNewGameClock);  // 08:59:59.966
    EXPECT_EQ(timeLine(t, 44).toUtf8(), "08:59:59.9");
    EXPECT_EQ(timeLine(t, 25).toUtf8(), "08:59:59.9");
    EXPECT_EQ(timeLine(t, 24).toUtf8(), "08:59:59");
    EXPECT_EQ(timeLine(t, 23).toUtf8(), "08:59:59");
    EXPECT_EQ(timeLine(t, 20).toUtf8(), "08:59");
}

}  // namespace
}  // namespace tetsuro
