// Cutting time into steps must not change the game: the same world run in
// pieces of one tick, of 16 ticks, of random lengths and of an hour gives
// the same arrivals, departures, positions and costs, bit for bit.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "running_fixture.h"
#include "running_worlds.h"
#include "world/railway_generator.h"
#include "trains/train_cars.h"
#include "trains/train_store.h"

namespace tetsuro::testing_running {
namespace {

// Everything running changes.
std::vector<int64_t> snapshot(RunWorld& w) {
    std::vector<int64_t> v{w.clock(), w.world->canvas().slots().m_la[LA_RUN_COST],
                           w.world->canvas().slots().m_la[LA_FUND]};
    for (int32_t ti = 0; ti < Train::size(); ++ti) {
        const size_t i = static_cast<size_t>(ti);
        v.insert(v.end(), {Train::m_NF[i], Train::m_NP[i], Train::m_SP[i], Train::m_ac[i], Train::m_di[i],
                           Train::m_Signal[i], Train::m_DiaIdx[i], Train::m_IncomeD[i]});
    }
    for (size_t e = 0; e < Train_rs::m_ari.size(); ++e) v.insert(v.end(), {Train_rs::m_ari[e], Train_rs::m_arp[e]});
    return v;
}

struct CutRun {
    std::vector<RunEvent> events;
    std::vector<int64_t> state;
};

// Runs `file` for `ticks` from its start in pieces given by next().
template <class World, class Next>
CutRun runCut(const World& json, int64_t ticks, Next next, bool literal = false) {
    RunWorld w(json);
    EXPECT_EQ(w.error, "");
    w.runner().setLiteral(literal);
    const int64_t end = w.clock() + ticks;
    while (w.clock() < end) w.runner().advanceTrain(std::min(next(), end - w.clock()));
    return {w.recorder.events, snapshot(w)};
}

void expectSame(const CutRun& a, const CutRun& b, const char* what) {
    EXPECT_EQ(a.events, b.events) << what;
    EXPECT_EQ(a.state, b.state) << what;
}

TEST(RunningSteps, PiecesOfAnyLengthGiveTheSameGame) {
    for (const char* file : {"shuttle.json", "branch.json", "two_trains.json", "daily_shuttle.json"}) {
        SCOPED_TRACE(file);
        const std::string json = readExampleFile(file);
        const int64_t hours2 = 2 * kTicksPerHour;
        const CutRun hourly2 = runCut(json, hours2, [] { return kTicksPerHour; });
        ASSERT_FALSE(hourly2.events.empty());
        expectSame(hourly2, runCut(json, hours2, [] { return int64_t{1}; }), "1-tick pieces");

        const CutRun hourlyDay = runCut(json, kTicksPerDay, [] { return kTicksPerHour; });
        expectSame(hourlyDay, runCut(json, kTicksPerDay, [] { return int64_t{16}; }), "16-tick pieces");
        std::mt19937_64 rng(7);
        expectSame(hourlyDay, runCut(json, kTicksPerDay, [&] { return int64_t(rng() % 5000) + 1; }), "random pieces");
        expectSame(hourlyDay, runCut(json, kTicksPerDay, [] { return kTicksPerDay; }), "one piece");
    }
}

// The lazy stepper moves a train only at its own decision points; the
// literal one moves every train at every step. They must not differ.
TEST(RunningSteps, LazyAndLiteralSteppersGiveTheSameGame) {
    for (const char* file : {"shuttle.json", "branch.json", "two_trains.json", "daily_shuttle.json"}) {
        SCOPED_TRACE(file);
        const std::string json = readExampleFile(file);
        std::mt19937_64 rng(11);
        const CutRun literal = runCut(json, kTicksPerDay, [] { return kTicksPerHour; }, true);
        ASSERT_FALSE(literal.events.empty());
        expectSame(literal, runCut(json, kTicksPerDay, [] { return kTicksPerHour; }, false), "hour pieces");
        expectSame(literal, runCut(json, kTicksPerDay, [&] { return int64_t(rng() % 5000) + 1; }, false),
                   "random pieces");
    }
}

// A generated railway full of trains queueing behind each other at block
// sections: where the lazy stepper could go wrong, a train looking at a
// section another train has not yet been moved out of.
TEST(RunningSteps, LazyAndLiteralAgreeOnACrowdedRailway) {
    const GeneratedRailway railway = generateRailway({300, maxRailwayTrains(300), 5});
    ASSERT_TRUE(railway.ok) << railway.error;
    const int64_t ticks = 6 * kTicksPerHour;
    const CutRun literal = runCut(railway.world, ticks, [] { return kTicksPerHour; }, true);
    ASSERT_GT(literal.events.size(), 100u);
    std::mt19937_64 rng(3);
    expectSame(literal, runCut(railway.world, ticks, [&] { return int64_t(rng() % 20000) + 1; }, false), "lazy");
}

}  // namespace
}  // namespace tetsuro::testing_running
