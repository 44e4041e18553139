// Stations in a running world: daily upkeep, monthly depreciation and the
// passengers' month-end roll go through the books.
#include <gtest/gtest.h>

#include "game/game_clock.h"
#include "map/land_codes.h"
#include "rail/rail_commands.h"
#include "support/sub.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"
#include "trains/station_controller.h"
#include "trains/station_store.h"
#include "world/headless_world.h"

namespace tetsuro {
namespace {

TEST(StationWorld, UpkeepDepreciationAndPassengersFollowTheCalendar) {
    HeadlessGameOptions opt;
    opt.speed = 22;
    HeadlessWorld w(opt);
    ASSERT_TRUE(w.startFreeGame(64, 64));
    MapController& map = w.world().map();
    StationController& st = w.world().stations();
    map.setMapTypAll(LAND_VACANT);
    w.world().finance().setFund(100000000);
    const uint64_t emptySum = w.checksum();

    ASSERT_EQ(st.constructStation(false, 10, 10), 0);
    ASSERT_EQ(st.constructStation(false, 10, 11), 0);
    ASSERT_EQ(st.constructStation(false, 30, 30), 1);
    ASSERT_GE(RailCommands::layPiece(0, 21, RailPoint{0, 2000, 1000}, RailPoint{0, 2000, 5000}), 0);
    for (const MeshYX& m : Sub::getUseMeshRail(2000, 1000, 2000, 5000, 19)) map.setMapTyp(m.my, m.mx, LAND_TRACK);
    const int32_t yard = st.constructFoBuild(true, RailPoint{0, 2000, 2000}, RailPoint{0, 2000, 3000});
    ASSERT_GE(yard, 0);
    const int32_t ys = Form::getSt(FoBuild::m_fo[yard]);
    ASSERT_TRUE(Station::isYard(ys));
    EXPECT_NE(w.checksum(), emptySum);

    auto& la = w.canvas().slots().m_la;
    EXPECT_EQ(la[LA_ASSET_STATION], 3 * 300000 + 1000);
    // One day change: 20 a station, 2 a yard, 30 a building.
    const int64_t fund0 = la[LA_FUND];
    ASSERT_TRUE(w.game().runTicks(kTicksPerDay, 1000000));
    EXPECT_EQ(la[LA_FUND], fund0 - (2 * 20 + 2 + 3 * 30));

    // The month's end: the book loses what the stations lost in value, and
    // this month's passengers become last month's.
    const int64_t ym = st.yearMonth();
    const int64_t book = la[LA_ASSET_STATION];
    Station::m_PTM[0] = 123;
    ASSERT_TRUE(w.game().runTicks(30 * kTicksPerDay, 10000000));
    ASSERT_EQ(st.yearMonth(), ym + 1);
    EXPECT_EQ(la[LA_ASSET_STATION], book - (Station::valueOfAll(ym) - Station::valueOfAll(ym + 1)));
    EXPECT_LT(la[LA_ASSET_STATION], book);
    EXPECT_EQ(Station::m_PLM[0], 123);
    EXPECT_EQ(Station::m_PTM[0], 0);
    EXPECT_EQ(Station::m_PLM[ys], -1);
}

}  // namespace
}  // namespace tetsuro
