// The train and car tables: numbering, names, car records, riders, value,
// the train list, and bringing the trains in step after a load.
#include "trains/train_list_text.h"
#include "trains/train_load.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

using TrainStoreTest = TrainTest;

TEST_F(TrainStoreTest, TrainsAreFoundByNumberAndStartOffTheTrack) {
    const int32_t ti = Train::add(7, 0, 3, 24000);
    ASSERT_EQ(ti, 0);
    EXPECT_EQ(Train::toIndex(7), ti);
    EXPECT_EQ(Train::toIndex(8), -1);
    EXPECT_TRUE(Train::isNonPurchaseFromNo(8));
    EXPECT_TRUE(Train::isNonPlacementFromNo(7));
    EXPECT_EQ(Train::m_Clr[0], 0x123456);
    EXPECT_EQ(Train::getName(ti).toUtf8(), "試験車");
    EXPECT_EQ(Train::m_Signal[0], Train::kNoSignalLimit);
    EXPECT_EQ(Train::m_DiaIdx[0], -1);
    // Refused: a taken number, a number beyond the list, a missing type, 0 or 100 cars.
    for (auto [tn, tp, rc] : {std::array{7, 0, 1}, {1000, 0, 1}, {1, 5, 1}, {1, 0, 0}, {1, 0, 100}}) {
        EXPECT_EQ(Train::add(tn, tp, rc, 24000), -1) << tn << " " << tp << " " << rc;
    }
    EXPECT_EQ(Train::count(), 1);
}

TEST_F(TrainStoreTest, NamesAreTrimmedAndCutTo18BytesOnACharacterBoundary) {
    const int32_t ti = Train::add(0, 0, 1, 24000);
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQR"},
        {"ABCDEFGHIJKLMNOPQあ", "ABCDEFGHIJKLMNOPQ"},
        {"あいうえおかきくけこ", "あいうえおかきくけ"},
        {"  快速  ", "快速"},
        {"", ""},
    };
    for (const Case& c : cases) {
        Train::setName(ti, J_String::fromUtf8(c.in));
        EXPECT_EQ(Train::getName(ti).toUtf8(), c.out);
        const size_t n = Train::getName(ti).getBytes().size();
        for (size_t b = n; b < Train::kNameBytes; ++b) EXPECT_EQ(Train::m_sName[b], 0) << c.in;
    }
}

TEST_F(TrainStoreTest, CarRecordsAreReusedLowestFirstAndCappedAt32767) {
    for (int32_t tn = 0; tn < 330; ++tn) ASSERT_GE(Train::add(tn, 0, 99, 24000), 0);
    EXPECT_EQ(Train_rs::count(), 32670);
    EXPECT_EQ(Train::add(330, 0, 98, 24000), -1);
    EXPECT_EQ(Train_rs::count(), 32670);
    ASSERT_GE(Train::add(330, 0, 97, 24000), 0);
    EXPECT_EQ(Train_rs::count(), Train_rs::kMax);
    EXPECT_EQ(Train::add(331, 0, 1, 24000), -1);
    // Selling the sixth train frees records 495..593; a new train takes the lowest.
    ASSERT_EQ(Train::headCar(Train::toIndex(5)), 495);
    ASSERT_TRUE(Train::sell(Train::toIndex(5)));
    const int32_t ti = Train::add(331, 0, 3, 24000);
    ASSERT_EQ(ti, 5);
    EXPECT_EQ(Train::headCar(ti), 495);
    EXPECT_EQ(Train::lastCar(ti), 497);
}

TEST_F(TrainStoreTest, BoardingStopsAt255PercentOfTheSeats) {
    const int32_t ti = Train::add(0, 0, 10, 24000);
    EXPECT_EQ(Train::getCapacity(ti), 1000);
    EXPECT_EQ(Train::addPassenger(ti, 2400), 2400);
    EXPECT_EQ(Train::addPassenger(ti, 3000), 150);
    EXPECT_EQ(Train::getTakeP(ti), 2550);
    EXPECT_EQ(Train::getTakeRate(ti), 255);
    EXPECT_EQ(Train::addPassenger(ti, 1), 0);
}

TEST_F(TrainStoreTest, CarsLoseTheirValueOverThirteenYears) {
    const int32_t ti = Train::add(0, 0, 2, 24000);  // 100 km/h: 140000 a car
    for (auto [ym, value] : {std::pair{24000, 280000}, {24078, 140000}, {24155, 1796}, {24156, 0}, {30000, 0}}) {
        EXPECT_EQ(Train::getValue(ti, ym), value) << ym;
    }
}

TEST_F(TrainStoreTest, TheListShowsNumberPlaceAndName) {
    ASSERT_GE(lay(5000, 1000, 5000, 6000), 0);
    Train::add(1, 0, 1, 24000);
    placed(2, 0, 1, 5000, 3000, 0, 1);
    const std::string blanks32(32, ' ');
    const std::string name = "試験車" + std::string(32 - 6, ' ');
    EXPECT_EQ(Train::getListRow(0).toUtf8(), "000  ---------  " + blanks32);
    EXPECT_EQ(Train::getListRow(1).toUtf8(), "001   未配置    " + name);
    EXPECT_EQ(Train::getListRow(2).toUtf8(), "002 (  30,  50) " + name);
    for (int32_t n : {0, 1, 2}) EXPECT_EQ(Train::getListRow(n).getBytes().size(), 4u + 11 + 1 + 32);
}

class TrainLoadTest : public TrainTest {
protected:
    // A line east with a branch at x = 3000; a 200 dm car straddling the
    // switch, its head on the branch.
    void SetUp() override {
        TrainTest::SetUp();
        ASSERT_GE(lay(5000, 1000, 5000, 6000), 0);
        ASSERT_GE(lay(5000, 3000, 5500, 3866), 0);
        straddling = placed(0, 0, 1, 5000, 2850, 0, 1);
        Train::moveChain(straddling, Train::getRP(straddling, 0));
        ASSERT_TRUE(Train::moveRail(straddling, TrainDirection::successor(Train::getRI(straddling, 0), 1)));
        Train::moveChain(straddling, 50 * kUnit);
        other = placed(1, 1, 2, 5000, 5000, 0, 1);
    }
    int32_t straddling = -1, other = -1;
};

TEST_F(TrainLoadTest, PathsAreRebuiltFromTheCarEnds) {
    const auto rear = end(straddling, 1);
    Train::afterLoad();
    EXPECT_TRUE(Train::isPlaced(straddling));
    EXPECT_EQ(end(straddling, 1), rear);
    sound();
    // The rear end follows the head onto the branch.
    Train::moveChain(straddling, rear.pos + kUnit);
    EXPECT_EQ(Train::getRI(straddling, 1), Train::getRI(straddling, 0));
}

TEST_F(TrainLoadTest, TrainsOfAMissingTypeOrWithEndsOffTheTrackAreTakenOff) {
    TrainSpec::s_o.pop_back();  // type 1 is gone
    Train::afterLoad();
    EXPECT_TRUE(Train::isPlaced(straddling));
    EXPECT_FALSE(Train::isPlaced(other));
    EXPECT_EQ(Heisoku::getTI_ri(heading(5000, 5000, 0, 1)), -1);
    sound();
    // A front end that no way along the track joins to its rear end.
    Train_rs::m_ari[2 * size_t(Train::headCar(straddling))] = heading(5000, 5000, 0, 1);
    Train::afterLoad();
    EXPECT_FALSE(Train::isPlaced(straddling));
}

TEST_F(TrainLoadTest, BrokenChainsAreDroppedWithTheirCars) {
    Train_rs::m_ac[2 * size_t(Train::lastCar(other))] = -1;  // the last car claims to be a head
    Train::afterLoad();
    EXPECT_FALSE(Train::isValid(other));
    EXPECT_EQ(Train_rs::count(), 1);
}

}  // namespace

}  // namespace tetsuro::testing
