#include "city/finance_texts.h"

#include <algorithm>
#include <array>

#include "city/money_format.h"
#include "city/money_math.h"
#include "support/shift_jis.h"

namespace tetsuro {

const J_String& capitalBandMessage(int band) {
    static const std::array<const J_String*, 5> texts{
        &SJ(u8"自己資本比率30%以上"), &SJ(u8"自己資本比率30%未満"), &SJ(u8"自己資本比率20%未満"),
        &SJ(u8"自己資本比率10%未満"), &SJ(u8"債務超過！！！")};
    static const J_String none;
    return band >= 0 && band < 5 ? *texts[size_t(band)] : none;
}

J_String stageClearMessage(int stage) {
    J_String m = SJ(u8"ステージ");
    m += stage;
    m += SJ(u8"クリア！");
    return m;
}

const J_String& balanceName(int unit, int k) {
    static const std::array<std::array<const J_String*, 4>, 3> names{{
        {&SJ(u8"前日利益           "), &SJ(u8"本日利益           "), &SJ(u8"本日収益           "),
         &SJ(u8"本日費用           ")},
        {&SJ(u8"前月利益           "), &SJ(u8"今月利益           "), &SJ(u8"今月収益           "),
         &SJ(u8"今月費用           ")},
        {&SJ(u8"前期利益           "), &SJ(u8"今期利益           "), &SJ(u8"今期収益           "),
         &SJ(u8"今期費用           ")},
    }};
    if (unit < 0 || unit > 2) unit = 0;
    return *names[size_t(unit)][size_t(std::clamp(k, 0, 3))];
}

J_String rateText(int32_t tenths) {
    J_String t;
    if (tenths < 0) {
        t += SJ(u8"-");
        tenths = tenths == INT32_MIN ? INT32_MAX : -tenths;
    }
    t += int(tenths / 10);
    t += SJ(u8".");
    t += int(tenths % 10);
    return t;
}

void fillBalanceNames(FundPanel& p, const GameSlots& s) {
    const int unit = s.m_sba[SBA_BALANCE_UNIT];
    for (int k = 0; k < 4; ++k) p.rows[size_t(4 + 2 * k)] = balanceName(unit, k);
}

namespace {
uint32_t signColour(int64_t v) { return v < 0 ? kFundTextRed : kFundTextWhite; }
}  // namespace

void fillFundFigures(FundPanel& p, const GameSlots& s, int64_t assets) {
    if (p.rows[0].getBytes().empty()) {
        p.rows[0] = SJ(u8"現金");
        p.rows[2] = SJ(u8"資産");
    }
    const auto& c = s.m_sdwa;
    int unit = s.m_sba[SBA_BALANCE_UNIT];
    if (unit < 0 || unit > 2) unit = 0;
    // Day, month and term counters sit side by side: index + unit.
    const int64_t revenue = c[size_t(SDWA_INCOME_DAY + unit)];
    const int64_t expense = c[size_t(SDWA_EXPENSE_DAY + unit)];
    const int64_t prevProfit =
        int64_t(c[size_t(SDWA_INCOME_PREV_DAY + unit)]) - c[size_t(SDWA_EXPENSE_PREV_DAY + unit)];
    const int64_t cash = s.m_la[LA_FUND];
    const int64_t profit = revenue - expense;
    LongToFundJString(p.rows[1], cash, 15);
    LongToFundJString(p.rows[3], assets, 15);
    LongToFundJString(p.rows[5], prevProfit, 15);
    LongToFundJString(p.rows[7], profit, 15);
    LongToFundJString(p.rows[9], revenue, 15);
    LongToFundJString(p.rows[11], expense, 15);
    p.colours.fill(kFundTextWhite);
    p.colours[1] = signColour(cash);
    p.colours[5] = signColour(prevProfit);
    p.colours[7] = signColour(profit);
}

void fillStatusPanel(StatusPanel& p, const GameSlots& s) {
    const auto& la = s.m_la;
    LongToFundJString(p.train, la[LA_ASSET_TRAIN], 15);
    LongToFundJString(p.station, la[LA_ASSET_STATION_M], 11);
    LongToFundJString(p.land, la[LA_ASSET_LAND_M], 15);
    LongToFundJString(p.track, la[LA_ASSET_TRACK_M], 15);
    const int64_t total = addMoney(addMoney(la[LA_ASSET_TRAIN], la[LA_ASSET_STATION_M]),
                                   addMoney(la[LA_ASSET_LAND_M], la[LA_ASSET_TRACK_M]));
    LongToFundJString(p.total, total, 15);
    LongToFundJString(p.gain, la[LA_GAIN], 15);
    LongToFundJString(p.loss, la[LA_LOSS], 15);
    const int64_t income = subMoney(la[LA_GAIN], la[LA_LOSS]);
    LongToFundJString(p.income, income, 15);
    p.incomeColour = signColour(income);
    p.showCarried = s.m_sba[SBA_LOSS_CARRY] == 1;
    if (p.showCarried) LongToFundJString(p.carried, la[LA_LOSS_CARRIED], 9);
}

void fillAccountPanel(AccountPanel& p, const TaxInput& in, const TaxResult& r) {
    for (auto& row : p.rows) row = J_String();
    p.rows[1] = LongToFundString(in.assets, 14);
    p.rows[3] = rateText(in.propertyRate);
    p.rows[4] = LongToFundString(r.propertyTax, 10);
    if (in.carryForward) p.rows[7] = LongToFundString(-r.carriedLoss, 7);
    p.rows[8] = LongToFundString(r.income, 14);
    p.rows[10] = rateText(in.corporateRate);
    p.rows[11] = LongToFundString(r.corporateTax, 10);
    p.rows[13] = LongToFundString(r.taxDue, 14);
}

}  // namespace tetsuro
