#pragma once
// What the books need from the parts of the game that own stations, trains
// and the status record. Each default describes an empty world (no
// stations, no trains), so the accounting runs before those parts exist.
#include <cstdint>

namespace tetsuro {

class MainCanvas;

enum class IncomePeriod { Day, Month, Year };

class FinanceHooks {
public:
    virtual ~FinanceHooks() = default;

    // Daily upkeep counts: stations that are not yards, yards, station
    // buildings.
    virtual int64_t nonYardStationCount() const { return 0; }
    virtual int64_t yardCount() const { return 0; }
    virtual int64_t stationBuildingCount() const { return 0; }

    // Summed book value of every valid train (of every valid station) at a
    // month index, game year x 12 + month - 1. The month's depreciation is
    // the value at the month that ended minus the value one month on.
    virtual int64_t trainsValueAt(int64_t /*ym*/) const { return 0; }
    virtual int64_t stationsValueAt(int64_t /*ym*/) const { return 0; }

    // The day, month and year income of one train shrink by a running cost
    // (1/10000 money units).
    virtual void chargeTrainIncome(int32_t /*train*/, int64_t /*a*/) {}
    // Every train's income of the period starts again from 0.
    virtual void resetTrainIncome(IncomePeriod) {}
    // Every non-yard station's passengers of this month become last
    // month's, and this month's start from 0.
    virtual void rollStationPassengers() {}

    // A stage was cleared and the highest stage reached raised: write the
    // status record. Like every file the game writes it goes through the
    // atomic writer, which keeps the old record if the write fails and
    // reports the failure itself.
    virtual void writeStatusRecord(MainCanvas&) {}
};

}  // namespace tetsuro
