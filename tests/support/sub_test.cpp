#include "support/sub.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/vel_jlib_geometry.h"
#include "support/vel_jlib_lines.h"

namespace tetsuro {
namespace {

using Meshes = std::vector<MeshYX>;

class SubTest : public testing::Test {
protected:
    void SetUp() override { Sub::reset(); }
    void TearDown() override { Sub::reset(); }
};

std::set<std::pair<int, int>> asSet(const Meshes& m) {
    std::set<std::pair<int, int>> s;
    for (const MeshYX& e : m) s.insert({e.my, e.mx});
    return s;
}

TEST_F(SubTest, InitDerivesCityBlocks) {
    ASSERT_TRUE(Sub::init(100, 50, 100, 3));
    EXPECT_EQ(Sub::m_iBM, 8);
    EXPECT_EQ(Sub::m_iBY, 13);  // ceil(100 / 8)
    EXPECT_EQ(Sub::m_iBX, 7);
    EXPECT_EQ(Sub::getTSP2(), 4);
    // A bad mesh size changes nothing and cannot divide by zero later.
    EXPECT_FALSE(Sub::init(10, 10, 0, 1));
    EXPECT_EQ(Sub::m_iMS, 100);
    ASSERT_TRUE(Sub::init(10, 10, 1000, 1));  // a mesh bigger than a block
    EXPECT_EQ(Sub::m_iBM, 1);
    EXPECT_EQ(Sub::m_iBY, 10);
}

TEST_F(SubTest, Powers) {
    struct Case {
        int n;
        int64_t p2, p28;
    };
    for (Case c : {Case{0, 1, 256}, {1, 2, 279}, {2, 4, 304}, {7, 128, 469}, {8, 256, 512},
                   {9, 512, 558}, {16, 65536, 1024}, {-3, 1, 256}}) {
        EXPECT_EQ(Sub::pow_2(c.n), c.p2) << c.n;
        EXPECT_EQ(Sub::pow_2_8(c.n), c.p28) << c.n;
    }
    EXPECT_EQ(Sub::pow_2(70), INT64_MAX);
    EXPECT_EQ(Sub::pow_2_8(1000), INT64_MAX);
    EXPECT_EQ(Sub::pow_2f(-2), 0.25);
    EXPECT_EQ(Sub::pow_2f(10), 1024.0);
    // The rolling-stock price rule built on it doubles every 40 km/h.
    struct Price {
        int kmh;
        int64_t price;
    };
    for (Price p : {Price{100, 140000}, {120, 200000}, {130, 237500}, {200, 800000}}) {
        EXPECT_EQ(Sub::pow_2_8(p.kmh / 5) * 10000 / 256000 * 2500, p.price) << p.kmh;
    }
}

TEST_F(SubTest, BookValue) {
    struct Case {
        int64_t v, l, m, value;
    };
    for (Case c : {Case{1000, 10, 60, 500}, {1000, 10, 121, 0}, {1000, 10, 120, 0}, {1000, 10, 0, 1000},
                   {1000, 13, 1, 994}, {1000, 0, 0, 1000}, {1000, 0, 1, 0},
                   {1000000000000000, 13, 100, 358974358974359}}) {
        EXPECT_EQ(Sub::getAssets(c.v, c.l, c.m), c.value) << c.v << "," << c.l << "," << c.m;
    }
}

TEST_F(SubTest, DirectionStepsAndLengthUnit) {
    const int y[] = {0, 1, 0, -1}, x[] = {1, 0, -1, 0};
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(Sub::getVY4(d), y[d]);
        EXPECT_EQ(Sub::getVX4(d), x[d]);
    }
    EXPECT_EQ(Sub::getVY4(-1), -1);  // south
    EXPECT_EQ(Sub::getVX4(4), 1);    // east
    EXPECT_EQ(Sub::getLength_um(0, 0, 3, 4), 200000);  // 5.5 -> 5
    EXPECT_EQ(Sub::getLength_um(0, 0, 0, 7), 280000);
}

// ---- Grid ------------------------------------------------------------------

TEST_F(SubTest, RealPointToMeshes) {
    ASSERT_TRUE(Sub::init(10, 10, 100, 1));
    EXPECT_EQ(Sub::RtoM(150, 250), (Meshes{{1, 2}}));
    EXPECT_EQ(Sub::RtoM(200, 250), (Meshes{{2, 2}, {1, 2}}));
    EXPECT_EQ(Sub::RtoM(150, 300), (Meshes{{1, 3}, {1, 2}}));
    EXPECT_EQ(Sub::RtoM(200, 300), (Meshes{{2, 3}, {1, 3}, {2, 2}, {1, 2}}));
    EXPECT_EQ(Sub::RtoM(0, 300), (Meshes{{0, 3}, {0, 2}}));
    EXPECT_EQ(Sub::RtoM(-50, 50), (Meshes{{-1, 0}}));  // south of the map, not mesh 0
}

TEST_F(SubTest, NineMeshesAround) {
    ASSERT_TRUE(Sub::init(3, 3, 100, 1));
    EXPECT_EQ(Sub::extendMesh9(1, 1),
              (Meshes{{1, 1}, {0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}));
    EXPECT_EQ(Sub::extendMesh9(0, 0), (Meshes{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(Sub::extendMesh9(Meshes{{0, 0}, {0, 1}}),
              (Meshes{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 2}, {1, 2}}));
    EXPECT_TRUE(Sub::extendMesh9(5, 5).empty());
}

TEST_F(SubTest, MeshesAlongARealSegment) {
    ASSERT_TRUE(Sub::init(10, 10, 100, 1));
    EXPECT_EQ(Sub::getUseMeshLine(50, 50, 50, 350), (Meshes{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
    EXPECT_EQ(Sub::getUseMeshLine(50, 50, 250, 250), (Meshes{{0, 0}, {1, 1}, {2, 2}}));
    // The end point itself is left out.
    EXPECT_EQ(Sub::getUseMeshLine(50, 50, 50, 300), (Meshes{{0, 0}, {0, 1}, {0, 2}}));
    EXPECT_TRUE(Sub::getUseMeshLine(50, 50, 50, 50).empty());
    // Running just west of the map touches no mesh of it.
    EXPECT_TRUE(Sub::getUseMeshLine(50, -50, 250, -50).empty());
    EXPECT_EQ(Sub::getUseMeshLine(50, -150, 50, 150), (Meshes{{0, 0}, {0, 1}}));
}

TEST_F(SubTest, RasterLineInMeshes) {
    ASSERT_TRUE(Sub::init(20, 20, 100, 1));
    EXPECT_EQ(Sub::getUseMeshLine_m(0, 0, 2, 2),
              (Meshes{{0, 0}, {0, 1}, {1, 1}, {1, 2}, {2, 2}}));
    EXPECT_EQ(Sub::getUseMeshLine_m(3, 3, 3, 0), (Meshes{{3, 3}, {3, 2}, {3, 1}, {3, 0}}));
    EXPECT_TRUE(Sub::getUseMeshLine_m(4, 4, 4, 4).empty());
    EXPECT_EQ(Sub::getUseMeshLine_m(-2, 0, 1, 0), (Meshes{{0, 0}, {1, 0}}));
    const int lines[][4] = {{0, 0, 7, 3}, {10, 2, 1, 15}, {5, 5, 0, 19}, {19, 19, 0, 0}};
    for (const auto& l : lines) {
        Meshes m = Sub::getUseMeshLine_m(l[0], l[1], l[2], l[3]);
        ASSERT_FALSE(m.empty());
        EXPECT_EQ(m.front(), (MeshYX{l[0], l[1]}));
        EXPECT_EQ(m.back(), (MeshYX{l[2], l[3]}));
        for (size_t i = 1; i < m.size(); ++i) {  // 4-connected
            EXPECT_EQ(std::abs(m[i].my - m[i - 1].my) + std::abs(m[i].mx - m[i - 1].mx), 1);
        }
    }
}

TEST_F(SubTest, MeshesAroundATrackPoint) {
    ASSERT_TRUE(Sub::init(10, 10, 100, 1));
    EXPECT_EQ(Sub::getUseMeshRail(200, 300, 200, 300, 19),
              (Meshes{{2, 3}, {2, 2}, {1, 3}, {1, 2}}));
    EXPECT_EQ(Sub::getUseMeshRail(250, 250, 250, 250, 19), (Meshes{{2, 2}}));
    EXPECT_EQ(Sub::getUseMeshRail(0, 0, 0, 0, 19), (Meshes{{0, 0}}));
}

// With meshes narrower than the track outline the rows between its two long
// edges lie under the track too.
TEST_F(SubTest, TrackMeshesIncludeTheRowsUnderTheTrack) {
    ASSERT_TRUE(Sub::init(100, 100, 10, 1));
    // Lengthened to x 181..819 and 38 wide: y 481..519.
    Meshes m = Sub::getUseMeshRail(500, 200, 500, 800, 19);
    std::set<std::pair<int, int>> want;
    for (int my = 48; my <= 51; ++my) {
        for (int mx = 18; mx <= 81; ++mx) want.insert({my, mx});
    }
    EXPECT_EQ(asSet(m), want);
    EXPECT_EQ(m.size(), want.size());  // no repeats
}

// Every mesh holding a point of the outline is returned, and nothing further
// than one unit from it.
TEST_F(SubTest, TrackMeshesCoverTheOutline) {
    struct Case {
        int ms;
        int64_t fy, fx, ty, tx, len;
    };
    for (Case c : {Case{10, 100, 100, 700, 400, 19}, {7, 55, 555, 333, 111, 19}, {10, 300, 50, 320, 900, -1},
                   {25, 40, 40, 900, 905, 19}}) {
        SCOPED_TRACE(testing::Message() << c.fy << "," << c.fx << " -> " << c.ty << "," << c.tx);
        ASSERT_TRUE(Sub::init(40, 40, c.ms, 1));
        const auto u = VelJLib::getVector_Len(c.ty - c.fy, c.tx - c.fx, c.len);
        const auto o = VelJLib::getPolygon_LineD(c.fy - u[0], c.fx - u[1], c.ty + u[0],
                                                 c.tx + u[1], c.len + 19);
        ASSERT_TRUE(o.has_value());
        const std::vector<int64_t> poly(o->begin(), o->end());
        auto anyInside = [&](int64_t y0, int64_t y1, int64_t x0, int64_t x1) {
            for (int64_t y = y0; y <= y1; ++y) {
                for (int64_t x = x0; x <= x1; ++x) {
                    if (VelJLib::isPointInPolygon(y, x, poly, 0, 4)) return true;
                }
            }
            return false;
        };
        const auto got = asSet(Sub::getUseMeshRail(c.fy, c.fx, c.ty, c.tx, c.len));
        for (int my = 0; my < 40; ++my) {
            for (int mx = 0; mx < 40; ++mx) {
                const int64_t y0 = int64_t{my} * c.ms, x0 = int64_t{mx} * c.ms;
                const bool holds = anyInside(y0, y0 + c.ms - 1, x0, x0 + c.ms - 1);
                const bool near = anyInside(y0 - 1, y0 + c.ms, x0 - 1, x0 + c.ms);
                const bool in = got.count({my, mx}) > 0;
                if (holds) {
                    EXPECT_TRUE(in) << "missing " << my << "," << mx;
                }
                if (in) {
                    EXPECT_TRUE(near) << "stray " << my << "," << mx;
                }
            }
        }
    }
}

// ---- Mesh-line points of a 3D segment --------------------------------------

TEST_F(SubTest, DivisionAtMeshLines) {
    ASSERT_TRUE(Sub::init(10, 10, 100, 1));
    using P = std::vector<PointZYX>;
    struct Case {
        const char* what;
        int64_t fz, fy, fx, tz, ty, tx;
        P want;
    };
    const Case cases[] = {
        {"east", 0, 50, 50, 0, 50, 350, {{0, 50, 100}, {0, 50, 200}, {0, 50, 300}, {0, 50, 350}}},
        {"south from off the grid", 0, 250, 50, 0, 50, 50, {{0, 200, 50}, {0, 100, 50}, {0, 50, 50}}},
        {"west from off the grid", 0, 50, 250, 0, 50, 50, {{0, 50, 200}, {0, 50, 100}, {0, 50, 50}}},
        {"south from a line", 0, 200, 50, 0, 50, 50, {{0, 100, 50}, {0, 50, 50}}},
        {"along a y line", 0, 100, 50, 0, 100, 250, {{0, 100, 100}, {0, 100, 200}, {0, 100, 250}}},
        {"along an x line", 0, 50, 200, 0, 250, 200, {{0, 100, 200}, {0, 200, 200}, {0, 250, 200}}},
        {"ends on a line", 0, 50, 50, 0, 50, 300, {{0, 50, 100}, {0, 50, 200}, {0, 50, 300}}},
        {"through corners", 0, 50, 50, 0, 250, 250, {{0, 100, 100}, {0, 200, 200}, {0, 250, 250}}},
        {"climbing", 0, 50, 50, 300, 50, 350, {{50, 50, 100}, {150, 50, 200}, {250, 50, 300}, {300, 50, 350}}},
        {"south-west below 0", 0, -50, -50, 0, -250, -150,
         {{0, -100, -75}, {0, -150, -100}, {0, -200, -125}, {0, -250, -150}}},
        {"mixed", 0, 0, 0, 30, 150, 250, {{12, 60, 100}, {20, 100, 166}, {24, 120, 200}, {30, 150, 250}}},
        {"zero length", 5, 50, 50, 7, 50, 50, {{7, 50, 50}}},
        {"inside one mesh", 0, 10, 10, 0, 90, 20, {{0, 90, 20}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sub::divisionMesh(c.fz, c.fy, c.fx, c.tz, c.ty, c.tx), c.want) << c.what;
    }
}

}  // namespace
}  // namespace tetsuro
