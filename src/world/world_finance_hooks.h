#pragma once
// What the books ask of the subsystems the world has: the trains' book
// value and income. Stations keep the empty defaults until they land.
#include "city/finance_hooks.h"
#include "trains/train_commands.h"

namespace tetsuro {

class WorldFinanceHooks : public FinanceHooks {
public:
    void setTrains(TrainController* trains) { m_trains = trains; }

    int64_t trainsValueAt(int64_t ym) const override { return m_trains != nullptr ? m_trains->trainsValueAt(ym) : 0; }
    void chargeTrainIncome(int32_t train, int64_t a) override {
        if (m_trains != nullptr) m_trains->chargeTrainIncome(train, a);
    }
    void resetTrainIncome(IncomePeriod period) override {
        if (m_trains != nullptr) m_trains->resetTrainIncome(period);
    }

private:
    TrainController* m_trains = nullptr;
};

}  // namespace tetsuro
