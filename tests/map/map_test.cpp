#include <algorithm>
#include <random>
#include <string>

#include "map_fixture.h"
#include "support/run_length.h"
#include "support/vel_jlib_array.h"

namespace tetsuro {
namespace {

using test::MapStateTest;

using MapTest = MapStateTest;

TEST_F(MapTest, InitSetsSizesAndFreshArrays) {
    ASSERT_TRUE(Map::init(10, 12, 100, 50));
    EXPECT_EQ(Map::m_bms, 8);
    EXPECT_EQ(Map::m_puy, 2);
    EXPECT_EQ(Map::m_pux, 2);
    EXPECT_EQ(Map::m_gy, 21);
    EXPECT_EQ(Map::m_gx, 25);
    ASSERT_EQ(Map::m_aTyp.size(), 120u);
    ASSERT_EQ(Map::m_aSLv.size(), 11u * 13u);
    EXPECT_TRUE(std::all_of(Map::m_aTyp.begin(), Map::m_aTyp.end(), [](int8_t t) { return t == 0; }));
    EXPECT_TRUE(std::all_of(Map::m_aSLv.begin(), Map::m_aSLv.end(), [](int16_t z) { return z == 80; }));
    EXPECT_EQ(Map::getArea(), 10 * 12 * 100 / 10);
    EXPECT_EQ(Map::getRYMax(), 1000);
    EXPECT_EQ(Map::getRXMax(), 1200);
    EXPECT_EQ(Map::getTyp(-1, 0), -1);
    EXPECT_EQ(Map::getTyp(10, 0), -1);
    EXPECT_EQ(Map::getZ(11, 0), Map::kNoLand);  // a stray vertex reads no land, not memory
}

TEST_F(MapTest, InitRefusesBadSizesAndReportsAllocationFailure) {
    ASSERT_TRUE(Map::init(4, 4, 100, 50));
    struct Case {
        int32_t my, mx, ms, gs;
    };
    for (const Case& c : {Case{-1, 4, 100, 50}, Case{4, 32768, 100, 50}, Case{4, 4, 0, 50}, Case{4, 4, 100, 0}}) {
        EXPECT_FALSE(Map::init(c.my, c.mx, c.ms, c.gs)) << c.my << " " << c.mx << " " << c.ms << " " << c.gs;
        EXPECT_EQ(Map::m_my, 4);
        EXPECT_EQ(Map::m_aTyp.size(), 16u);
    }
    Map::s_maxArrayBytes = 1000;
    EXPECT_FALSE(Map::init(100, 100, 100, 50));
    EXPECT_EQ(Map::m_my, 0);
    EXPECT_EQ(Map::m_mx, 0);
    EXPECT_TRUE(Map::m_aTyp.empty());
    EXPECT_EQ(Map::getZ_RYX(0, 0), 80.0);  // still a consistent (empty) map
}

// A 2 x 2 map; mesh (0, 0) has corners z00 = 0, z10 = 10, z01 = 20, z11 = 100,
// and the north row of vertices is 40, 60, 0.
class ElevationTest : public MapStateTest {
protected:
    void SetUp() override {
        MapStateTest::SetUp();
        ASSERT_TRUE(Map::init(2, 2, 100, 50));
        Map::setSLv(0, 0, 0);
        Map::setSLv(1, 0, 10);
        Map::setSLv(0, 1, 20);
        Map::setSLv(1, 1, 100);
        Map::setSLv(2, 0, 40);
        Map::setSLv(2, 1, 60);
        Map::setSLv(2, 2, 0);
    }
};

TEST_F(ElevationTest, ElevationUnderAPoint) {
    struct Case {
        const char* what;
        int32_t y, x;
        double z;
    };
    const Case cases[] = {
        {"a vertex", 100, 100, 100.0},
        {"the origin", 0, 0, 0.0},
        {"mid-mesh ignores the north-east corner", 50, 50, 15.0},
        {"on a mesh line along x", 0, 50, 10.0},
        {"at getRYMax exactly", 200, 50, 50.0},
        {"at both maxima", 200, 200, 0.0},
        {"just south of the map", -1, 50, Map::kOutsideZ},
        {"just west of the map", 50, -1, Map::kOutsideZ},
        {"just north of the map", 201, 50, Map::kOutsideZ},
        {"just east of the map", 50, 201, Map::kOutsideZ},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Map::getZ_RYX(c.y, c.x), c.z) << c.what;
    EXPECT_DOUBLE_EQ(Map::getZ_RYX(50.9, 50.9), 15.0);  // floats truncate first
    EXPECT_DOUBLE_EQ(Map::getZ_RYX(1e300, 0.0), Map::kOutsideZ);
    EXPECT_DOUBLE_EQ(Map::getZ_RY(150, 1), 80.0);
    EXPECT_DOUBLE_EQ(Map::getZ_RX(2, 150), 30.0);
}

TEST_F(ElevationTest, VertexQueries) {
    EXPECT_EQ(Map::getZAngle(0, 0, 1, 0), (10 + 100) - (0 + 20));
    EXPECT_EQ(Map::getZAngle(0, 0, 0, 1), (20 + 100) - (0 + 10));
    EXPECT_EQ(Map::getNeighborHigh(1, 1), 80);  // (1, 2) still has the new-map 80
    EXPECT_EQ(Map::getNeighborHigh(0, 0), 20);  // two neighbours only
    EXPECT_FALSE(Map::isHorizontal(0, 0));
    Map::setSLv(1, 2, 0);
    Map::setSLv(0, 2, 0);
    Map::setSLv(1, 1, 0);
    Map::setSLv(0, 1, 0);
    EXPECT_TRUE(Map::isHorizontal(0, 1));
    Map::setSLv(-1, 0, 5);  // ignored
    Map::setSLv(0, 3, 5);
    EXPECT_EQ(Map::getZ(0, 0), 0);

    ASSERT_TRUE(Map::init(0, 0, 100, 50));
    EXPECT_EQ(Map::getNeighborHigh(0, 0), Map::kNoLand);
}

TEST_F(ElevationTest, BlendedWrites) {
    struct Case {
        const char* what;
        int32_t stored, v, bef, now, expected;
    };
    const Case cases[] = {
        {"bef 0 writes", 100, 7, 0, 5, 7},
        {"equal value", 100, 100, 3, 1, 100},
        {"weighted", 100, 200, 1, 3, 175},
        {"truncated", 0, 10, 2, 1, 3},
        {"no weight at all", 100, 200, 1, -1, 100},
        {"clamped to 16 bits", 30000, -30000, -1, 2, -32768},
    };
    for (const auto& c : cases) {
        Map::setSLv(1, 1, c.stored);
        Map::setSLvBlend(1, 1, c.v, c.bef, c.now);
        EXPECT_EQ(Map::getZ(1, 1), c.expected) << c.what;
    }
    Map::setSLvBlend(3, 0, 5, 1, 1);  // off the map: nothing
}

TEST_F(MapTest, SeaCheckNeedsAllFourCorners) {
    ASSERT_TRUE(Map::init(3, 3, 100, 50));
    Map::setTyp(1, 1, 30);
    Map::setTyp(1, 2, 6);
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 2; ++x) Map::setSLv(y, x, Map::kNoLand);
    Map::setSLv(2, 3, Map::kNoLand);  // mesh (1, 2) has three sea corners
    EXPECT_EQ(Map::checkTypSea(), 1);
    EXPECT_EQ(Map::getTyp(1, 1), LAND_SEA);
    EXPECT_EQ(Map::getTyp(1, 2), 6);
    EXPECT_EQ(Map::checkTypSea(), 0);  // already sea
}

TEST_F(MapTest, ExtensionKeepsOldLandAndFillsPaddyAt80) {
    ASSERT_TRUE(Map::init(2, 3, 100, 50));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) Map::setTyp(y, x, 30 + y * 3 + x);
    for (int y = 0; y <= 2; ++y)
        for (int x = 0; x <= 3; ++x) Map::setSLv(y, x, 1000 + y * 10 + x);

    ASSERT_TRUE(Map::extend(2, 0));
    ASSERT_TRUE(Map::extend(0, 3));
    EXPECT_EQ(Map::m_my, 4);
    EXPECT_EQ(Map::m_mx, 6);
    EXPECT_EQ(Map::m_gy, 4 * 100 / 50 + 1);
    EXPECT_EQ(Map::m_pux, 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Map::getTyp(y, x), y < 2 && x < 3 ? 30 + y * 3 + x : int(LAND_PADDY)) << y << "," << x;
    for (int y = 0; y <= 4; ++y)
        for (int x = 0; x <= 6; ++x)
            EXPECT_EQ(Map::getZ(y, x), y <= 2 && x <= 3 ? 1000 + y * 10 + x : 80) << y << "," << x;

    EXPECT_FALSE(Map::extend(-1, 0));
    EXPECT_FALSE(Map::extend(Map::kMaxSide - 4 + 1, 0));
    Map::s_maxArrayBytes = 100;
    EXPECT_FALSE(Map::extend(1, 0));
    EXPECT_EQ(Map::m_my, 4);
    EXPECT_EQ(Map::getTyp(1, 2), 35);
}

TEST_F(MapTest, PackingRoundTripsAndRefusesDamagedData) {
    ASSERT_TRUE(Map::init(37, 23, 100, 50));
    std::mt19937 rng(5);
    for (auto& t : Map::m_aTyp) t = int8_t(rng() % 4 == 0 ? rng() % 53 : 5);
    for (auto& z : Map::m_aSLv) z = int16_t(rng() % 3 == 0 ? int16_t(rng()) : int16_t(80));
    const auto typ = Map::m_aTyp;
    const auto slv = Map::m_aSLv;

    Map::compress();
    ASSERT_FALSE(Map::m_aTyC.empty());
    std::fill(Map::m_aTyp.begin(), Map::m_aTyp.end(), int8_t(0));
    std::fill(Map::m_aSLv.begin(), Map::m_aSLv.end(), int16_t(0));
    Map::decompress();
    EXPECT_EQ(Map::m_aTyp, typ);
    EXPECT_EQ(Map::m_aSLv, slv);
    EXPECT_TRUE(Map::m_aTyC.empty());
    EXPECT_TRUE(Map::m_aSLC.empty());

    // Land types fine, elevations one value short: nothing half loaded.
    Map::compress();
    Map::m_aSLC = VelJLib::compressSW(std::vector<int16_t>(slv.begin(), slv.end() - 1));
    EXPECT_THROW(Map::decompress(), PackedDataException);
    EXPECT_TRUE(std::all_of(Map::m_aTyp.begin(), Map::m_aTyp.end(), [](int8_t t) { return t == 0; }));
    EXPECT_TRUE(std::all_of(Map::m_aSLv.begin(), Map::m_aSLv.end(), [](int16_t z) { return z == 80; }));
    EXPECT_TRUE(Map::m_aTyC.empty());
}

TEST(LandCodes, Classifications) {
    for (int c = -1; c <= 53; ++c) {
        const int mask = c - 11;
        const int links = c >= 11 && c <= 26 ? __builtin_popcount(unsigned(mask)) : 0;
        EXPECT_EQ(LandCodes::isRoad(c), c >= 11 && c <= 26) << c;
        EXPECT_EQ(LandCodes::isRoadCross(c), links >= 3) << c;
        EXPECT_EQ(LandCodes::isRoadCurve(c), links == 2 && mask != 5 && mask != 10) << c;
        EXPECT_EQ(LandCodes::isRoadStraight(c), c == 16 || c == 21) << c;
        EXPECT_EQ(LandCodes::isTrain(c), c == 7 || c == 8 || c == 9 || c == 27) << c;
    }
    struct Points {
        int code, house, office;
    };
    for (const Points& p : {Points{27, 0, 5}, Points{28, 1, 0}, Points{30, 3, 0}, Points{39, 12, 0},
                            Points{40, 0, 1}, Points{41, 0, 2}, Points{51, 0, 12}, Points{52, 0, 0}, Points{5, 0, 0}}) {
        EXPECT_EQ(LandCodes::housePoints(p.code), p.house) << p.code;
        EXPECT_EQ(LandCodes::officePoints(p.code), p.office) << p.code;
    }
}

// A 3 x 3 map with a north-south road through the centre and a road to its
// east.
class RoadTest : public MapStateTest {
protected:
    void SetUp() override {
        MapStateTest::SetUp();
        ASSERT_TRUE(Map::init(3, 3, 100, 50));
        Map::setTyp(1, 1, 21);  // links north (1) and south (3)
        Map::setTyp(1, 2, 16);
    }
};

TEST_F(RoadTest, LinksAndNeighbours) {
    EXPECT_EQ(Map::getRoadD4(1, 1, 0), 1);
    EXPECT_EQ(Map::getRoadD4(1, 1, 2), 3);
    EXPECT_EQ(Map::getRoadD4(1, 1, 4), -1);
    EXPECT_EQ(Map::getRoadD4(0, 0, 0), -1);  // no road
    EXPECT_EQ(Map::searchRoadNei4(1, 1, 0), 0);
    EXPECT_EQ(Map::searchRoadNei4(1, 1, 1), -1);
    EXPECT_EQ(Map::getRoadNextD4(1, 1, 1), 1);  // going north: not back south
    EXPECT_EQ(Map::getRoadNextD4(1, 1, 3), 3);
    Map::setTyp(1, 1, 11 + 8);  // dead end to the south
    EXPECT_EQ(Map::getRoadNextD4(1, 1, 1), -1);
    EXPECT_EQ(Map::getRoadNextRYX(1, 1, 1), -1);
    EXPECT_EQ(Map::getRoadAngle(1, 1), 90);
    EXPECT_EQ(Map::getRoadAngle(0, 2), 180);
    EXPECT_EQ(Map::getRoadAngle(2, 0), 0);
    EXPECT_TRUE(Map::isRoad(1, 2));
    EXPECT_FALSE(Map::isRoad(1, 3));
}

TEST_F(RoadTest, Orientation) {
    struct Case {
        int code, d, axis, facing;
    };
    for (const Case& c : {Case{16, 0, 0, 0}, Case{16, 180, 0, 180}, Case{17, 45, 45, 45}, Case{20, 300, 45, 225},
                          Case{21, 270, 90, 270}, Case{21, 100, 90, 90}, Case{26, 135, 135, 135}}) {
        Map::setTyp(0, 0, c.code);
        EXPECT_EQ(Map::getRoadD(0, 0), c.axis) << c.code;
        EXPECT_EQ(Map::getRoadNextD360(0, 0, c.d), c.facing) << c.code << " " << c.d;
    }
}

TEST_F(RoadTest, LanePoints) {
    using VelJLib::toLong;
    EXPECT_EQ(Map::getRoadNextq(0), toLong(66, 100));
    EXPECT_EQ(Map::getRoadNextq(1), toLong(100, 34));
    EXPECT_EQ(Map::getRoadNextq(2), toLong(34, 0));
    EXPECT_EQ(Map::getRoadNextq(3), toLong(0, 66));
    EXPECT_EQ(Map::getRoadNextq(-1, 0), toLong(0, 66));
    EXPECT_EQ(Map::getRoadNextq(1, 1), toLong(50, 50));
    EXPECT_EQ(Map::getRoadRTYX(1, 1, 0), toLong(166, 200));
    EXPECT_EQ(Map::getRoadRTYX(1, 1, 2, 1), toLong(200, 134));
    EXPECT_EQ(Map::getRoadRTYX(1, 1, 1, 1), toLong(150, 150));
    EXPECT_EQ(Map::getRoadNextRYX(1, 1, 1), toLong(200, 134));
    // Larger meshes: the point stays on the mesh edge.
    ASSERT_TRUE(Map::init(3, 3, 400, 50));
    EXPECT_EQ(Map::getRoadNextq(0), toLong(264, 400));
    EXPECT_EQ(Map::getRoadNextq(1), toLong(400, 136));
}

TEST_F(RoadTest, CrossingLabelsGoThroughTheRoadCrossTable) {
    test::RecordingMapHooks hooks;
    setMapHooks(&hooks);
    Map::setRoadCrossing(1, 1, 315, 7);
    Map::setRoadCrossing(1, 1, 90, 4);
    Map::setRoadCrossing(5, 5, 0, 9);  // off the map
    ASSERT_EQ(hooks.labels.size(), 2u);
    EXPECT_EQ(Map::getCrossingShortest(1, 1), VelJLib::toLong(4, 7));
    EXPECT_EQ(Map::getCrossingShortest(0, 0), VelJLib::toLong(-1, -1));
}

}  // namespace
}  // namespace tetsuro
