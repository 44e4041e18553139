// Generated railways: they build through the player's operations into
// sound worlds of the size asked for, the seed alone decides them, and
// requests that cannot be met are refused. The rolling stock comes from the
// resource environment world_trains_test.cpp installs for this program.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "running_fixture.h"
#include "rail/rail_invariants.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "trains/platform_store.h"
#include "trains/station_invariants.h"
#include "trains/train_invariants.h"
#include "trains/train_store.h"
#include "world/headless_world.h"
#include "world/railway_generator.h"

namespace tetsuro {

namespace {

using Yx = std::pair<int64_t, int64_t>;
Yx yx(const WorldPoint& p) { return {p.y, p.x}; }
std::vector<Yx> yx(const std::vector<WorldPoint>& v) {
    std::vector<Yx> out;
    for (const WorldPoint& p : v) out.push_back(yx(p));
    return out;
}

// Everything the builder reads, compared field by field.
void expectSameWorld(const WorldSpec& a, const WorldSpec& b) {
    EXPECT_EQ(a.rows, b.rows);
    EXPECT_EQ(a.columns, b.columns);
    EXPECT_EQ(a.fund, b.fund);
    ASSERT_EQ(a.track.size(), b.track.size());
    for (size_t i = 0; i < a.track.size(); ++i) {
        EXPECT_EQ(a.track[i].speed, b.track[i].speed);
        EXPECT_EQ(yx(a.track[i].points), yx(b.track[i].points));
    }
    ASSERT_EQ(a.stations.size(), b.stations.size());
    for (size_t i = 0; i < a.stations.size(); ++i) {
        EXPECT_EQ(yx(a.stations[i].buildings), yx(b.stations[i].buildings));
        ASSERT_EQ(a.stations[i].platforms.size(), b.stations[i].platforms.size());
        for (size_t k = 0; k < a.stations[i].platforms.size(); ++k) {
            EXPECT_EQ(yx(a.stations[i].platforms[k].from), yx(b.stations[i].platforms[k].from));
            EXPECT_EQ(yx(a.stations[i].platforms[k].to), yx(b.stations[i].platforms[k].to));
            EXPECT_EQ(a.stations[i].platforms[k].rules, b.stations[i].platforms[k].rules);
        }
    }
    ASSERT_EQ(a.trains.size(), b.trains.size());
    for (size_t i = 0; i < a.trains.size(); ++i) {
        EXPECT_EQ(a.trains[i].number, b.trains[i].number);
        EXPECT_EQ(a.trains[i].colour, b.trains[i].colour);
        EXPECT_EQ(yx(a.trains[i].at), yx(b.trains[i].at));
        EXPECT_EQ(yx(a.trains[i].facing), yx(b.trains[i].facing));
    }
}

TEST(RailwayGenerator, BuildsSoundWorldsOfTheSizeAskedFor) {
    // One small ring, one with a chamfered end (odd count), several rings,
    // and as many trains as there are platforms.
    struct Case {
        int32_t pieces, trains;
    };
    for (const Case c : {Case{60, 3}, Case{61, 0}, Case{505, 12}, Case{40, maxRailwayTrains(40)}}) {
        SCOPED_TRACE(std::to_string(c.pieces) + " pieces, " + std::to_string(c.trains) + " trains");
        const GeneratedRailway g = generateRailway(RailwayRequest{c.pieces, c.trains, 7});
        ASSERT_TRUE(g.ok) << g.error;
        HeadlessWorld w(HeadlessGameOptions{});
        const WorldBuildResult r = buildWorld(w, g.world);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.summary.pieces, c.pieces);
        EXPECT_EQ(r.summary.trainsPlaced, c.trains);
        EXPECT_EQ(r.summary.stations, g.stations);
        EXPECT_EQ(r.summary.platforms, g.platforms);
        EXPECT_EQ(r.summary.switches, 0);
        // Every platform a section of its own and one between each pair.
        EXPECT_EQ(r.summary.sections, 2 * g.platforms);
        EXPECT_EQ(checkRailInvariants(), std::vector<std::string>{});
        EXPECT_EQ(checkStationInvariants(), std::vector<std::string>{});
        EXPECT_EQ(Train::checkTrainInvariants(), std::vector<std::string>{});
        // Closed rings: every piece end meets exactly one other.
        for (int32_t n = 0; n < Rail::size(); ++n) {
            if (!Rail::isValid(n)) continue;
            EXPECT_GE(Rail::searchNext(RailRef::make(n, false)), 0) << n;
            EXPECT_GE(Rail::searchNext(RailRef::make(n, true)), 0) << n;
        }
        for (int32_t ti = 0; ti < Train::size(); ++ti) {
            if (Train::isValid(ti)) {
                EXPECT_EQ(Train::obj[size_t(ti)].m_rc, kRailwayCars);
            }
        }
    }
}

// No dead ends, nobody meeting head-on, and rules that let trains go on:
// every train keeps going round, arriving at platform after platform.
TEST(RailwayGenerator, TrainsGoRoundStoppingAtPlatformAfterPlatform) {
    const GeneratedRailway g = generateRailway(RailwayRequest{410, 12, 3});
    ASSERT_TRUE(g.ok) << g.error;
    ASSERT_EQ(g.rings, 2);
    HeadlessWorld w(HeadlessGameOptions{});
    ASSERT_TRUE(buildWorld(w, g.world).ok);
    testing_running::EventRecorder recorder;
    TrainRunner& runner = w.world().runner();
    runner.setHooks(&recorder);
    for (int h = 0; h < 2; ++h) runner.advanceTrain(kTicksPerHour);
    runner.setHooks(nullptr);

    std::map<int32_t, std::set<int32_t>> platformsReached;
    for (const testing_running::RunEvent& e : recorder.events) {
        EXPECT_NE(e.kind, 'O') << "train " << e.ti << " was taken off";
        if (e.kind == 'A') platformsReached[e.ti].insert(e.fi);
    }
    ASSERT_EQ(platformsReached.size(), 12u);
    for (const auto& [ti, reached] : platformsReached) EXPECT_GE(reached.size(), 4u) << "train " << ti;
}

TEST(RailwayGenerator, TheSeedAloneDecidesTheWorld) {
    const RailwayRequest q{1000, 30, 42};
    const GeneratedRailway a = generateRailway(q), b = generateRailway(q);
    ASSERT_TRUE(a.ok && b.ok);
    expectSameWorld(a.world, b.world);
    RailwayRequest other = q;
    other.seed = 43;
    const GeneratedRailway c = generateRailway(other);
    ASSERT_TRUE(c.ok);
    EXPECT_NE(yx(a.world.track[0].points), yx(c.world.track[0].points));
}

TEST(RailwayGenerator, RefusesWhatCannotBeBuilt) {
    EXPECT_FALSE(generateRailway(RailwayRequest{kMinRailwayPieces - 1, 0, 1}).ok);
    EXPECT_EQ(maxRailwayTrains(kMinRailwayPieces - 1), 0);
    const int32_t most = maxRailwayTrains(1000);
    EXPECT_GT(most, 100);
    EXPECT_LT(most, 1000);
    EXPECT_TRUE(generateRailway(RailwayRequest{1000, most, 1}).ok);
    const GeneratedRailway g = generateRailway(RailwayRequest{1000, most + 1, 1});
    EXPECT_FALSE(g.ok);
    EXPECT_NE(g.error.find("do not fit"), std::string::npos) << g.error;
    // The train list ends at 1000 rows, however large the railway.
    EXPECT_EQ(maxRailwayTrains(100000), Train::m_max);
}

}  // namespace

}  // namespace tetsuro
