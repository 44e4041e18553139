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

#include "rail/rail_commands.h"
#include "rail/rail_invariants.h"

namespace tetsuro {

// A player's signal is paid from the company's cash.
TEST(HeadlessWorld, SignalsArePaidThroughTheBooks) {
    HeadlessWorld w(HeadlessGameOptions{});
    ASSERT_TRUE(w.startFreeGame(256, 256));
    const int64_t fund = w.canvas().slots().m_la[LA_FUND];
    ASSERT_GE(RailCommands::layPiece(0, 20, RailPoint{0, 1000, 1000}, RailPoint{0, 1000, 3000}), 0);
    EXPECT_TRUE(RailCommands::setSignal(0, 1000, 2000));
    EXPECT_EQ(w.canvas().slots().m_la[LA_FUND], fund - RailCommands::kSignalCost);
    EXPECT_EQ(w.canvas().slots().m_sdwa[SDWA_EXPENSE_DAY], RailCommands::kSignalCost);
    // Nobody can pay with nothing: no signal, no charge.
    w.world().finance().setFund(-100000000);
    EXPECT_FALSE(RailCommands::setSignal(0, 1000, 2500));
    EXPECT_EQ(w.canvas().slots().m_la[LA_FUND], -100000000);
}

}  // namespace tetsuro
