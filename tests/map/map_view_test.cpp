#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "map/geo_origin.h"
#include "map/map_view.h"

namespace tetsuro {
namespace {

struct IntCase {
    std::string what;
    MapView v;
    std::function<int64_t(const MapView&)> f;
    int64_t expected;
};

// H 600, W 800, 8 pixels per mesh of 10 m, centre (1000, 2000).
constexpr MapView kView{600, 800, 8, 1000, 2000, 100};
// The largest map: 9984 meshes of 40 m at 864 pixels per mesh, where
// y x bs passes 2^31.
constexpr MapView kLargest{0, 0, 864, 0, 0, 400};

TEST(MapView, IntegerConversions) {
    MapView shifted = kView;
    shifted.cy = 1060;
    const IntCase cases[] = {
        {"real to mesh", kView, [](auto& v) { return v.getMYfromRY(1234); }, 12},
        {"real to mesh x", kView, [](auto& v) { return v.getMXfromRX(567); }, 5},
        {"a mesh line belongs to the mesh north of it", kView, [](auto& v) { return v.getMYfromRY(1200); }, 12},
        {"just south of the line", kView, [](auto& v) { return v.getMYfromRY(1199); }, 11},
        {"negative real truncates toward zero", kView, [](auto& v) { return v.getMYfromRY(-50); }, 0},
        {"mesh edge", kView, [](auto& v) { return v.getRXfromMX(7); }, 700},
        {"mesh centre", kView, [](auto& v) { return v.getRYfromMYC(12); }, 1250},
        {"real to screen", kView, [](auto& v) { return v.getSYfromRY(1234); }, 318},
        {"real to screen x", kView, [](auto& v) { return v.getSXfromRX(2150); }, 412},
        // 1290 x 8 / 100 = 103 and 1060 x 8 / 100 = 84: 319, where one
        // quotient of the difference would give 318.
        {"two truncated quotients", shifted, [](auto& v) { return v.getSYfromRY(1290); }, 319},
        {"screen to real", kView, [](auto& v) { return v.getRYfromSY(318); }, 1225},
        {"screen to real below the view truncates toward zero", kView,
         [](auto& v) { return v.getRYfromSY(-1); }, 1000 - 3762},
        {"screen to real x", kView, [](auto& v) { return v.getRXfromSX(412); }, 2150},
        {"real to pixel row", kView, [](auto& v) { return v.getPYfromRY(1234); }, 281},
        {"pixel row to real", kView, [](auto& v) { return v.getRYfromPY(281); }, 1225},
        {"mesh to screen", kView, [](auto& v) { return v.getSYfromMY(12); }, 316},
        {"mesh to pixel row", kView, [](auto& v) { return v.getPYfromMY(12); }, 283},
        {"screen to mesh", kView, [](auto& v) { return v.getMYfromSY(318); }, 12},
        {"pixel row to mesh", kView, [](auto& v) { return v.getMYfromPY(283); }, 12},
        {"screen to mesh x", kView, [](auto& v) { return v.getMXfromSX(412); }, 21},
        {"largest map, north edge", kLargest, [](auto& v) { return v.getSYfromRY(9984 * 400); }, 8626176},
        {"largest map, mesh form", kLargest, [](auto& v) { return v.getSXfromMX(9984); }, 8626176},
        {"largest map, back to real", kLargest, [](auto& v) { return v.getRYfromSY(8626176); }, 9984 * 400},
        {"zoom below 1 counts as 1", MapView{600, 800, 0, 0, 0, 100},
         [](auto& v) { return v.getRYfromSY(301); }, 100},
    };
    for (const auto& c : cases) EXPECT_EQ(c.f(c.v), c.expected) << c.what;
}

TEST(MapView, FloatAndBitmapConversions) {
    EXPECT_DOUBLE_EQ(kView.getRYfromSYf(318.0), 1225.0);
    MapView odd = kView;
    odd.height = 601;  // H / 2.0 = 300.5, no truncation anywhere
    EXPECT_DOUBLE_EQ(odd.getRYfromSYf(318.0), 1218.75);
    EXPECT_DOUBLE_EQ(odd.getRYfromPYf(600 - 318.0), 1218.75);

    // A 256 x 512 map of 10 m meshes under a 1000 x 2000 pixel bitmap: the
    // pixel row of the real middle is the bitmap's middle row.
    MapView v{600, 800, 8, 12800, 25600, 100};
    const double midRow = 600 - 300 - 1;  // pixel row of real y = cy
    EXPECT_DOUBLE_EQ(v.getBYfromPY(midRow, 1000, 256), 500.0);
    EXPECT_DOUBLE_EQ(v.getBXfromSX(400, 2000, 512), 1000.0);
    EXPECT_DOUBLE_EQ(v.getBHfromSH(8 * 256, 1000, 256), 1000.0);
    EXPECT_DOUBLE_EQ(v.getBWfromSW(8 * 512, 2000, 512), 2000.0);
    EXPECT_EQ(v.getBYfromPY(0, 1000, 0), 0.0);  // no map, no division by zero
}

TEST(GeoOrigin, LatitudeAndLongitudeToReal) {
    const GeoOrigin o{350000000, 1390000000};  // 35 N, 139 E
    EXPECT_TRUE(o.isSet());
    EXPECT_FALSE(GeoOrigin{}.isSet());
    EXPECT_DOUBLE_EQ(o.toRY(350000000 + 900), 100.0);
    EXPECT_NEAR(o.toRX(1390000000 + 900), 100.0 * std::cos(35.0 * std::numbers::pi / 180.0), 1e-9);
    EXPECT_DOUBLE_EQ(o.toMY(350000000 + 9000, 100), 10.0);
}

}  // namespace
}  // namespace tetsuro
