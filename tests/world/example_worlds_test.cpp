// The example worlds made for watching trains run: the daily shuttle leaves
// each end once a day at the hour its name promises, and the two trains
// share a ring line with too few block sections to run apart.
#include <gtest/gtest.h>

#include <set>

#include "rail/heisoku.h"
#include "rail/rail_connect.h"
#include "rail/rail_invariants.h"
#include "rail/rail_sections.h"
#include "rail/rail_types.h"
#include "rail/rail_store.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"
#include "trains/station_invariants.h"
#include "trains/station_store.h"
#include "trains/train_invariants.h"
#include "trains/train_queries.h"
#include "trains/train_store.h"
#include "world/headless_world.h"
#include "world/world_file.h"
#include "example_files.h"

namespace tetsuro {

namespace {

std::string example(const char* name) { return test_files::readExampleFile(name); }

void build(HeadlessWorld& w, const char* name) {
    const WorldBuildResult r = buildWorldFromText(w, example(name));
    ASSERT_TRUE(r.ok) << name << ": " << r.error;
    EXPECT_EQ(checkRailInvariants(), std::vector<std::string>{});
    EXPECT_EQ(checkStationInvariants(), std::vector<std::string>{});
    EXPECT_EQ(Train::checkTrainInvariants(), std::vector<std::string>{});
}

// The slots of the platform's day that carry the departure mark.
std::vector<int> markedSlots(int32_t fi) {
    std::vector<int> out;
    const auto& day = Form::m_DD[size_t(fi)];
    for (size_t s = 0; s < day.size(); ++s)
        if (Dia::hasDepartureMark(day[s])) out.push_back(int(s));
    return out;
}

TEST(ExampleWorlds, TheDailyShuttleLeavesTheWestEndAtSixAndTheEastEndAtEighteen) {
    HeadlessWorld w(HeadlessGameOptions{});
    build(w, "daily_shuttle.json");
    ASSERT_EQ(Form::diaCount(), 144);
    ASSERT_EQ(Form::count(), 2);
    for (int32_t fi = 0; fi < 2; ++fi) {
        const bool west = Station::m_x[size_t(Form::getSt(fi))] < 200;
        // A train leaves at the end of a marked slot: 05:50-06:00 is slot 35.
        EXPECT_EQ(markedSlots(fi), std::vector<int>{west ? 35 : 107}) << fi;
        for (int8_t b : Form::m_DD[size_t(fi)]) EXPECT_EQ(Dia::stopCode(b), Dia::kStop);
    }
}

TEST(ExampleWorlds, TheTwoTrainsShareAClosedRingOfFourSections) {
    HeadlessWorld w(HeadlessGameOptions{});
    build(w, "two_trains.json");
    // A ring: every piece goes on in both directions, so no train ever
    // turns or is taken off at an end.
    for (int32_t n = 0; n < Rail::size(); ++n) {
        if (!Rail::isValid(n)) continue;
        EXPECT_FALSE(Rail::isStop(RailRef::make(n, false))) << n;
        EXPECT_FALSE(Rail::isStop(RailRef::make(n, true))) << n;
    }
    // Two platforms and the two stretches between them: with one train in
    // a section, the second has to wait for the first.
    EXPECT_EQ(Heisoku::count(), 4);
    ASSERT_EQ(Train::count(), 2);
    std::set<int32_t> held;
    for (int32_t ti = 0; ti < 2; ++ti) {
        ASSERT_TRUE(Train::isPlaced(ti));
        held.insert(Rail::getHS(Train::getRI(ti, 0)));
    }
    EXPECT_EQ(held.size(), 2u);
    // Both go round the same way: following the first train's way leads
    // onto the second's rail in the second's direction, never against it.
    std::set<int32_t> ahead;
    for (int32_t r = Train::getRI(0, 0), k = 0; k < Rail::size(); ++k) ahead.insert(r = Rail::getConnect(r, 0));
    EXPECT_TRUE(ahead.count(Train::getRI(1, 0)));
    EXPECT_FALSE(ahead.count(RailRef::flip(Train::getRI(1, 0))));
}

}  // namespace

}  // namespace tetsuro
