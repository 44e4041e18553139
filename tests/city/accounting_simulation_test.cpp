#include "city/accounting_simulation.h"

#include <gtest/gtest.h>

#include "finance_fixture.h"
#include "game/headless_game.h"

namespace tetsuro {
namespace {

using test::at;

// Every piece of the step but the date update goes to the wrapped hooks;
// the date update runs the books.
struct CountingSimulation : SimulationHooks {
    int advances = 0, cars = 0, drivingAsks = 0, passengers = 0, destinations = 0, departs = 0, develops = 0,
        putDTs = 0;
    int64_t advanceTrain(MainCanvas& c, int64_t step) override {
        ++advances;
        return SimulationHooks::advanceTrain(c, step);
    }
    void carAdvance(MainCanvas&, int64_t) override { ++cars; }
    bool isDriving(const MainCanvas&) const override {
        ++const_cast<CountingSimulation*>(this)->drivingAsks;
        return false;
    }
    void renewPassenger(MainCanvas&, int) override { ++passengers; }
    void renewDestination(MainCanvas&, int) override { ++destinations; }
    void depart(MainCanvas&) override { ++departs; }
    void develop(MainCanvas&) override { ++develops; }
    bool putDT(MainCanvas&) override {
        ++putDTs;
        return false;
    }
};

TEST(AccountingSimulation, WrapsTheOtherHooksAndRunsTheBooks) {
    test::FakeWorld world;
    world.stations = 1;
    Finance finance(world);
    CountingSimulation inner;
    AccountingSimulation sim(finance, &inner);
    HeadlessGameOptions opt;
    opt.hooks.simulation = &sim;
    HeadlessGame game(opt);
    ASSERT_TRUE(game.startEmptyGame());
    game.canvas().slots().m_la[LA_CLOCK] = at(1, 4, 10, 22);
    ASSERT_TRUE(game.runTicks(3 * kTicksPerHour, 1000000));
    EXPECT_GT(inner.advances, 0);
    EXPECT_GT(inner.cars, 0);
    EXPECT_GT(inner.drivingAsks, 0);
    EXPECT_EQ(inner.passengers, 3);
    EXPECT_EQ(inner.destinations, 3);
    EXPECT_EQ(inner.departs, 3);
    EXPECT_EQ(inner.develops, 3);
    EXPECT_EQ(inner.putDTs, 0);
    EXPECT_EQ(game.canvas().slots().m_la[LA_FUND], -20) << "the midnight upkeep";
}

}  // namespace
}  // namespace tetsuro
