#pragma once
// A canvas in play with its books bound to Finance, and a small fake world
// behind the finance hooks: station counts for the upkeep, trains and
// stations with a purchase month for the depreciation, and a record of the
// resets the books ask for.
#include <cstdint>
#include <vector>

#include "city/date_update.h"
#include "city/finance.h"
#include "game/game_clock.h"
#include "game/main_canvas.h"
#include "support/sub.h"

namespace tetsuro::test {

struct FakeWorld : FinanceHooks {
    struct Asset {
        int64_t price;
        int64_t boughtYm;
    };
    int64_t stations = 0, yards = 0, buildings = 0;
    std::vector<Asset> trains, stationAssets;
    std::vector<IncomePeriod> resets;
    int passengerRolls = 0, statusWrites = 0;
    std::vector<std::pair<int32_t, int64_t>> trainCharges;

    int64_t nonYardStationCount() const override { return stations; }
    int64_t yardCount() const override { return yards; }
    int64_t stationBuildingCount() const override { return buildings; }
    // Trains are written off over 13 years, stations over 40.
    int64_t trainsValueAt(int64_t ym) const override { return valueAt(trains, 13, ym); }
    int64_t stationsValueAt(int64_t ym) const override { return valueAt(stationAssets, 40, ym); }
    void chargeTrainIncome(int32_t train, int64_t a) override { trainCharges.emplace_back(train, a); }
    void resetTrainIncome(IncomePeriod p) override { resets.push_back(p); }
    void rollStationPassengers() override { ++passengerRolls; }
    void writeStatusRecord(MainCanvas&) override { ++statusWrites; }

    int resetCount(IncomePeriod p) const {
        int n = 0;
        for (auto r : resets) n += r == p;
        return n;
    }

    static int64_t valueAt(const std::vector<Asset>& v, int64_t life, int64_t ym) {
        int64_t sum = 0;
        for (const auto& a : v) sum += Sub::getAssets(a.price, life, ym - a.boughtYm);
        return sum;
    }
};

// Clock of a moment: game year (1 = 1970), month 1..12, day, hour.
inline int64_t at(int year, int month, int day, int hour = 0) {
    return clockFromCivil(1969 + year, month, day, hour);
}

// Month index of a game year and month 1..12.
inline int64_t ym(int year, int month) { return int64_t(year) * 12 + month - 1; }

struct FinanceFixture {
    FinanceFixture() {
        f.bind(canvas);
        canvas.startEmptyGame();
        f.newGame();
        f.gameStarted();
    }

    int64_t& la(int i) { return canvas.slots().m_la[size_t(i)]; }
    int32_t& sd(int i) { return canvas.slots().m_sdwa[size_t(i)]; }
    int8_t& sba(int i) { return canvas.slots().m_sba[size_t(i)]; }

    // Sets the clock and runs the date update.
    bool dt(int64_t clock) {
        la(LA_CLOCK) = clock;
        return putDT(f);
    }

    VirtualClock clock{0};
    RecordingHost host;
    MainCanvas canvas{host, clock};
    FakeWorld world;
    Finance f{world};
};

}  // namespace tetsuro::test
