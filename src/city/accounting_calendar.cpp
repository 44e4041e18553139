#include "city/accounting_calendar.h"

#include <algorithm>

#include "city/capital_band.h"
#include "city/finance.h"
#include "city/money_math.h"
#include "game/main_canvas.h"

namespace tetsuro {

namespace {

// Previous := current and current := 0 for the revenue and the expense
// counter of one period (0 day, 1 month, 2 term).
void rollCounters(GameSlots& s, int period) {
    auto& c = s.m_sdwa;
    for (int base : {SDWA_INCOME_DAY, SDWA_EXPENSE_DAY}) {
        c[size_t(base + 3 + period)] = c[size_t(base + period)];
        c[size_t(base + period)] = 0;
    }
}

constexpr int kYearEndPanelMs = 20000;

}  // namespace

void bookDayChange(Finance& f) {
    rollCounters(f.slots(), 0);
    FinanceHooks& h = f.hooks();
    h.resetTrainIncome(IncomePeriod::Day);
    f.payDeductible(20 * std::max<int64_t>(h.nonYardStationCount(), 0));
    f.payDeductible(2 * std::max<int64_t>(h.yardCount(), 0));
    f.payDeductible(30 * std::max<int64_t>(h.stationBuildingCount(), 0));
}

bool bookMonthChange(Finance& f, int endedMonth, int64_t endedGameYear) {
    GameSlots& s = f.slots();
    auto& la = s.m_la;
    FinanceHooks& h = f.hooks();
    FinanceState& st = f.state();

    // 1. Depreciation, before the snapshots so the month-end books show it.
    const int64_t ym = endedGameYear * 12 + endedMonth - 1;
    const int64_t trainDrop = subMoney(h.trainsValueAt(ym), h.trainsValueAt(ym + 1));
    st.assetsT = subMoney(st.assetsT, trainDrop);
    la[LA_LOSS] = addMoney(la[LA_LOSS], trainDrop);
    const int64_t stationDrop = subMoney(h.stationsValueAt(ym), h.stationsValueAt(ym + 1));
    la[LA_ASSET_STATION] = subMoney(la[LA_ASSET_STATION], stationDrop);
    la[LA_LOSS] = addMoney(la[LA_LOSS], stationDrop);

    // 2. Month-end snapshots: the assets every judgement uses.
    la[LA_ASSET_TRAIN] = st.assetsT;
    la[LA_ASSET_STATION_M] = la[LA_ASSET_STATION];
    la[LA_ASSET_LAND_M] = la[LA_ASSET_LAND];
    la[LA_ASSET_TRACK_M] = la[LA_ASSET_TRACK];

    // 3.
    rollCounters(s, 1);
    h.resetTrainIncome(IncomePeriod::Month);

    // 4. Interest of 1 % on a debt, truncated (a debt below 100 costs none).
    if (la[LA_FUND] < 0) f.payDeductible(-(la[LA_FUND] / 100));

    // 5.
    h.rollStationPassengers();

    bool closed = false;
    if (endedMonth == 3) {
        closeBusinessYear(f);
        closed = true;
    }
    if (endedMonth == 5) payTaxDue(f);
    return closed;
}

void closeBusinessYear(Finance& f) {
    GameSlots& s = f.slots();
    MainCanvas& c = f.canvas();
    rollCounters(s, 2);
    f.hooks().resetTrainIncome(IncomePeriod::Year);
    const int64_t income = f.putStatus();
    f.putAccount();
    s.m_la[LA_GAIN] = 0;
    s.m_la[LA_LOSS] = 0;
    c.m_bCStatus = 1;
    c.m_bAccount = 0;
    c.m_iAccountWait = kYearEndPanelMs;
    c.requestPaint();
    if (c.m_iCapitalState == CAPITAL_INSOLVENT && income < 0) c.m_iCapitalState = CAPITAL_BANKRUPTCY_DECIDED;
}

void payTaxDue(Finance& f) {
    f.addFund(subMoney(0, f.slots().m_la[LA_TAX_DUE]));
    f.setFund();
}

}  // namespace tetsuro
