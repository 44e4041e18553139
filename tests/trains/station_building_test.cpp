// Station buildings: where they may go, what they cost, which station they
// join, and what removing them does.
#include "station_fixture.h"
#include "trains/station_panels.h"

namespace tetsuro::test {
namespace {

class StationBuildingTest : public StationTest {};

TEST_F(StationBuildingTest, CostsLandAndBookValues) {
    const int64_t fund0 = fund(), land0 = la(LA_ASSET_LAND);
    const int64_t landValue = map().getLandValue_myx(50, 50);
    ASSERT_GT(landValue, 0);
    EXPECT_EQ(stations().stationCost(50, 50), 300000 + landValue);
    const int32_t si = stations().constructStation(false, 50, 50);
    ASSERT_EQ(si, 0);
    EXPECT_EQ(map().getMapTyp(50, 50), LAND_STATION_BUILDING);
    EXPECT_EQ(fund(), fund0 - 300000 - landValue);
    EXPECT_EQ(la(LA_ASSET_STATION), 300000);
    EXPECT_EQ(la(LA_ASSET_LAND), land0 + landValue);
    EXPECT_EQ(Station::m_PDH[si], 100);

    // Within the 3 x 3 meshes of a registered mesh: the same station, which
    // keeps its mesh. The company's own land costs nothing more.
    map().setMapTyp(51, 51, LAND_OWNED);
    EXPECT_EQ(stations().stationCost(51, 51), 300000);
    EXPECT_EQ(stations().constructStation(false, 51, 51), si);
    EXPECT_EQ(la(LA_ASSET_LAND), land0 + landValue);
    EXPECT_EQ(StBuild::count(), 2);
    EXPECT_EQ(Station::m_y[si], 50);
    EXPECT_EQ(Station::m_x[si], 50);
    // Two meshes away: a new station.
    EXPECT_EQ(stations().constructStation(false, 50, 53), 1);

    // Book value over a 40-year life.
    const int32_t ym = stations().yearMonth();
    EXPECT_EQ(Station::getGYM(si), ym);
    EXPECT_EQ(Station::getValue(si, ym), 600000);
    EXPECT_EQ(Station::getValue(si, ym + 240), 300000);
    EXPECT_EQ(Station::getValue(si, ym + 481), 0);
    EXPECT_EQ(Station::valueOfAll(ym), 900000);
    const StationPanel panel = stationPanel(si, ym + 240);
    EXPECT_EQ(panel.name, Station::getName(si));
    EXPECT_EQ(panel.lastMonth.toUtf8(), "        0");
    EXPECT_EQ(panel.value.toUtf8(), "300,000");
}

TEST_F(StationBuildingTest, RefusedLandChangesNothing) {
    const int32_t codes[] = {LAND_SEA, LAND_RIVER, LAND_TRACK, LAND_PLATFORM, LAND_YARD, LAND_DUG_TRACK,
                             LAND_STATION_BUILDING, LAND_TUNNEL_MOUTH};
    for (int32_t code : codes) {
        map().setMapTyp(40, 40, code);
        const int64_t f = fund();
        EXPECT_EQ(stations().stationCost(40, 40), -1) << code;
        // Also when called as a file or the generator calls it.
        EXPECT_EQ(stations().constructStation(false, 40, 40), -1) << code;
        EXPECT_EQ(fund(), f);
        EXPECT_EQ(map().getMapTyp(40, 40), code);
    }
    for (auto [my, mx] : {std::pair{-1, 0}, {0, -1}, {256, 0}, {0, 256}}) {
        EXPECT_EQ(stations().constructStation(false, my, mx), -1);
    }
    // Roads, houses and offices may go.
    for (int32_t code : {int32_t{LAND_ROAD_FIRST + 5}, int32_t{LAND_HOUSE_FIRST}, int32_t{LAND_OFFICE_LAST}}) {
        EXPECT_TRUE(StationController::isBuildableLand(code)) << code;
    }
    // A station that does not exist takes no building.
    EXPECT_EQ(stations().constructStation(false, 60, 60, 5), -1);
    EXPECT_EQ(Station::count(), 0);
    EXPECT_EQ(StBuild::count(), 0);
}

TEST_F(StationBuildingTest, RoadGrowthStartsOnTheSideAwayFromTheTrack) {
    struct Case {
        int32_t ty, tx;  // track mesh relative to the building
        int32_t gy, gx;  // where growth starts
    };
    const Case cases[] = {{1, 0, -1, 0}, {-1, 0, 1, 0}, {0, 1, 0, -1}, {0, -1, 0, 1}, {9, 9, 0, 0}};
    int32_t my = 20;
    for (const auto& c : cases) {
        map().setMapTyp(my + c.ty, 100 + c.tx, LAND_TRACK);
        hooks->roads.clear();
        ASSERT_GE(stations().constructStation(false, my, 100), 0);
        ASSERT_EQ(hooks->roads.size(), 1u);
        EXPECT_EQ(hooks->roads[0][1], my + c.gy);
        EXPECT_EQ(hooks->roads[0][2], 100 + c.gx);
        my += 20;
    }
}

TEST_F(StationBuildingTest, RemovingTheRepresentativeBuildingMovesTheStation) {
    const int32_t si = stations().constructStation(false, 50, 50);
    ASSERT_EQ(stations().constructStation(false, 51, 51), si);
    const int64_t f = fund();
    ASSERT_TRUE(stations().removeStBuild(50, 50));
    EXPECT_EQ(fund(), f - 1000);
    EXPECT_EQ(map().getMapTyp(50, 50), LAND_OWNED);
    EXPECT_EQ(hooks->stoppedRoads, std::vector<int32_t>{0});
    ASSERT_TRUE(Station::isValid(si));
    EXPECT_EQ(Station::m_y[si], 51);
    EXPECT_EQ(Station::m_x[si], 51);
    EXPECT_TRUE(hooks->removed.empty());
    // Removed assets stay on the station book.
    EXPECT_EQ(la(LA_ASSET_STATION), 600000);
    sound();
    // The last building takes the station with it, and its travellers.
    ASSERT_TRUE(stations().removeStBuild(51, 51));
    EXPECT_FALSE(Station::isValid(si));
    EXPECT_EQ(hooks->removed, std::vector<int32_t>{si});
    // Nothing there: nothing charged.
    const int64_t f2 = fund();
    EXPECT_FALSE(stations().removeStBuild(51, 51));
    EXPECT_EQ(fund(), f2);
}

TEST_F(StationBuildingTest, AtTheStationLimitNothingIsBuilt) {
    for (int32_t i = 0; i < Station::m_max; ++i) ASSERT_GE(Station::add(false, (i / 50) * 3, (i % 50) * 3), 0);
    const int64_t f = fund();
    EXPECT_EQ(stations().constructStation(false, 200, 200), -1);
    EXPECT_EQ(w.canvas().message().toUtf8(), "駅数の上限です");
    EXPECT_EQ(fund(), f);
    EXPECT_EQ(StBuild::count(), 0);
    EXPECT_EQ(map().getMapTyp(200, 200), LAND_VACANT);
    // The limit cleanup leaves nothing registered; the fixture's checks
    // would see 1000 empty stations.
    StationCore::reset();
}

}  // namespace
}  // namespace tetsuro::test

namespace tetsuro::test {
namespace {

TEST_F(StationBuildingTest, StationListsByDistanceAndByWaitingTravellers) {
    const int32_t a = stations().constructStation(false, 50, 50);
    const int32_t b = stations().constructStation(false, 53, 52);
    const int32_t c = stations().constructStation(true, 60, 50);
    ASSERT_EQ(std::vector<int32_t>({a, b, c}), std::vector<int32_t>({0, 1, 2}));
    EXPECT_EQ(Station::getRYX(b), (std::array<int32_t, 2>{5350, 5250}));
    EXPECT_EQ(Station::getRYXq(b), (int64_t{5350} << 32) | 5250);
    // Manhattan distance 5 reaches b from a; yards are never listed.
    EXPECT_EQ(Station::getStList(50, 50, 5), (std::vector<int32_t>{a, b}));
    EXPECT_EQ(Station::getStList(50, 50, 4), (std::vector<int32_t>{a}));
    EXPECT_EQ(Station::getStList(60, 50, 0), (std::vector<int32_t>{}));
    // Most waiting first; ties keep station order.
    auto list = Station::getList([](int32_t si) { return si == 2 ? 7 : 3; });
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (std::array<int64_t, 2>{2, 7}));
    EXPECT_EQ(list[1], (std::array<int64_t, 2>{0, 3}));
    EXPECT_EQ(list[2], (std::array<int64_t, 2>{1, 3}));
    EXPECT_EQ(Station::countNoYard(), 2);
    EXPECT_EQ(Station::countYard(), 1);
    EXPECT_EQ(stations().examineStation(53, 52), b);
    EXPECT_EQ(stations().examineStation(40, 40), -1);
}

}  // namespace
}  // namespace tetsuro::test
