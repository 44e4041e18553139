#include "city/finance.h"

#include <algorithm>

#include "city/capital_band.h"
#include "city/finance_texts.h"
#include "city/money_math.h"
#include "city/taxes.h"
#include "game/game_clock.h"
#include "game/game_state.h"
#include "game/main_canvas.h"
#include "support/int_math.h"
#include "support/shift_jis.h"

namespace tetsuro {

GameSlots& Finance::slots() { return m_canvas->slots(); }
const GameSlots& Finance::slots() const { return m_canvas->slots(); }

void Finance::addFund(int64_t l) {
    auto& c = slots().m_sdwa;
    const int first = l < 0 ? SDWA_EXPENSE_DAY : SDWA_INCOME_DAY;
    const int128_t amount = l < 0 ? -int128_t(l) : int128_t(l);
    for (int i = first; i < first + 3; ++i) c[size_t(i)] = addCounter(c[size_t(i)], amount);
    setFund(addMoney(slots().m_la[LA_FUND], l));
}

void Finance::setFund(int64_t l) {
    slots().m_la[LA_FUND] = l;
    setFund();
}

void Finance::setFund() {
    fillFundFigures(m_state.fund, slots(), getAssets());
    // No band message in the call that clears the stage: the clear message
    // stays on screen.
    if (!testStageClear()) testCapitalBand();
}

bool Finance::testStageClear() {
    MainCanvas& c = *m_canvas;
    auto& sba = slots().m_sba;
    const int stage = sba[SBA_STAGE];
    if (c.state() != STATE_PLAY || stage <= 0) return false;
    if (int128_t(slots().m_la[LA_FUND]) + getAssets() < kStageClearWorth) return false;
    c.putMsg(stageClearMessage(stage), -1);
    sba[SBA_STAGE_REACHED] = int8_t(std::max<int>(sba[SBA_STAGE_REACHED], stage));
    m_hooks->writeStatusRecord(c);
    c.setState(STATE_STAGE_CLEAR);
    return true;
}

void Finance::testCapitalBand() {
    MainCanvas& c = *m_canvas;
    // A decided bankruptcy stands until a game is started or loaded: a
    // purchase in the frame before the frame cycle announces it must not
    // lift it.
    if (c.m_iCapitalState >= CAPITAL_BANKRUPTCY_DECIDED) return;
    const int band = capitalBand(slots().m_la[LA_FUND], getAssets());
    if (band == c.m_iCapitalState) return;
    c.m_iCapitalState = band;
    c.putMsg(capitalBandMessage(band), 3000);
}

void Finance::addExpense(int32_t train, int64_t a) {
    auto& acc = slots().m_la[LA_RUN_COST];
    acc = addMoney(acc, a);
    m_hooks->chargeTrainIncome(train, a);
}

void Finance::chargeRunningCost() {
    auto& acc = slots().m_la[LA_RUN_COST];
    const int64_t whole = acc / 10000;
    if (whole == 0) return;
    acc -= whole * 10000;
    payDeductible(whole);
}

void Finance::buyAssetsL(int64_t l) { buyAssets(AssetBook::Land, l); }

void Finance::buyAssets(AssetBook book, int64_t cost) {
    auto& la = slots().m_la;
    switch (book) {
        case AssetBook::Train: m_state.assetsT = addMoney(m_state.assetsT, cost); break;
        case AssetBook::Station: la[LA_ASSET_STATION] = addMoney(la[LA_ASSET_STATION], cost); break;
        case AssetBook::Land: la[LA_ASSET_LAND] = addMoney(la[LA_ASSET_LAND], cost); break;
        case AssetBook::Track: la[LA_ASSET_TRACK] = addMoney(la[LA_ASSET_TRACK], cost); break;
    }
    addFund(subMoney(0, cost));
}

void Finance::sellTrain(int64_t value) {
    const int64_t proceeds = saturate<int64_t>(int128_t(value) * 8 / 10);
    m_state.assetsT = subMoney(m_state.assetsT, value);
    auto& loss = slots().m_la[LA_LOSS];
    loss = addMoney(loss, subMoney(value, proceeds));
    addFund(proceeds);
}

void Finance::payDeductible(int64_t amount) {
    auto& loss = slots().m_la[LA_LOSS];
    loss = addMoney(loss, amount);
    addFund(subMoney(0, amount));
}

void Finance::receiveTaxable(int64_t amount) {
    auto& gain = slots().m_la[LA_GAIN];
    gain = addMoney(gain, amount);
    addFund(amount);
}

bool Finance::canAfford(int64_t cost) const {
    return int128_t(slots().m_la[LA_FUND]) + getAssets() >= cost;
}

bool Finance::checkCost(int64_t cost) {
    if (canAfford(cost)) return true;
    m_canvas->putMsg(SJ(u8"資金が足りません"), 2000);
    return false;
}

int64_t Finance::getAssets() const {
    const auto& la = slots().m_la;
    return addMoney(addMoney(la[LA_ASSET_TRAIN], la[LA_ASSET_STATION_M]),
                    addMoney(la[LA_ASSET_LAND_M], la[LA_ASSET_TRACK_M]));
}

int32_t Finance::getEquityRatio() const { return equityRatio(slots().m_la[LA_FUND], getAssets()); }

int Finance::getCapitalState() const { return capitalBand(slots().m_la[LA_FUND], getAssets()); }

int64_t Finance::putStatus() {
    fillStatusPanel(m_state.status, slots());
    return subMoney(slots().m_la[LA_GAIN], slots().m_la[LA_LOSS]);
}

void Finance::putAccount() {
    auto& s = slots();
    TaxInput in;
    in.assets = getAssets();
    in.gain = s.m_la[LA_GAIN];
    in.loss = s.m_la[LA_LOSS];
    in.propertyRate = s.m_sba[SBA_PROPERTY_TAX];
    in.corporateRate = s.m_swa[SWA_CORP_TAX];
    in.carryForward = s.m_sba[SBA_LOSS_CARRY] == 1;
    in.carriedLoss = s.m_la[LA_LOSS_CARRIED];
    const TaxResult r = computeTaxes(in);
    s.m_la[LA_TAX_DUE] = r.taxDue;
    if (in.carryForward) s.m_la[LA_LOSS_CARRIED] = r.carriedLoss;
    fillAccountPanel(m_state.account, in, r);
}

void Finance::putBalanceName() { fillBalanceNames(m_state.fund, slots()); }

void Finance::newGame() {
    auto& s = slots();
    for (int i = LA_ASSET_TRAIN; i <= LA_TAX_DUE; ++i) s.m_la[size_t(i)] = 0;
    s.m_la[LA_RUN_COST] = 0;
    // A loss carried over from another game would lower this game's taxes.
    s.m_la[LA_LOSS_CARRIED] = 0;
    for (int i = SDWA_INCOME_DAY; i <= SDWA_EXPENSE_PREV_YEAR; ++i) s.m_sdwa[size_t(i)] = 0;
    s.m_sba[SBA_BALANCE_UNIT] = 0;
    m_canvas->m_iCapitalState = 0;
    m_state.assetsT = 0;
    m_state.resetForGame();
}

void Finance::gameStarted() {
    m_state.resetForGame();
    const GameDateTime t = clockToDateTime(slots().m_la[LA_CLOCK]);
    m_state.assetsT = m_hooks->trainsValueAt(t.gameYear() * 12 + t.month);
    putBalanceName();
}

void Finance::gameLoaded() {
    if (m_canvas->m_iCapitalState >= CAPITAL_BANKRUPTCY_DECIDED) m_canvas->m_iCapitalState = 0;
    gameStarted();
    addFund(0);
}

}  // namespace tetsuro
