#pragma once
// What the books read from the subsystems the world has: the stations'
// counts for the daily upkeep, their book value for the monthly
// depreciation, and the month-end roll of their passengers.
#include "city/finance_hooks.h"
#include "trains/station_building.h"
#include "trains/station_store.h"

namespace tetsuro {

class WorldFinanceHooks : public FinanceHooks {
public:
    int64_t nonYardStationCount() const override { return Station::countNoYard(); }
    int64_t yardCount() const override { return Station::countYard(); }
    int64_t stationBuildingCount() const override { return StBuild::count(); }
    int64_t stationsValueAt(int64_t ym) const override { return Station::valueOfAll(ym); }
    void rollStationPassengers() override { Station::rollPassengers(); }
};

}  // namespace tetsuro
