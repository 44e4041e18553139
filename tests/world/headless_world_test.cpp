#include "world/headless_world.h"

#include <gtest/gtest.h>

#include "game/game_clock.h"
#include "map/block.h"
#include "map/map.h"

namespace tetsuro {

TEST(HeadlessWorld, FreeGameStartsWithMapFundsAndRunsTheHourlyWork) {
    HeadlessGameOptions opt;
    opt.speed = 10;
    HeadlessWorld w(opt);
    ASSERT_TRUE(w.startFreeGame(256, 256));
    EXPECT_EQ(Map::m_my, 256);
    EXPECT_EQ(w.canvas().slots().m_la[LA_FUND], 10000000);
    EXPECT_EQ(w.canvas().state(), STATE_PLAY);
    // The city blocks' travel counters decay once a game hour.
    Block::setCounter(0, 0, 100);
    ASSERT_TRUE(w.game().runTicks(2 * kTicksPerHour, 1000000));
    EXPECT_LT(Block::getHIn(0), 100);
    // No stations: no upkeep after a day.
    ASSERT_TRUE(w.game().runTicks(kTicksPerDay, 1000000));
    EXPECT_EQ(w.canvas().slots().m_la[LA_FUND], 10000000);
}

TEST(HeadlessWorld, SameGameWhateverTheFrameRate) {
    auto run = [](int fps) {
        HeadlessGameOptions opt;
        opt.speed = 22;
        opt.fps = fps;
        HeadlessWorld w(opt);
        EXPECT_TRUE(w.startFreeGame(64, 64));
        Block::setCounter(3, 1, 500);
        EXPECT_TRUE(w.game().runTicks(72 * kTicksPerHour, 1000000));
        return w.checksum();
    };
    EXPECT_EQ(run(60), run(15));
}

TEST(HeadlessWorld, AMapTooLargeToCreateReturnsToTheTitle) {
    HeadlessWorld w(HeadlessGameOptions{});
    const uint64_t saved = Map::s_maxArrayBytes;
    Map::s_maxArrayBytes = 1000;
    EXPECT_FALSE(w.startFreeGame(512, 512));
    Map::s_maxArrayBytes = saved;
    EXPECT_EQ(w.canvas().state(), STATE_TITLE);
    EXPECT_FALSE(w.game().host().messages.empty());
}

}  // namespace tetsuro
