// The player's train operations and their money, through the books.
#include <memory>

#include "city/finance.h"
#include "game/game_clock.h"
#include "game/main_canvas.h"
#include "trains/train_commands.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

class TrainCommandsTest : public TrainTest {
protected:
    void SetUp() override {
        TrainTest::SetUp();
        canvas = std::make_unique<MainCanvas>(host, clock);
        canvas->setMeshSize(100);
        canvas->setMapSize(256, 256);
        canvas->startEmptyGame();
        finance.bind(*canvas);
        finance.newGame();
        finance.gameStarted();
        finance.setFund(10000000);
        trains.bind(*canvas);
        addType(u8"快速", 120, 200);  // type 2: 200000 a car
        ASSERT_GE(lay(5000, 1000, 5000, 6000), 0);
    }
    void TearDown() override {
        TrainTest::TearDown();
        canvas.reset();
        // The slot arrays went with the canvas.
        Sub::create(nullptr, nullptr, nullptr, nullptr);
    }

    int64_t la(int i) { return canvas->slots().m_la[size_t(i)]; }

    VirtualClock clock{0};
    RecordingHost host;
    std::unique_ptr<MainCanvas> canvas;
    FinanceHooks books;
    Finance finance{books};
    TrainController trains{finance};
};

TEST_F(TrainCommandsTest, BuyingPaysThePriceIntoTheTrainAssets) {
    const int32_t ti = trains.buy(3, 2, 5, 0xABCDEF);
    ASSERT_GE(ti, 0);
    EXPECT_EQ(la(LA_FUND), 10000000 - 1000000);
    EXPECT_EQ(finance.state().assetsT, 1000000);
    EXPECT_EQ(Train::m_Clr[size_t(ti)], 0xABCDEF);
    EXPECT_EQ(TrainSpec::getColor(2), 0xABCDEF);
    EXPECT_EQ(Train_rs::m_gym[size_t(Train::headCar(ti))], trains.yearMonth());
    EXPECT_EQ(Train::m_diamax, canvas->timeScale().diaMax);
}

TEST_F(TrainCommandsTest, ARefusedPurchaseCostsNothing) {
    finance.setFund(100000);
    EXPECT_EQ(trains.buy(0, 2, 5, 0), -1);  // fund + assets below the price
    EXPECT_EQ(canvas->message().toUtf8(), "資金が足りません");
    finance.setFund(10000000);
    ASSERT_GE(trains.buy(0, 0, 1, 0), 0);
    const int64_t fund = la(LA_FUND);
    EXPECT_EQ(trains.buy(0, 0, 1, 0), -1);    // the row is taken
    EXPECT_EQ(trains.buy(1, 9, 1, 0), -1);    // no such type
    EXPECT_EQ(trains.buy(1, 0, 100, 0), -1);  // too many cars
    // The car records run out: the train cannot be made, so nothing is paid.
    for (int32_t tn = 1; tn <= 330; ++tn) ASSERT_GE(Train::add(tn, 1, 99, 24000), 0);
    EXPECT_EQ(trains.buy(400, 0, 99, 0), -1);
    EXPECT_EQ(la(LA_FUND), fund);
}

TEST_F(TrainCommandsTest, PlacingCostsFiveHundredOnlyWhenItWorks) {
    ASSERT_GE(trains.buy(0, 0, 2, 0), 0);
    ASSERT_GE(trains.buy(1, 0, 2, 0), 0);
    const int64_t fund = la(LA_FUND);
    EXPECT_FALSE(trains.place(0, 0, 5000, 3000, 1, 0));  // no rail runs north there
    EXPECT_FALSE(trains.place(0, 0, 4000, 3000, 0, 1));   // no rail at all
    EXPECT_EQ(la(LA_FUND), fund);
    EXPECT_TRUE(trains.place(0, 0, 5000, 3000, 0, 1));
    EXPECT_EQ(la(LA_FUND), fund - 500);
    EXPECT_FALSE(trains.place(0, 0, 5000, 3000, 0, 1));  // already placed
    EXPECT_FALSE(trains.place(1, 0, 5000, 4000, 0, 1));  // its section is taken
    EXPECT_EQ(la(LA_FUND), fund - 500);
}

TEST_F(TrainCommandsTest, SellingPaysEightyPercentAndBooksTheRestAsLoss) {
    ASSERT_GE(trains.buy(0, 2, 5, 0), 0);
    ASSERT_TRUE(trains.place(0, 0, 5000, 3000, 0, 1));
    EXPECT_FALSE(trains.sell(0));  // placed trains are not sold
    Train::setNonPlacement(Train::toIndex(0));
    const int64_t fund = la(LA_FUND);
    const int64_t loss = la(LA_LOSS);
    ASSERT_TRUE(trains.sell(0));
    EXPECT_EQ(la(LA_FUND) - fund, 800000);
    EXPECT_EQ(la(LA_LOSS) - loss, 200000);
    EXPECT_EQ(finance.state().assetsT, 0);
    EXPECT_TRUE(Train::isNonPurchaseFromNo(0));
    EXPECT_EQ(Train_rs::count(), 0);
}

TEST_F(TrainCommandsTest, APlayerReversalForgetsThePlatformAhead) {
    ASSERT_GE(trains.buy(0, 0, 1, 0), 0);
    ASSERT_TRUE(trains.place(0, 0, 5000, 3000, 0, 1));
    const size_t ti = size_t(Train::toIndex(0));
    // As if running had found platform 4 ahead, 300 dm away.
    Train::m_NF[ti] = 4;
    Train::m_NP[ti] = 300 * kUnit;
    ASSERT_TRUE(trains.reverse(0));
    EXPECT_EQ(Train::m_NF[ti], Train::kNoPlatform);
    EXPECT_EQ(Train::m_NP[ti], Rail::length_um(Train::getRI(int32_t(ti), 0)));
    EXPECT_FALSE(trains.reverse(1));
}

TEST_F(TrainCommandsTest, RenamingAndTheBooksHooks) {
    ASSERT_GE(trains.buy(0, 2, 5, 0), 0);
    EXPECT_TRUE(trains.rename(0, J_String::fromUtf8(" 特急あさひ号ＡＢＣＤＥＦ ")));
    EXPECT_EQ(Train::getName(0).toUtf8(), "特急あさひ号ＡＢＣ");
    EXPECT_FALSE(trains.rename(1, J_String::fromUtf8("x")));
    EXPECT_EQ(trains.trainsValueAt(trains.yearMonth() + 78), 500000);
    trains.chargeTrainIncome(0, 30);
    EXPECT_EQ(Train::m_IncomeY[0], -30);
    trains.resetTrainIncome(IncomePeriod::Month);
    EXPECT_EQ(Train::m_IncomeM[0], 0);
    EXPECT_EQ(Train::m_IncomeD[0], -30);
}

}  // namespace

}  // namespace tetsuro::testing
