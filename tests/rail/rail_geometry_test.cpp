// Lengths, heights, positions, angles and accessors of single pieces.
#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

using GeometryTest = RailStoreTest;

TEST_F(GeometryTest, LengthsAreRounded3DAndCached) {
    struct Case {
        int32_t fz, fy, fx, tz, ty, tx;
        int32_t length, plan;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 300, 400, 500, 500},     // 3-4-5
        {0, 0, 0, 30, 0, 400, 401, 400},      // a 30 climb over 400
        {10, 100, 100, 10, 100, 101, 1, 1},   // the shortest piece
        {0, 0, 0, 0, 1, 1, 1, 1},             // sqrt 2 rounds down
    };
    for (const auto& c : cases) {
        int32_t n = add(9, c.fz, c.fy, c.fx, c.tz, c.ty, c.tx);
        ASSERT_GE(n, 0);
        EXPECT_EQ(Rail::length_cm(n), c.length);
        EXPECT_EQ(Rail::length_cm(rev(n)), c.length);
        EXPECT_EQ(Rail::m_iLenC[n], c.length);  // cached
        EXPECT_EQ(Rail::length_h_cm(n), c.plan);
        EXPECT_EQ(Rail::length_um(n), int64_t{c.length} * 103680);
        Rail::erase(n);
    }
}

TEST_F(GeometryTest, HeightAlongAPieceRoundsHalfAwayFromZero) {
    int32_t up = add(9, 0, 0, 0, 10, 0, 400);
    int32_t down = add(9, 10, 1000, 0, 0, 1000, 400);
    struct Case {
        int32_t piece;
        int32_t x;
        int32_t z;
    };
    const Case cases[] = {{up, 200, 5}, {up, 20, 1}, {up, 0, 0}, {up, 400, 10}, {up, 19, 0},
                          {down, 20, 9}, {down, 200, 5}, {down, 380, 0}};
    for (const auto& c : cases) {
        int32_t y = c.piece == up ? 0 : 1000;
        EXPECT_EQ(Rail::getZ(c.piece, y, c.x), c.z) << "x=" << c.x;
    }
    EXPECT_TRUE(Rail::isPointOnLine(up, 5, 0, 200));
    EXPECT_FALSE(Rail::isPointOnLine(up, 4, 0, 200));
    EXPECT_FALSE(Rail::isPointOnLine(up, 0, 1, 200));
    EXPECT_EQ(Rail::getZ(-1, 0, 0), -1);
}

TEST_F(GeometryTest, PositionsAlongAReference) {
    int32_t n = add(9, 0, 0, 0, 0, 300, 400);
    EXPECT_EQ(Rail::getPosRY(n, 250), 150);
    EXPECT_EQ(Rail::getPosRX(n, 250), 200);
    EXPECT_EQ(Rail::getPosRY(rev(n), 250), 150);
    EXPECT_EQ(Rail::getPosRX(rev(n), 100), 320);
    auto p = Rail::getPosRZYXf_um(n, 250 * 103680);
    EXPECT_DOUBLE_EQ(p[1], 150.0);
    EXPECT_DOUBLE_EQ(p[2], 200.0);
    EXPECT_EQ(Rail::getPos_cm(n, 0, 300, 400), 500);
    EXPECT_EQ(Rail::getPos_cm(rev(n), 0, 0, 0), 500);
    EXPECT_EQ(Rail::getPos_h_cm(rev(n), 150, 200), 250);
    EXPECT_EQ(Rail::getPos_cm_yx(n, 150, 200), 250);
    // Invalid references give 0 positions and -1 distances.
    EXPECT_EQ(Rail::getPosRY(-1, 10), 0);
    EXPECT_EQ(Rail::getPosRY(n + 1, 10), 0);
    EXPECT_EQ(Rail::getPos_cm(-1, 0, 0, 0), -1);
    EXPECT_TRUE(Rail::getPosRYX(-1, 5).empty());
}

TEST_F(GeometryTest, EndsVectorsAndAnglesOfReferences) {
    int32_t n = add(12, 5, 100, 200, 25, 400, 600);
    EXPECT_EQ(Rail::getStartZYX(n), (std::vector<int32_t>{5, 100, 200}));
    EXPECT_EQ(Rail::getEndZYX(n), (std::vector<int32_t>{25, 400, 600}));
    EXPECT_EQ(Rail::getStartZYX(rev(n)), (std::vector<int32_t>{25, 400, 600}));
    EXPECT_EQ(Rail::getSY(rev(n)), 400);
    EXPECT_EQ(Rail::getEX(rev(n)), 200);
    EXPECT_EQ(Rail::getVectorZYX(rev(n)), (std::array<int64_t, 3>{-20, -300, -400}));
    EXPECT_EQ(Rail::getStartRYXq(n), (int64_t{100} << 32) | 200);
    // The vector leaving a given end points away from it.
    EXPECT_EQ(Rail::getVectorYX(n, 400, 600), (std::array<int64_t, 2>{-300, -400}));
    EXPECT_EQ(Rail::getVectorYX(n, 100, 200), (std::array<int64_t, 2>{300, 400}));
    int32_t east = add(9, 0, 1000, 0, 0, 1000, 100);
    EXPECT_EQ(Rail::getAngleYX360(east), 0);
    EXPECT_EQ(Rail::getAngleYX360(rev(east)), 180);
    EXPECT_EQ(Rail::getAngleYX360(east, 1000, 100), 180);
    EXPECT_EQ(Rail::diffAngleYX360(1, 1, east), 45);
    EXPECT_EQ(Rail::getMaxSP_km(east), 450);
    EXPECT_EQ(Rail::getCost(21), 441);
    // Invalid references.
    EXPECT_TRUE(Rail::getStartZYX(-1).empty());
    EXPECT_EQ(Rail::getSY(-1), -1);
    EXPECT_EQ(Rail::getVectorY(-5), 0);
    EXPECT_EQ(Rail::getStartRYXq(-1), -1);
    EXPECT_EQ(Rail::getSpd(-1), -1);
}

TEST_F(GeometryTest, ReversedReferenceByDirection) {
    int32_t east = add(9, 0, 0, 0, 0, 0, 400);
    EXPECT_EQ(Rail::getRB_ryxwv(0, 100, 0, 100), rev(east));
    EXPECT_EQ(Rail::getRB_ryxwv(0, 100, 0, -100), east);
    EXPECT_EQ(Rail::getRB_ryxwv(0, 100, 100, 0), -1);
    EXPECT_EQ(Rail::getRB_rzyxwv(1, 0, 100, 0, 100), -1);  // wrong height
}

TEST_F(GeometryTest, CrossingsAndMeshBorders) {
    int32_t a = add(9, 0, 0, 0, 0, 0, 1000);
    int32_t b = add(9, 0, 500, 500, 20, -500 + 500, 500);  // runs south across a
    EXPECT_EQ(Rail::getCrossOfSegment(a, b), (std::vector<int64_t>{0, 500}));
    EXPECT_EQ(Rail::getZ(b, a), 20);
    // Piece a runs along y = 0 from x 0 to 1000: it crosses the border of
    // mesh (0, 2) (x 200..300) twice, at its west and east edges.
    int32_t c = add(9, 0, 150, 0, 0, 150, 1000);
    EXPECT_EQ(Rail::getCrossM(c, 1, 2), (std::vector<int64_t>{150, 200, 150, 300}));
    EXPECT_TRUE(Rail::getCrossM(c, 5, 2).empty());
}

}  // namespace
}  // namespace tetsuro::test
