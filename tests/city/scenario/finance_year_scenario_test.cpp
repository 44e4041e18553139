// A free game with a station, a train and daily upkeep, run through the
// frame cycle from March to June: the year close at 1 April and the tax
// payment at the end of May.
#include <gtest/gtest.h>

#include "../finance_fixture.h"
#include "city/accounting_simulation.h"
#include "city/starting_funds.h"
#include "game/headless_game.h"

namespace tetsuro {
namespace {

using test::at;
using test::ym;

struct YearRun {
    static HeadlessGameOptions options(SimulationHooks* sim) {
        HeadlessGameOptions o;
        o.speed = 22;
        o.hooks.simulation = sim;
        return o;
    }

    void runTo(int64_t clock) {
        ASSERT_TRUE(game.runTicks(clock - game.canvas().clock(), 1000000));
        ASSERT_EQ(game.canvas().clock(), clock);
    }
    int64_t la(int i) { return game.canvas().slots().m_la[size_t(i)]; }
    int32_t sd(int i) { return game.canvas().slots().m_sdwa[size_t(i)]; }

    test::FakeWorld world;
    Finance finance{world};
    AccountingSimulation sim{finance};
    HeadlessGame game{options(&sim)};
};

TEST(FinanceYearScenario, CloseInAprilAndPayInMay) {
    YearRun r;
    MainCanvas& c = r.game.canvas();
    ASSERT_TRUE(r.game.startEmptyGame());
    r.finance.bind(c);
    r.finance.newGame();
    c.slots().m_la[LA_CLOCK] = at(2, 3, 1, 9);
    r.finance.setFund(startingFunds(StartMode::Free, 256, 256, 100));
    r.finance.gameStarted();
    // Three stations, a yard and two station buildings: 122 a day.
    r.world.stations = 3;
    r.world.yards = 1;
    r.world.buildings = 2;
    r.world.stationAssets = {{300000, ym(2, 3)}};
    r.finance.buyAssets(AssetBook::Station, 300000);
    r.world.trains = {{156000, ym(2, 3)}};
    r.finance.buyAssets(AssetBook::Train, 156000);

    // The close ends the frame exactly at 1 April 00:00.
    ASSERT_TRUE(r.game.driver().runUntil([&] { return c.m_bCStatus == 1; }, 1000000));
    EXPECT_EQ(c.clock(), at(2, 4, 1));
    const int64_t upkeepToClose = 31 * 122;  // 2 March .. 1 April
    const int64_t cashAtClose = 10000000 - 456000 - upkeepToClose;
    EXPECT_EQ(r.la(LA_FUND), cashAtClose);
    EXPECT_EQ(r.la(LA_ASSET_TRAIN), 155000);
    EXPECT_EQ(r.la(LA_ASSET_STATION_M), 299375);
    EXPECT_EQ(r.la(LA_TAX_DUE), (155000 + 299375) * 14 / 1000) << "a loss: property tax only";
    EXPECT_EQ(r.la(LA_GAIN), 0);
    EXPECT_EQ(r.la(LA_LOSS), 0);
    EXPECT_EQ(r.sd(SDWA_EXPENSE_PREV_YEAR), 456000 + upkeepToClose);
    EXPECT_EQ(r.sd(SDWA_EXPENSE_YEAR), 0);
    EXPECT_EQ(r.finance.state().status.income.toUtf8(), "         -5,407");
    EXPECT_EQ(c.m_iCapitalState, 0);

    const int64_t taxDue = 6361;
    r.runTo(at(2, 5, 31, 23));
    const int64_t cashEndOfMay = cashAtClose - 60 * 122;
    EXPECT_EQ(r.la(LA_FUND), cashEndOfMay) << "the tax waits for the end of May";
    r.runTo(at(2, 6, 15));
    EXPECT_EQ(r.la(LA_FUND), cashEndOfMay - taxDue - 15 * 122);
    EXPECT_EQ(r.la(LA_TAX_DUE), taxDue);
    EXPECT_EQ(r.la(LA_LOSS), 75 * 122 + 2 * (1000 + 625));
    EXPECT_EQ(r.la(LA_ASSET_TRAIN), 153000);
    EXPECT_EQ(r.world.resetCount(IncomePeriod::Year), 1);
    EXPECT_EQ(r.world.resetCount(IncomePeriod::Month), 3);
    EXPECT_EQ(r.world.resetCount(IncomePeriod::Day), 31 + 75);
}

}  // namespace
}  // namespace tetsuro
