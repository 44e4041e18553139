#include "city/finance_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "city/money_format.h"
#include "finance_fixture.h"

namespace tetsuro {
namespace {

using test::at;
using test::FinanceFixture;

std::string blanks(int n) { return std::string(size_t(n), ' '); }

// The fund window shows the period of the display unit: captions from
// putBalanceName, figures from the matching counters, red when negative.
TEST(FinancePanels, FundWindowFollowsTheDisplayUnit) {
    struct Case {
        int unit;
        const char* prevCaption;
        const char* revenueCaption;
        int64_t prevProfit, profit, revenue, expense;
    };
    const Case cases[] = {
        {0, "前日利益", "本日収益", 4 - 400, 1 - 100, 1, 100},
        {1, "前月利益", "今月収益", 5 - 500, 2 - 200, 2, 200},
        {2, "前期利益", "今期収益", 6 - 600, 1000 - 300, 1000, 300},
    };
    for (const auto& c : cases) {
        FinanceFixture x;
        x.sba(SBA_BALANCE_UNIT) = int8_t(c.unit);
        for (int i = 0; i < 6; ++i) {
            x.sd(SDWA_INCOME_DAY + i) = i + 1;
            x.sd(SDWA_EXPENSE_DAY + i) = (i + 1) * 100;
        }
        x.sd(SDWA_INCOME_YEAR) = 1000;
        x.la(LA_ASSET_TRACK_M) = 1234;
        x.f.putBalanceName();
        x.f.setFund(-5);
        const FundPanel& p = x.f.state().fund;
        EXPECT_EQ(p.rows[0].toUtf8(), "現金");
        EXPECT_EQ(p.rows[1].toUtf8(), blanks(13) + "-5");
        EXPECT_EQ(p.rows[3].toUtf8(), blanks(10) + "1,234");
        EXPECT_EQ(p.rows[4].toUtf8(), c.prevCaption + blanks(11)) << c.unit;
        EXPECT_EQ(p.rows[8].toUtf8(), c.revenueCaption + blanks(11)) << c.unit;
        EXPECT_EQ(p.rows[5].toUtf8(), LongToFundString(c.prevProfit, 15).toUtf8()) << c.unit;
        EXPECT_EQ(p.rows[7].toUtf8(), LongToFundString(c.profit, 15).toUtf8()) << c.unit;
        EXPECT_EQ(p.rows[9].toUtf8(), LongToFundString(c.revenue, 15).toUtf8()) << c.unit;
        EXPECT_EQ(p.rows[11].toUtf8(), LongToFundString(c.expense, 15).toUtf8()) << c.unit;
        EXPECT_EQ(p.colours[1], kFundTextRed);
        EXPECT_EQ(p.colours[5], kFundTextRed);
        EXPECT_EQ(p.colours[7], c.profit < 0 ? kFundTextRed : kFundTextWhite) << c.unit;
        EXPECT_EQ(p.colours[9], kFundTextWhite);
    }
}

// The status and tax panels of a year close, with carry-forward on.
TEST(FinancePanels, YearClosePanels) {
    FinanceFixture x;
    x.sba(SBA_LOSS_CARRY) = 1;
    x.la(LA_LOSS_CARRIED) = 200;
    x.la(LA_ASSET_LAND) = 1000000;
    x.dt(at(2, 3, 31, 23));
    x.la(LA_GAIN) = 1500;
    x.la(LA_LOSS) = 2000;
    x.dt(at(2, 4, 1));
    const StatusPanel& s = x.f.state().status;
    EXPECT_EQ(s.land.toUtf8(), blanks(6) + "1,000,000");
    EXPECT_EQ(s.station.toUtf8(), blanks(10) + "0");
    EXPECT_EQ(s.total.toUtf8(), blanks(6) + "1,000,000");
    EXPECT_EQ(s.income.toUtf8(), blanks(11) + "-500");
    EXPECT_EQ(s.incomeColour, kFundTextRed);
    ASSERT_TRUE(s.showCarried);
    EXPECT_EQ(s.carried.toUtf8(), blanks(6) + "200") << "the loss carried into the closing year";
    const AccountPanel& a = x.f.state().account;
    EXPECT_EQ(a.rows[1].toUtf8(), blanks(5) + "1,000,000");
    EXPECT_EQ(a.rows[3].toUtf8(), "1.4");
    EXPECT_EQ(a.rows[4].toUtf8(), blanks(4) + "14,000");
    EXPECT_EQ(a.rows[7].toUtf8(), blanks(3) + "-700");
    EXPECT_EQ(a.rows[8].toUtf8(), blanks(10) + "-500");
    EXPECT_EQ(a.rows[10].toUtf8(), "40.8");
    EXPECT_EQ(a.rows[11].toUtf8(), blanks(9) + "0");
    EXPECT_EQ(a.rows[13].toUtf8(), blanks(8) + "14,000");
    EXPECT_EQ(rateText(0).toUtf8(), "0.0");
    EXPECT_EQ(rateText(612).toUtf8(), "61.2");
}

}  // namespace
}  // namespace tetsuro
