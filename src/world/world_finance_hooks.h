#pragma once
// What the books read from the subsystems the world has: the stations'
// counts for the daily upkeep, the book values of trains and stations for
// the monthly depreciation, the trains' income, and the month-end roll of
// the stations' passengers.
#include "city/finance_hooks.h"
#include "trains/station_building.h"
#include "trains/station_store.h"
#include "trains/train_commands.h"

namespace tetsuro {

class WorldFinanceHooks : public FinanceHooks {
public:
    void setTrains(TrainController* trains) { m_trains = trains; }

    int64_t nonYardStationCount() const override { return Station::countNoYard(); }
    int64_t yardCount() const override { return Station::countYard(); }
    int64_t stationBuildingCount() const override { return StBuild::count(); }
    int64_t stationsValueAt(int64_t ym) const override { return Station::valueOfAll(ym); }
    void rollStationPassengers() override { Station::rollPassengers(); }

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
