// The direction conventions of train_direction.h, each on the same
// three-piece junction: a line running east, split at x = 2000 by a branch
// leaving north-east at 30 degrees (a switch, three sections, signals at
// the junction).
#include "rail/signal.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

using namespace TrainDirection;

class TrainDirectionTest : public TrainTest {
protected:
    void SetUp() override {
        TrainTest::SetUp();
        ASSERT_GE(lay(5000, 1000, 5000, 3000), 0);
        ASSERT_GE(lay(5000, 2000, 5500, 2866), 0);
        ASSERT_EQ(Rail::count(), 3);
        west = heading(5000, 1500, 0, 1);
        east = heading(5000, 2500, 0, 1);
        branch = heading(5250, 2433, 500, 866);
        ASSERT_TRUE(west >= 0 && east >= 0 && branch >= 0);
    }

    // A one-car train (200 dm) centred at x = 1500, heading east.
    int32_t eastbound() { return placed(0, 0, 1, 5000, 1500, 0, 1); }

    static std::array<int64_t, 2> startYX(int32_t r) { return {Rail::getSY(r), Rail::getSX(r)}; }

    int32_t west = -1, east = -1, branch = -1;
};

TEST_F(TrainDirectionTest, AReferenceStartsWhereTheCarIsHeadingAndPositionsCountDownToIt) {
    const int32_t ti = eastbound();
    EXPECT_EQ(Train::getRI(ti, 0), west);
    EXPECT_EQ(startYX(west), (std::array<int64_t, 2>{5000, 2000}));
    // 500 dm from the centre to the junction, the front end 99 ahead of it.
    EXPECT_EQ(Train::getRP(ti, 0), 401 * kUnit);
    EXPECT_FALSE(Train::moveChain(ti, 100 * kUnit));
    EXPECT_EQ(Train::getRP(ti, 0), 301 * kUnit);
    ASSERT_TRUE(Train::renewRZYX(ti));
    EXPECT_EQ(Train::getRYX(ti, 0), (std::array<int32_t, 2>{5000, 1699}));
    EXPECT_TRUE(Train::moveChain(ti, 301 * kUnit));
}

TEST_F(TrainDirectionTest, TheFlippedReferenceIsWhatTheJunctionRuleTakes) {
    const int32_t r = Train::getRI(eastbound(), 0);
    // Travelling east into the junction: straight on, or the branch.
    EXPECT_EQ(Rail::getConnect(travel(r), 0), RailRef::flip(east));
    EXPECT_EQ(Rail::getConnect(travel(r), 1), RailRef::flip(branch));
    // The unflipped reference looks back at the line's dead end.
    EXPECT_EQ(Rail::getConnect(r, 0), -1);
}

TEST_F(TrainDirectionTest, TheNextRailIsTheFlippedSuccessor) {
    const int32_t ti = eastbound();
    const int32_t r = Train::getRI(ti, 0);
    EXPECT_EQ(successor(r, 0), east);
    EXPECT_EQ(successor(r, 1), branch);
    EXPECT_EQ(startYX(east), (std::array<int64_t, 2>{5000, 3000}));
    // The switch is straight: the head runs 5 past the junction onto the east piece.
    ASSERT_EQ(nextRail(r), east);
    EXPECT_TRUE(Train::moveChain(ti, 406 * kUnit));
    ASSERT_TRUE(Train::moveRail(ti, nextRail(r)));
    EXPECT_EQ(Train::getRP(ti, 0), 995 * kUnit);
    ASSERT_TRUE(Train::renewRZYX(ti));
    EXPECT_EQ(Train::getRYX(ti, 0), (std::array<int32_t, 2>{5000, 2005}));
}

TEST_F(TrainDirectionTest, TheEntrySignalStandsAtTheStartOfTheFlippedRail) {
    const int32_t entry = Rail::getSignal(travel(east));
    ASSERT_GE(entry, 0);
    ASSERT_TRUE(Signal::setSt(entry, Signal::kCaution));
    EXPECT_EQ(entrySignalSpeed(east), 9);
    // east's own start is the far end of the line.
    EXPECT_EQ(Rail::getSignalSP(east), 100);
    ASSERT_TRUE(Signal::setSt(entry, Signal::kProceed));
    EXPECT_EQ(entrySignalSpeed(east), 100);
}

TEST_F(TrainDirectionTest, APlatformEndMatchesTheFlippedHeadRail) {
    // A platform on the branch, its end reference pointing into it from the junction.
    const int32_t platformEnd = Rail::getConnect(travel(west), 1);
    ASSERT_EQ(platformEnd, RailRef::flip(branch));
    EXPECT_TRUE(platformMatches(branch, platformEnd));
    // A head on the branch heading back toward the junction does not enter there.
    EXPECT_FALSE(platformMatches(RailRef::flip(branch), platformEnd));
    EXPECT_FALSE(platformMatches(-1, -1));
}

}  // namespace

}  // namespace tetsuro::testing
