// Switches: where construction makes them, and how they route trains.
#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

using SwitchTest = RailTest;

TEST_F(SwitchTest, BranchAt30DegreesMakesASwitchAt60Nothing) {
    struct Case {
        const char* name;
        int32_t ty, tx;  // the branch runs from (1000, 2000)
        int switches, pieces, sections, marker;
    };
    const Case cases[] = {
        {"30 degrees", 1500, 2866, 1, 3, 3, 2},
        {"60 degrees", 1866, 2500, 0, 2, 2, 0},  // crosses, but does not join
        {"47 degrees", 1731, 2682, 1, 3, 3, 2},
    };
    for (const auto& c : cases) {
        RailCore::reset();
        lay(21, 1000, 0, 1000, 4000);
        ASSERT_GE(lay(21, 1000, 2000, c.ty, c.tx), 0) << c.name;
        EXPECT_EQ(Bunki::count(), c.switches) << c.name;
        EXPECT_EQ(Rail::count(), c.pieces) << c.name;
        EXPECT_EQ(Heisoku::count(), c.sections) << c.name;
        EXPECT_EQ(Antenna::getType(0, 1000, 2000), c.marker) << c.name;
    }
}

TEST_F(SwitchTest, SwitchTestRefusals) {
    lay(21, 1000, 0, 1000, 4000);
    const double d30 = 30.0;
    // Straight along the line (0 degrees) or lying on it: no switch.
    EXPECT_FALSE(Bunki::isSet(0, 1000, 2000, 0.0, 1000, 2400));
    EXPECT_FALSE(Bunki::isSet(0, 1000, 2000, 180.0, 1000, 1600));
    // Nothing passes there, or at the wrong height.
    EXPECT_FALSE(Bunki::isSet(0, 3000, 2000, d30, 3004, 2007));
    EXPECT_FALSE(Bunki::isSet(5, 1000, 2000, d30, 1004, 2007));
    // The only piece there ends there: the new piece just continues it.
    EXPECT_FALSE(Bunki::isSet(0, 1000, 4000, d30, 1004, 4007));
    EXPECT_TRUE(Bunki::isSet(0, 1000, 2000, d30, 1004, 2007));
    // A platform building on the piece forbids it.
    struct Platforms : RecordingHooks {
        bool hasPlatformBuilding(int32_t) override { return true; }
    } platforms;
    setRailHooks(&platforms);
    EXPECT_FALSE(Bunki::isSet(0, 1000, 2000, d30, 1004, 2007));
    setRailHooks(&hooks);
}

TEST_F(SwitchTest, RoutingFollowsTheSettingOfTheCurrentSlot) {
    lay(21, 1000, 0, 1000, 4000);
    int32_t branch = lay(21, 1000, 2000, 1500, 2866);
    ASSERT_EQ(Bunki::count(), 1);
    int32_t sw = Bunki::searchIndex(0, 1000, 2000);
    ASSERT_GE(sw, 0);
    int32_t in = Rail::getAll_RYX(1000, 1000)[0];   // arriving from the west
    int32_t out = Rail::getAll_RYX(1000, 3000)[0];  // straight on
    ASSERT_EQ(Rail::getConnect(in, 0), out);
    ASSERT_EQ(Rail::getConnect(in, 1), branch);
    // 08:00-08:10 is slot 48 with a 10-minute unit.
    EXPECT_EQ(Bunki::diaCount(), 144);
    ASSERT_TRUE(Bunki::setDia(sw, 48, 1));
    for (int32_t slot : {0, 47, 48, 49, 143}) {
        hooks.slot = slot;
        EXPECT_EQ(Bunki::getRailConnect(in), slot == 48 ? branch : out) << slot;
        EXPECT_EQ(Bunki::isStraight(sw), slot != 48) << slot;
    }
    // Other bits belong to the timetable editor.
    Bunki::setDia(sw, 48, 2);
    hooks.slot = 48;
    EXPECT_EQ(Bunki::getRailConnect(in), out);
    // Arriving on the branch there is one way on; at a dead end none.
    EXPECT_EQ(Bunki::getRailConnect(RailRef::flip(branch)), RailRef::flip(in));
    EXPECT_EQ(Bunki::getRailConnect(RailRef::flip(in)), -1);
    // Two successors without a switch: always the second.
    Bunki::remove(0, 1000, 2000);
    EXPECT_EQ(Bunki::getRailConnect(in), branch);
}

TEST_F(SwitchTest, CopyPasteAndLookUps) {
    lay(21, 1000, 0, 1000, 4000);
    lay(21, 1000, 2000, 1500, 2866);
    int32_t sw = Bunki::searchIndex(0, 1000, 2000);
    std::vector<int8_t> buf;
    Bunki::setDia(sw, 3, 1);
    ASSERT_TRUE(Bunki::copyDia(sw, buf));
    EXPECT_EQ(buf.size(), 144u);
    EXPECT_EQ(buf[3], 1);
    buf[3] = 0;
    buf[5] = 1;
    EXPECT_TRUE(Bunki::pasteDia(sw, buf));
    EXPECT_EQ(Bunki::getDia(sw, 3), 0);
    EXPECT_EQ(Bunki::getDia(sw, 5), 1);
    EXPECT_FALSE(Bunki::pasteDia(sw, std::vector<int8_t>(3)));
    EXPECT_EQ(Bunki::getDia(-1, 0), -1);
    EXPECT_EQ(Bunki::searchIndex(1000, 2000), (std::vector<int32_t>{sw}));
    EXPECT_EQ(Bunki::searchIndex_be(1000, 2000, 0), sw);
    EXPECT_EQ(Bunki::searchIndex_be(1000, 2000, 1), -1);
    // Shown half a mesh from the point along the branch (30 degrees):
    // (1000 + 25, 2000 + 43) lies in mesh (10, 20).
    EXPECT_EQ(Bunki::searchIndex_myx(Bunki::m_my[sw], Bunki::m_mx[sw]), (std::vector<int32_t>{sw}));
    EXPECT_EQ(Bunki::m_my[sw], 10);
    EXPECT_EQ(Bunki::m_mx[sw], 20);
    // Removing the branch removes the switch with it.
    Heisoku::removeRail(Rail::getAll_RYX(1250, 2433)[0]);
    EXPECT_EQ(Bunki::count(), 0);
    EXPECT_EQ(Rail::count(), 1);  // and the line is whole again
}

TEST_F(SwitchTest, BranchesBeyondTheLimitAreBuiltWithoutASwitch) {
    // 16 lines of 256 branches make the 4096 switches the store holds.
    for (int line = 0; line < 17; ++line) {
        int32_t y = 1000 + 1400 * line;
        RailCommands::layPiece(0, 21, RailPoint{0, y, 0}, RailPoint{0, y, 20000});
        for (int i = 0; i < 256 && (line < 16 || i < 1); ++i) {
            int32_t x = 200 + 75 * i;
            ASSERT_GE(RailCommands::layPiece(0, 21, RailPoint{0, y, x}, RailPoint{0, y + 50, x + 87}), 0);
        }
    }
    EXPECT_EQ(Bunki::count(), 4096);
    EXPECT_EQ(Bunki::addIndex(), -1);
    // The 4097th branch joins its line without splitting it.
    const int32_t y = 1000 + 1400 * 16;
    EXPECT_EQ(Bunki::searchIndex(0, y, 200), -1);
    EXPECT_EQ(Rail::getAll_StartEnd(0, y, 200).size(), 1u);
}

}  // namespace
}  // namespace tetsuro::test
