// Placing trains, moving their car chains, reversing, and the sections they
// hold.
#include "rail/signal.h"
#include "support/sub.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

class TrainChainTest : public TrainTest {
protected:
    // A straight line running east from x = 1000 to x = 6000 at y = 5000.
    void straight() { ASSERT_GE(lay(5000, 1000, 5000, 6000), 0); }
};

TEST_F(TrainChainTest, PlacingCentresTheHeadCarOnThePointAndSpacesTheCars) {
    addType(u8"長車", 100, 209);  // type 2
    straight();
    struct Case {
        int32_t type, cars, x;
        int64_t headFront, lastRear;  // dm from the line's east end
    };
    // 10 x 200 dm: head at +-99 round the point; 99 x 209 dm reaches past
    // 2^31 track units.
    for (const Case c : {Case{0, 10, 4000, 1901, 2000 + 99 + 9 * 200},
                         Case{2, 99, 5000, 1000 - 103, 1000 - 103 + 98 * 209 + 207}}) {
        SCOPED_TRACE(c.cars);
        const int32_t ti = placed(c.type, c.type, c.cars, 5000, c.x, 0, 1);
        EXPECT_EQ(Train::getRP(ti, 0), c.headFront * kUnit);
        EXPECT_EQ(Train::getRP(ti, 2 * c.cars - 1), c.lastRear * kUnit);
        EXPECT_EQ(Train::length_um(ti), int64_t{c.cars} * TrainSpec::getLength(c.type) * kUnit);
        for (int32_t p = 0; p < 2 * c.cars; ++p) EXPECT_EQ(Train::getRI(ti, p), Train::getRI(ti, 0));
        sound();
        Train::setNonPlacement(ti);
    }
    const int32_t ti = Train::toIndex(0);
    ASSERT_TRUE(Train::setRail(ti, 5000, 4000, 0, 1));
    EXPECT_EQ(Train::getRYX(ti, 0), (std::array<int32_t, 2>{5000, 4099}));
    EXPECT_EQ(Train::getRYX(ti, 1), (std::array<int32_t, 2>{5000, 3901}));
    EXPECT_EQ(Train::getRCYX(ti, 0), (std::array<int32_t, 2>{5000, 4000}));
    EXPECT_EQ(Train::getAngleYX360(ti, 0), 0);
    EXPECT_EQ(Train::getVectorYX(ti, 1), (std::array<int64_t, 2>{0, 198}));
}

TEST_F(TrainChainTest, PlacingIsRefusedOffTheRailOrOnASectionAnotherTrainHolds) {
    straight();
    const int32_t first = placed(0, 0, 1, 5000, 3000, 0, 1);
    const int32_t second = Train::add(1, 0, 1, 24000);
    EXPECT_FALSE(Train::setRail(second, 5000, 3000, 0, 1));
    EXPECT_FALSE(Train::setRail(second, 5001, 3000, Train::getRI(first, 0)));
    EXPECT_FALSE(Train::setRail(second, 5000, 3000, -1));
    EXPECT_FALSE(Train::isPlaced(second));
    Train::setNonPlacement(first);
    EXPECT_TRUE(Train::setRail(second, 5000, 3000, 0, -1));
}

TEST_F(TrainChainTest, ReversingTwiceGivesBackTheTrain) {
    straight();
    const int32_t ti = placed(0, 0, 3, 5000, 3000, 0, 1);
    Train::moveChain(ti, 1234567);
    const int32_t head = Train::headCar(ti);
    std::vector<TrainDirection::End> before;
    for (int32_t p = 0; p < 6; ++p) before.push_back(end(ti, p));
    ASSERT_TRUE(Train::reverse(ti, true));
    EXPECT_EQ(end(ti, 0), TrainDirection::turned(before[5]));
    EXPECT_NE(Train::headCar(ti), head);
    sound();
    ASSERT_TRUE(Train::reverse(ti, true));
    EXPECT_EQ(Train::headCar(ti), head);
    for (int32_t p = 0; p < 6; ++p) EXPECT_EQ(end(ti, p), before[size_t(p)]);
}

TEST_F(TrainChainTest, ReversingFailsWhenTheNewHeadWouldLieBeyondItsRail) {
    straight();
    // 10 cars centred 100 dm from the west end: the last car's rear end lies
    // 1799 dm beyond it.
    const int32_t ti = placed(0, 0, 10, 5000, 1100, 0, 1);
    const auto head = end(ti, 0);
    EXPECT_FALSE(Train::reverse(ti, true));
    EXPECT_EQ(end(ti, 0), head);
    // Once the whole train is on the line it can turn.
    Train::moveChain(ti, 1798 * kUnit);
    EXPECT_FALSE(Train::reverse(ti, true));
    Train::moveChain(ti, 1 * kUnit);
    EXPECT_TRUE(Train::reverse(ti, true));
}

TEST_F(TrainChainTest, AHeadPastItsRailEndIsMovedBackBeforeTurning) {
    straight();
    const int32_t ti = placed(0, 0, 2, 5000, 5000, 0, 1);
    EXPECT_TRUE(Train::moveChain(ti, Train::getRP(ti, 0) + 7 * kUnit));
    EXPECT_EQ(Train::getRP(ti, 0), -7 * kUnit);
    ASSERT_TRUE(Train::reverse(ti, true));
    // The old head's front end is now the last end, at the line's end.
    EXPECT_EQ(end(ti, 3), TrainDirection::turned({heading(5000, 3000, 0, 1), 0}));
}

TEST_F(TrainChainTest, AWaitingTrainKeepsWaitingWhenReversed) {
    straight();
    const int32_t ti = placed(0, 0, 1, 5000, 3000, 0, 1);
    Train::m_SP[size_t(ti)] = -60;
    Train::m_ac[size_t(ti)] = 2;
    ASSERT_TRUE(Train::reverse(ti, true));
    EXPECT_EQ(Train::m_SP[size_t(ti)], -60);
    Train::m_SP[size_t(ti)] = 300;
    ASSERT_TRUE(Train::reverse(ti, true));
    EXPECT_EQ(Train::m_SP[size_t(ti)], 0);
    EXPECT_EQ(Train::m_ac[size_t(ti)], 0);
}

// Two sections meeting at a signal at x = 3000.
class TrainSectionTest : public TrainChainTest {
protected:
    void SetUp() override {
        TrainChainTest::SetUp();
        straight();
        ASSERT_TRUE(RailCommands::setSignalAt(5000, 3000));
        west = heading(5000, 2000, 0, 1);
        east = heading(5000, 4000, 0, 1);
        ASSERT_NE(Rail::getHS(west), Rail::getHS(east));
    }
    int32_t holder(int32_t r) const { return Heisoku::getTI_ri(r); }
    int32_t west = -1, east = -1;
};

TEST_F(TrainSectionTest, ACarSpanningTwoRailsHoldsBothSectionsUntilItLeavesOne) {
    const int32_t ti = placed(0, 0, 1, 5000, 2800, 0, 1);
    EXPECT_EQ(holder(west), ti);
    EXPECT_EQ(holder(east), -1);
    // Entering the east section: the rear end is still on the west one.
    EXPECT_TRUE(Train::moveChain(ti, Train::getRP(ti, 0)));
    ASSERT_TRUE(Train::moveRail(ti, TrainDirection::nextRail(west)));
    EXPECT_EQ(holder(west), ti);
    EXPECT_EQ(holder(east), ti);
    // The signal at the entry of each held section shows stop.
    EXPECT_EQ(Signal::m_st[size_t(Rail::getSignal(TrainDirection::travel(east)))], Signal::kStop);
    Train::moveChain(ti, 200 * kUnit);
    EXPECT_EQ(holder(west), -1);
    EXPECT_EQ(holder(east), ti);
    EXPECT_EQ(Train::m_held[size_t(ti)], std::vector<int16_t>{int16_t(Rail::getHS(east))});
}

TEST_F(TrainSectionTest, ARefusedMoveLeavesTheHeadWhereItWas) {
    const int32_t ti = placed(0, 0, 1, 5000, 2500, 0, 1);
    placed(1, 0, 1, 5000, 4000, 0, 1);
    Train::moveChain(ti, Train::getRP(ti, 0) + 3 * kUnit);
    const auto head = end(ti, 0);
    const auto held = Train::m_held[size_t(ti)];
    EXPECT_FALSE(Train::moveRail(ti, TrainDirection::nextRail(west)));
    EXPECT_EQ(end(ti, 0), head);
    EXPECT_EQ(Train::m_held[size_t(ti)], held);
    EXPECT_EQ(holder(east), Train::toIndex(1));
}

TEST_F(TrainSectionTest, TakingATrainOffFreesItsSectionsAndRiders) {
    const int32_t ti = placed(0, 0, 1, 5000, 2950, 0, 1);
    Train::addPassenger(ti, 50);
    Train::setNonPlacement(ti);
    EXPECT_EQ(holder(west), -1);
    EXPECT_EQ(Train::getTakeP(ti), 0);
    EXPECT_EQ(Train::m_NF[size_t(ti)], Train::kNotPlaced);
    EXPECT_EQ(trainHooks.takenOff, std::vector<int32_t>{ti});
    EXPECT_TRUE(Train::sell(ti));
}

}  // namespace

}  // namespace tetsuro::testing
