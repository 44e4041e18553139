// The junction rule: successors of an arriving direction, and the cache.
#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

using ConnectTest = RailStoreTest;

// A piece from (y0, x0) to (y1, x1) at height 0, class 9, stored as a new
// piece even where it continues another.
int32_t piece(int32_t y0, int32_t x0, int32_t y1, int32_t x1) {
    return Rail::add_main(0, 9, RailPoint{0, y0, x0}, RailPoint{0, y1, x1});
}

TEST_F(ConnectTest, JunctionRuleTable) {
    // P = (1000, 1000) is the junction in every layout; A arrives there from
    // the west.
    struct Case {
        const char* name;
        std::vector<std::array<int32_t, 4>> others;  // pieces leaving P
        int32_t succ0, succ1;                         // indexes into others (-1 none)
    };
    const Case cases[] = {
        {"dead end", {}, -1, -1},
        {"join at a sharp angle", {{1000, 1000, 1300, 800}}, 0, -1},
        {"join turning back", {{1000, 1000, 1000, 500}}, 0, -1},
        {"30 degree Y", {{1000, 1000, 1000, 2000}, {1000, 1000, 1500, 1866}}, 0, 1},
        {"branch listed first", {{1000, 1000, 1500, 1866}, {1000, 1000, 1000, 2000}}, 1, 0},
        {"T gives the stem nothing", {{1000, 1000, 2000, 1000}, {1000, 1000, 0, 1000}}, -1, -1},
        {"tie goes to the lower number", {{1000, 1000, 1500, 1500}, {1000, 1000, 500, 1500}}, 0, 1},
        {"only one within 48 degrees", {{1000, 1000, 1000, 2000}, {1000, 1000, 2000, 1000}}, 0, -1},
    };
    for (const auto& c : cases) {
        RailCore::reset();
        int32_t a = piece(1000, 0, 1000, 1000);
        std::vector<int32_t> ids;
        for (const auto& o : c.others) ids.push_back(piece(o[0], o[1], o[2], o[3]));
        auto want = [&](int32_t i) { return i < 0 ? -1 : ids[static_cast<size_t>(i)]; };
        EXPECT_EQ(Rail::getConnect(a, 0), want(c.succ0)) << c.name;
        EXPECT_EQ(Rail::getConnect(a, 1), want(c.succ1)) << c.name;
        EXPECT_EQ(Rail::isStop(a), c.succ0 < 0) << c.name;
        sound();
    }
}

TEST_F(ConnectTest, BranchArrivalsSeeTheThroughLineAt30Degrees) {
    int32_t a = piece(1000, 0, 1000, 1000);
    int32_t b = piece(1000, 1000, 1000, 2000);
    int32_t c = piece(1000, 1000, 1500, 1866);
    // Travelling down the branch toward P: a (westward) differs by 30
    // degrees, b by 150.
    EXPECT_EQ(Rail::getConnect(rev(c), 0), rev(a));
    EXPECT_EQ(Rail::getConnect(rev(c), 1), -1);
    // Westward along b: straight on into a, and c is 150 degrees off.
    EXPECT_EQ(Rail::getConnect(rev(b), 0), rev(a));
    EXPECT_EQ(Rail::getConnect(rev(b), 1), -1);
}

TEST_F(ConnectTest, EditsInvalidateTheCache) {
    int32_t a = piece(1000, 0, 1000, 1000);
    int32_t b = piece(1000, 1000, 1000, 2000);
    int32_t c = piece(1000, 1000, 1500, 1866);
    EXPECT_EQ(Rail::getConnect(a, 1), c);  // fills the cache
    Rail::erase(c);
    EXPECT_EQ(Rail::getConnect(a, 0), b);
    EXPECT_EQ(Rail::getConnect(a, 1), -1);
    sound();
    Rail::erase(b);
    EXPECT_EQ(Rail::getConnect(a, 0), -1);
    EXPECT_TRUE(Rail::isStop(a));
    // A new piece in the freed slot is seen at once.
    int32_t d = piece(1000, 1000, 900, 1500);
    EXPECT_EQ(d, b);
    EXPECT_EQ(Rail::getConnect(a, 0), d);
    Rail::reverse(d);
    EXPECT_EQ(Rail::getConnect(a, 0), rev(d));
    EXPECT_EQ(Rail::getConnect(d, 0), rev(a));  // d now ends at P
    sound();
}

TEST_F(ConnectTest, RenewAndSetWriteTheCache) {
    int32_t a = piece(1000, 0, 1000, 1000);
    int32_t b = piece(1000, 1000, 1000, 2000);
    Rail::renewConnect(1000 * 0, 1000, 1000);
    EXPECT_EQ(Rail::m_ia4Con[static_cast<size_t>(a) * 4], b);
    EXPECT_TRUE(Rail::setConnect(a, 0, -1));
    EXPECT_TRUE(Rail::isStop(a));
    // The checker notices a cache that disagrees with the track.
    EXPECT_FALSE(checkRailInvariants(checks).empty());
    Rail::renewConnect(a, false);
    EXPECT_FALSE(Rail::isStop(a));
    EXPECT_FALSE(Rail::setConnect(-1, 0, 0));
    EXPECT_EQ(Rail::getConnect(a, 2), -1);
}

}  // namespace
}  // namespace tetsuro::test
