#include "city/finance.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "finance_fixture.h"
#include "game/game_state.h"

namespace tetsuro {
namespace {

using test::at;
using test::FinanceFixture;

// Every cash movement feeds the day, month and term counters of its side.
TEST(Finance, PaymentsMoveCashCountersAndBooks) {
    FinanceFixture x;
    x.f.setFund(1000);
    x.f.sellTrain(7);  // brings 5, books 2 as expense
    EXPECT_EQ(x.la(LA_FUND), 1005);
    EXPECT_EQ(x.la(LA_LOSS), 2);
    EXPECT_EQ(x.f.state().assetsT, -7);
    x.f.buyAssetsL(300);
    x.f.buyAssets(AssetBook::Track, 40);
    x.f.buyAssets(AssetBook::Station, 50);
    x.f.buyAssets(AssetBook::Train, 60);
    x.f.receiveTaxable(11);
    EXPECT_EQ(x.la(LA_FUND), 1005 - 450 + 11);
    EXPECT_EQ(x.la(LA_ASSET_LAND), 300);
    EXPECT_EQ(x.la(LA_ASSET_TRACK), 40);
    EXPECT_EQ(x.la(LA_ASSET_STATION), 50);
    EXPECT_EQ(x.f.state().assetsT, 53);
    EXPECT_EQ(x.la(LA_GAIN), 11);
    for (int i : {SDWA_INCOME_DAY, SDWA_INCOME_MONTH, SDWA_INCOME_YEAR}) EXPECT_EQ(x.sd(i), 16) << i;
    for (int i : {SDWA_EXPENSE_DAY, SDWA_EXPENSE_MONTH, SDWA_EXPENSE_YEAR}) EXPECT_EQ(x.sd(i), 450) << i;
    EXPECT_EQ(x.sd(SDWA_INCOME_PREV_DAY), 0);
}

// Running costs collect in 1/10000 units and are paid in whole units.
TEST(Finance, RunningCostsArePaidInWholeUnits) {
    FinanceFixture x;
    x.f.addExpense(3, 15000);
    x.f.addExpense(4, 10000);
    EXPECT_EQ(x.la(LA_RUN_COST), 25000);
    EXPECT_EQ(x.la(LA_FUND), 0);
    ASSERT_EQ(x.world.trainCharges.size(), 2u);
    EXPECT_EQ(x.world.trainCharges[0], (std::pair<int32_t, int64_t>{3, 15000}));
    x.f.chargeRunningCost();
    EXPECT_EQ(x.la(LA_FUND), -2);
    EXPECT_EQ(x.la(LA_LOSS), 2);
    EXPECT_EQ(x.la(LA_RUN_COST), 5000);
}

// The counters are 32-bit: a term's expense past 2^31 stays at the top
// instead of wrapping into revenue-like negatives.
TEST(Finance, CountersAndCashSaturate) {
    FinanceFixture x;
    x.f.addFund(-3000000000LL);
    x.f.addFund(-3000000000LL);
    EXPECT_EQ(x.sd(SDWA_EXPENSE_YEAR), 2147483647);
    EXPECT_EQ(x.la(LA_FUND), -6000000000LL);
    x.f.addFund(std::numeric_limits<int64_t>::min());
    EXPECT_EQ(x.sd(SDWA_EXPENSE_DAY), 2147483647);
    EXPECT_EQ(x.la(LA_FUND), std::numeric_limits<int64_t>::min());
    // The whole 64-bit amount is added before the limit applies.
    x.sd(SDWA_INCOME_MONTH) = -2147483647;
    x.f.addFund(2147483647LL + 5);
    EXPECT_EQ(x.sd(SDWA_INCOME_DAY), 2147483647);
    EXPECT_EQ(x.sd(SDWA_INCOME_MONTH), 5);
}

// Assets are the month-end books: a purchase does not count toward
// affordability until the month has ended.
TEST(Finance, AffordabilityUsesTheMonthEndBooks) {
    FinanceFixture x;
    x.dt(at(1, 4, 20));
    x.f.setFund(1000);
    x.f.buyAssets(AssetBook::Station, 600);
    EXPECT_EQ(x.f.getAssets(), 0);
    EXPECT_TRUE(x.f.checkCost(400));  // equality passes
    EXPECT_EQ(x.canvas.messageWait(), 0);
    EXPECT_FALSE(x.f.checkCost(401));
    EXPECT_EQ(x.canvas.message().toUtf8(), "資金が足りません");
    EXPECT_EQ(x.canvas.messageWait(), 2000);
    EXPECT_EQ(x.la(LA_FUND), 400);
    x.dt(at(1, 5, 1));
    EXPECT_EQ(x.f.getAssets(), 600);
    EXPECT_TRUE(x.f.checkCost(1000));
    EXPECT_FALSE(x.f.canAfford(1001));
}

// The stage clears on the first cash change that brings cash + assets to
// 2,000,000, only in play and only in a scenario stage.
TEST(Finance, StageClearOnlyInPlayWithAStage) {
    struct Case {
        int state, stage;
        int64_t worth;
        bool clears;
    };
    const Case cases[] = {
        {STATE_PLAY, 3, 2000000, true},
        {STATE_PLAY, 3, 1999999, false},
        {STATE_PLAY, 0, 10000000, false},
        {19, 1, 10000000, false},  // the stage's run-in
    };
    for (const auto& c : cases) {
        FinanceFixture x;
        x.canvas.setState(c.state);
        x.sba(SBA_STAGE) = int8_t(c.stage);
        x.sba(SBA_STAGE_REACHED) = 1;
        x.la(LA_ASSET_LAND_M) = 500000;
        x.f.setFund(-200000);
        x.canvas.clearMessage();
        x.canvas.m_iCapitalState = 3;  // a clearing call must leave it alone
        const int bandBefore = x.canvas.m_iCapitalState;
        x.f.receiveTaxable(c.worth - 300000);  // a fare
        if (c.clears) {
            EXPECT_EQ(x.canvas.state(), STATE_STAGE_CLEAR);
            EXPECT_EQ(x.canvas.message().toUtf8(), "ステージ3クリア！");
            EXPECT_EQ(x.canvas.messageWait(), -1);
            EXPECT_EQ(x.sba(SBA_STAGE_REACHED), 3);
            EXPECT_EQ(x.world.statusWrites, 1);
            EXPECT_EQ(x.canvas.m_iCapitalState, bandBefore) << "no band test in the clearing call";
        } else {
            EXPECT_EQ(x.canvas.state(), c.state) << c.stage << " " << c.worth;
            EXPECT_EQ(x.sba(SBA_STAGE_REACHED), 1);
            EXPECT_EQ(x.world.statusWrites, 0);
        }
    }
}

// A new game clears the books, the counters and a loss carried from the
// game before.
TEST(Finance, NewGameClearsTheBooks) {
    FinanceFixture x;
    for (int i = LA_FUND; i <= LA_LOSS_CARRIED; ++i) x.la(i) = 77;
    for (int i = SDWA_INCOME_DAY; i <= SDWA_EXPENSE_PREV_YEAR; ++i) x.sd(i) = 77;
    x.sba(SBA_BALANCE_UNIT) = 2;
    x.f.newGame();
    for (int i = LA_RUN_COST; i <= LA_TAX_DUE; ++i) {
        if (i == LA_RESERVED_3) continue;
        EXPECT_EQ(x.la(i), 0) << i;
    }
    EXPECT_EQ(x.la(LA_LOSS_CARRIED), 0);
    for (int i = SDWA_INCOME_DAY; i <= SDWA_EXPENSE_PREV_YEAR; ++i) EXPECT_EQ(x.sd(i), 0) << i;
    EXPECT_EQ(x.sba(SBA_BALANCE_UNIT), 0);
}

}  // namespace
}  // namespace tetsuro
