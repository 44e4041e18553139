#include "trains/train_commands.h"

#include "game/game_clock.h"
#include "game/main_canvas.h"
#include "trains/train_chain.h"
#include "trains/train_hooks.h"
#include "trains/train_placement.h"
#include "trains/train_queries.h"
#include "trains/train_rail_hooks.h"
#include "trains/train_sections.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"

namespace tetsuro {

void TrainController::bind(MainCanvas& canvas) {
    m_canvas = &canvas;
    syncTimeScale();
}

void TrainController::newGame() {
    Train::reset();
    syncTimeScale();
}

void TrainController::syncTimeScale() {
    if (m_canvas == nullptr) return;
    const TimeScaleFactors& f = m_canvas->timeScale();
    Train::setTimeScale(f.timeFactor, f.tsDenominator, f.diaMax);
}

int64_t TrainController::yearMonth() const {
    if (m_canvas == nullptr) return 0;
    const GameDateTime t = clockToDateTime(m_canvas->clock());
    return t.gameYear() * 12 + t.month;
}

int64_t TrainController::price(int32_t type, int32_t cars) {
    if (!TrainSpec::isValid(type) || cars < 1 || cars > Train::kMaxCarsPerTrain) return 0;
    return TrainSpec::getPrice(type) * cars;
}

int32_t TrainController::buy(int32_t number, int32_t type, int32_t cars, int32_t colour) {
    if (number < 0 || number >= Train::m_max || !Train::isNonPurchaseFromNo(number)) return -1;
    const int64_t cost = price(type, cars);
    if (cost <= 0) return -1;
    if (!m_finance.checkCost(cost)) return -1;
    syncTimeScale();
    const int32_t ti = Train::add(number, type, cars, static_cast<int32_t>(yearMonth()));
    if (ti < 0) return -1;
    Train::m_Clr[static_cast<size_t>(ti)] = colour & 0xFFFFFF;
    TrainSpec::setColor(type, colour);
    m_finance.buyAssets(AssetBook::Train, cost);
    return ti;
}

bool TrainController::place(int32_t number, int64_t y, int64_t x, int32_t rb) {
    const int32_t ti = Train::toIndex(number);
    if (ti < 0 || Train::isPlaced(ti) || !Train::setRail(ti, y, x, rb)) return false;
    m_finance.addFund(-kPlacingFee);
    return true;
}

bool TrainController::place(int32_t number, int64_t z, int64_t y, int64_t x, int64_t w, int64_t v) {
    const int32_t ti = Train::toIndex(number);
    if (ti < 0 || Train::isPlaced(ti) || !Train::setRail(ti, z, y, x, w, v)) return false;
    m_finance.addFund(-kPlacingFee);
    return true;
}

bool TrainController::reverse(int32_t number) {
    const int32_t ti = Train::toIndex(number);
    if (!Train::isPlaced(ti) || !Train::reverse(ti, false)) return false;
    const size_t i = static_cast<size_t>(ti);
    Train::m_NF[i] = Train::kNoPlatform;
    Train::m_NP[i] = 0;
    trainHooks().searchForm(ti);
    return true;
}

bool TrainController::sell(int32_t number) {
    const int32_t ti = Train::toIndex(number);
    if (ti < 0 || Train::isPlaced(ti)) return false;
    const int64_t value = Train::getValue(ti, yearMonth());
    if (!Train::sell(ti)) return false;
    m_finance.sellTrain(value);
    return true;
}

bool TrainController::rename(int32_t number, const J_String& name) {
    const int32_t ti = Train::toIndex(number);
    if (ti < 0) return false;
    Train::setName(ti, name);
    return true;
}

void TrainController::topologyEdited(const RailEdit& e) { Train::topologyEdited(e); }

void TrainController::renewTrainSections() { Train::renewHeisoku(); }

int64_t TrainController::trainsValueAt(int64_t ym) const {
    int64_t sum = 0;
    for (int32_t ti = 0; ti < Train::size(); ++ti) sum += Train::getValue(ti, ym);
    return sum;
}

void TrainController::chargeTrainIncome(int32_t ti, int64_t a) {
    if (!Train::isValid(ti)) return;
    const size_t i = static_cast<size_t>(ti);
    Train::m_IncomeD[i] -= a;
    Train::m_IncomeM[i] -= a;
    Train::m_IncomeY[i] -= a;
}

void TrainController::resetTrainIncome(IncomePeriod period) {
    auto& v = period == IncomePeriod::Day ? Train::m_IncomeD
              : period == IncomePeriod::Month ? Train::m_IncomeM : Train::m_IncomeY;
    std::fill(v.begin(), v.end(), 0);
}

}  // namespace tetsuro
