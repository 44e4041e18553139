#include "city/capital_band.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "city/starting_funds.h"
#include "finance_fixture.h"

namespace tetsuro {
namespace {

using test::FinanceFixture;

TEST(CapitalBand, RatioAndBandTable) {
    struct Case {
        int64_t cash, assets;
        int32_t ratio;
        int band;
    };
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    const Case cases[] = {
        {-70, 100, 30, 0}, {-71, 100, 29, 1}, {-80, 100, 20, 1}, {-81, 100, 19, 2},
        {-90, 100, 10, 2}, {-91, 100, 9, 3},  {-100, 100, 0, 3}, {-101, 100, -1, 4},
        {0, 0, 100, 0},    {5, -50, 100, 4},  {-1, 0, 0, 4},     {-1, -5, 0, 4},
        {-150, 100, -50, 4},
        // No overflow at the ends of the range.
        {kMin, kMax, 0, 4}, {-1, kMax, 99, 0}, {kMin, 1, std::numeric_limits<int32_t>::min(), 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(equityRatio(c.cash, c.assets), c.ratio) << c.cash << " / " << c.assets;
        EXPECT_EQ(capitalBand(c.cash, c.assets), c.band) << c.cash << " / " << c.assets;
    }
}

// setFund stores a new band and shows its message once; the same band again
// shows nothing.
TEST(CapitalBand, CashChangesMoveTheBandWithAMessage) {
    FinanceFixture x;
    x.la(LA_ASSET_LAND_M) = 100;
    x.f.setFund(-85);
    EXPECT_EQ(x.canvas.m_iCapitalState, 2);
    EXPECT_EQ(x.canvas.message().toUtf8(), "自己資本比率20%未満");
    EXPECT_EQ(x.canvas.messageWait(), 3000);
    x.canvas.clearMessage();
    x.f.addFund(-1);
    EXPECT_EQ(x.canvas.messageWait(), 0);
    x.f.addFund(-20);
    EXPECT_EQ(x.canvas.m_iCapitalState, 4);
    EXPECT_EQ(x.canvas.message().toUtf8(), "債務超過！！！");
    x.f.addFund(1000);
    EXPECT_EQ(x.canvas.m_iCapitalState, 0);
    EXPECT_EQ(x.canvas.message().toUtf8(), "自己資本比率30%以上");
}

// A decided bankruptcy is not lifted by cash that arrives before the frame
// cycle announces it; only a new or loaded game leaves it.
TEST(CapitalBand, BankruptcyStandsUntilAGameStarts) {
    for (int decided : {5, 6}) {
        FinanceFixture x;
        x.f.setFund(-1);
        x.canvas.m_iCapitalState = decided;
        x.f.addFund(5000000);
        EXPECT_EQ(x.canvas.m_iCapitalState, decided);
        x.f.gameLoaded();
        EXPECT_EQ(x.canvas.m_iCapitalState, 0);
        x.canvas.m_iCapitalState = decided;
        x.f.newGame();
        x.f.setFund(stageStartingFunds(2));
        EXPECT_EQ(x.canvas.m_iCapitalState, 4) << "stage 2 starts in debt";
    }
}

}  // namespace
}  // namespace tetsuro
