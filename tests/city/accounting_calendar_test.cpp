#include "city/accounting_calendar.h"

#include <gtest/gtest.h>

#include "finance_fixture.h"

namespace tetsuro {
namespace {

using test::at;
using test::FinanceFixture;
using test::ym;

// Which boundaries a reading books, from the date seen before it.
TEST(AccountingCalendar, BoundariesOfTheDateUpdate) {
    enum Before { Fresh, Seen, NewGame, Loaded };
    struct Case {
        const char* what;
        Before before;
        int64_t previous, now;
        int days, months;
        bool closed;
    };
    const Case cases[] = {
        {"first reading of the program", Fresh, 0, at(1, 4, 10, 9), 0, 0, false},
        {"same day", Seen, at(1, 4, 10, 9), at(1, 4, 10, 23), 0, 0, false},
        {"next day", Seen, at(1, 4, 10, 23), at(1, 4, 11), 1, 0, false},
        {"end of April", Seen, at(1, 4, 30, 23), at(1, 5, 1), 1, 1, false},
        {"end of February", Seen, at(2, 2, 28, 23), at(2, 3, 1), 1, 1, false},
        {"end of March closes the year", Seen, at(2, 3, 31, 23), at(2, 4, 1), 1, 1, true},
        // The day seen survives a new game, so its first reading pays the
        // upkeep of a new day; the month seen does not.
        {"new game, other day", NewGame, at(3, 7, 5), at(1, 4, 1, 9), 1, 0, false},
        {"new game, same day of month", NewGame, at(3, 7, 1), at(1, 4, 1, 9), 0, 0, false},
        {"load during play", Loaded, at(3, 7, 5), at(5, 3, 9), 1, 0, false},
    };
    for (const auto& c : cases) {
        FinanceFixture x;
        x.world.stations = 1;
        if (c.before != Fresh) x.dt(c.previous);
        if (c.before == NewGame) x.f.newGame();
        x.la(LA_CLOCK) = c.now;
        if (c.before == NewGame) x.f.gameStarted();
        if (c.before == Loaded) x.f.gameLoaded();
        x.world.resets.clear();
        const int64_t cash = x.la(LA_FUND);
        EXPECT_EQ(x.dt(c.now), c.closed) << c.what;
        EXPECT_EQ(x.world.resetCount(IncomePeriod::Day), c.days) << c.what;
        EXPECT_EQ(cash - x.la(LA_FUND), 20 * c.days) << c.what;
        EXPECT_EQ(x.world.resetCount(IncomePeriod::Month), c.months) << c.what;
        EXPECT_EQ(x.world.passengerRolls, c.months) << c.what;
        EXPECT_EQ(x.world.resetCount(IncomePeriod::Year), c.closed ? 1 : 0) << c.what;
    }
}

// A new day: yesterday's counters move, then the upkeep is paid into the
// new day and booked as deductible.
TEST(AccountingCalendar, DayChangeRollsThenPaysUpkeep) {
    FinanceFixture x;
    x.world.stations = 3;
    x.world.yards = 5;
    x.world.buildings = 7;
    x.dt(at(1, 4, 10, 23));
    x.f.setFund(1000);
    x.sd(SDWA_INCOME_DAY) = 5;
    x.sd(SDWA_EXPENSE_DAY) = 77;
    x.dt(at(1, 4, 11));
    EXPECT_EQ(x.sd(SDWA_INCOME_PREV_DAY), 5);
    EXPECT_EQ(x.sd(SDWA_EXPENSE_PREV_DAY), 77);
    EXPECT_EQ(x.sd(SDWA_INCOME_DAY), 0);
    EXPECT_EQ(x.sd(SDWA_EXPENSE_DAY), 60 + 10 + 210);
    EXPECT_EQ(x.la(LA_LOSS), 280);
    EXPECT_EQ(x.la(LA_FUND), 720);
}

// The month's depreciation (trains over 156 months, stations over 480) is
// taken at the month that ended, before the month-end books are copied; a
// debt then costs 1 % interest, truncated.
TEST(AccountingCalendar, MonthChangeDepreciatesThenSnapshotsThenChargesInterest) {
    struct Case {
        int64_t cash, interest;
    };
    for (const auto& c : {Case{0, 0}, Case{-99, 0}, Case{-150, 1}, Case{-1000000, 10000}}) {
        FinanceFixture x;
        // A new train, one in its last month of value, and a new station.
        x.world.trains = {{156000, ym(1, 4)}, {156000, ym(1, 4) - 155}};
        x.world.stationAssets = {{300000, ym(1, 4)}};
        x.la(LA_CLOCK) = at(1, 4, 20);
        x.f.gameStarted();
        EXPECT_EQ(x.f.state().assetsT, 157000);
        x.la(LA_ASSET_STATION) = 300000;
        x.la(LA_ASSET_LAND) = 5000;
        x.la(LA_ASSET_TRACK) = 7000;
        x.dt(at(1, 4, 20));
        x.f.addFund(-468000);
        x.f.setFund(c.cash);
        x.dt(at(1, 5, 1));
        EXPECT_EQ(x.la(LA_ASSET_TRAIN), 155000) << c.cash;
        EXPECT_EQ(x.f.state().assetsT, 155000);
        EXPECT_EQ(x.la(LA_ASSET_STATION_M), 299375);
        EXPECT_EQ(x.la(LA_ASSET_STATION), 299375);
        EXPECT_EQ(x.la(LA_ASSET_LAND_M), 5000);
        EXPECT_EQ(x.la(LA_ASSET_TRACK_M), 7000);
        EXPECT_EQ(x.f.getAssets(), 155000 + 299375 + 5000 + 7000);
        EXPECT_EQ(x.la(LA_LOSS), 2000 + 625 + c.interest) << c.cash;
        EXPECT_EQ(x.la(LA_FUND), c.cash - c.interest) << c.cash;
        // The interest belongs to the new month.
        EXPECT_EQ(x.sd(SDWA_EXPENSE_PREV_MONTH), 468000);
        EXPECT_EQ(x.sd(SDWA_EXPENSE_MONTH), c.interest);
        x.dt(at(1, 6, 1));
        EXPECT_EQ(x.la(LA_ASSET_TRAIN), 154000) << "the old train is written off";
        EXPECT_EQ(x.la(LA_ASSET_STATION_M), 298750);
    }
}

// The year closes once, with property tax on the assets and corporate tax
// on the income, a loss carried forward when that is on.
TEST(AccountingCalendar, TermCloseTaxesAndCarriesLosses) {
    struct Case {
        bool carry;
        int64_t carried1, due1, carried2, due2;
    };
    // Year one loses 300, year two earns 500; property tax 1400 each year.
    const Case cases[] = {{true, 300, 1400, 0, 1400 + 200 * 408 / 1000}, {false, 0, 1400, 0, 1400 + 500 * 408 / 1000}};
    for (const auto& c : cases) {
        FinanceFixture x;
        x.sba(SBA_LOSS_CARRY) = c.carry;
        x.la(LA_ASSET_LAND) = 100000;
        x.dt(at(2, 3, 31, 23));
        x.f.setFund(10000);
        x.la(LA_GAIN) = 1000;
        x.la(LA_LOSS) = 1300;
        x.sd(SDWA_INCOME_YEAR) = 40;
        x.sd(SDWA_EXPENSE_YEAR) = 50;
        EXPECT_TRUE(x.dt(at(2, 4, 1)));
        EXPECT_EQ(x.la(LA_LOSS_CARRIED), c.carried1) << c.carry;
        EXPECT_EQ(x.la(LA_TAX_DUE), c.due1);
        EXPECT_EQ(x.la(LA_GAIN), 0);
        EXPECT_EQ(x.la(LA_LOSS), 0);
        EXPECT_EQ(x.sd(SDWA_INCOME_PREV_YEAR), 40);
        EXPECT_EQ(x.sd(SDWA_EXPENSE_PREV_YEAR), 50);
        EXPECT_EQ(x.sd(SDWA_INCOME_YEAR), 0);
        EXPECT_EQ(x.sd(SDWA_EXPENSE_YEAR), 0);
        EXPECT_EQ(x.canvas.m_bCStatus, 1);
        EXPECT_EQ(x.canvas.m_iAccountWait, 20000);
        EXPECT_EQ(x.la(LA_FUND), 10000) << "taxes are paid in May";
        // Later readings of the same April close nothing again.
        EXPECT_FALSE(x.dt(at(2, 4, 1, 1)));
        EXPECT_FALSE(x.dt(at(2, 4, 2)));
        EXPECT_EQ(x.la(LA_LOSS_CARRIED), c.carried1);
        EXPECT_EQ(x.world.resetCount(IncomePeriod::Year), 1);

        x.dt(at(3, 3, 31, 23));
        x.la(LA_GAIN) = 800;
        x.la(LA_LOSS) = 300;
        EXPECT_TRUE(x.dt(at(3, 4, 1)));
        EXPECT_EQ(x.la(LA_LOSS_CARRIED), c.carried2) << c.carry;
        EXPECT_EQ(x.la(LA_TAX_DUE), c.due2) << c.carry;
    }
}

// The tax fixed at the close is paid when May ends, and stays recorded.
TEST(AccountingCalendar, TaxIsPaidWhenMayEnds) {
    FinanceFixture x;
    x.dt(at(2, 4, 1, 1));
    x.f.setFund(10000);
    x.la(LA_TAX_DUE) = 1400;
    struct Moment {
        int64_t clock, cash;
    };
    const Moment moments[] = {{at(2, 4, 30, 23), 10000}, {at(2, 5, 1), 10000}, {at(2, 5, 31, 23), 10000},
                              {at(2, 6, 1), 8600},      {at(2, 7, 1), 8600}};
    for (const auto& m : moments) {
        x.dt(m.clock);
        EXPECT_EQ(x.la(LA_FUND), m.cash) << m.clock;
    }
    EXPECT_EQ(x.la(LA_TAX_DUE), 1400);
    EXPECT_EQ(x.la(LA_LOSS), 0) << "taxes are not deductible";
    EXPECT_EQ(x.sd(SDWA_EXPENSE_YEAR), 1400);
}

// Insolvent at the close with a loss in the year: bankruptcy is decided,
// even though the year's tax is not paid yet.
TEST(AccountingCalendar, BankruptcyAtTheCloseFromInsolvencyAndALoss) {
    struct Case {
        int64_t cash, assets, gain;
        int band;
    };
    const Case cases[] = {
        {-1000, 0, 0, 5},     // interest of 10 makes the year a loss
        {-1000, 0, 100, 4},   // 100 - 10 is a profit
        {-1000, 0, 10, 4},    // and 10 - 10 no loss
        {-95, 100, 0, 3},     // a loss, but not insolvent
    };
    for (const auto& c : cases) {
        FinanceFixture x;
        x.la(LA_ASSET_LAND) = c.assets;
        x.la(LA_ASSET_LAND_M) = c.assets;
        x.dt(at(2, 3, 31, 23));
        x.f.setFund(c.cash);
        x.la(LA_GAIN) = c.gain;
        x.la(LA_LOSS) = c.gain == 0 && c.cash > -100 ? 5 : 0;
        EXPECT_TRUE(x.dt(at(2, 4, 1)));
        EXPECT_EQ(x.canvas.m_iCapitalState, c.band) << c.cash << " " << c.gain;
    }
}

}  // namespace
}  // namespace tetsuro
