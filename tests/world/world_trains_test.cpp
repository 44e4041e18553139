// Trains in a whole world: the catalogue read at start-up, trains bought,
// placed and sold on the world's money, track edits reaching them, and the
// books writing them down month by month.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/game_clock.h"
#include "rail/rail_commands.h"
#include "rail/rail_invariants.h"
#include "support/connector.h"
#include "trains/train_invariants.h"
#include "trains/train_placement.h"
#include "trains/train_queries.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"
#include "world/headless_world.h"

namespace tetsuro {

namespace {

// Every world in this program reads the rolling stock the build generated.
class GeneratedResources : public ::testing::Environment {
public:
    void SetUp() override { Connector::setResourceDir(TETSURO_RESOURCE_DIR); }
    void TearDown() override { Connector::setResourceDir(""); }
};
const auto* const g_resources = ::testing::AddGlobalTestEnvironment(new GeneratedResources);

TEST(WorldTrains, TrainsAreBoughtPlacedAndWrittenDownOnTheWorldsBooks) {
    HeadlessGameOptions opt;
    opt.speed = 22;
    HeadlessWorld w(opt);
    EXPECT_GT(TrainSpec::size(), 0);
    EXPECT_TRUE(w.game().host().messages.empty());
    ASSERT_TRUE(w.startFreeGame(256, 256));
    ASSERT_GE(RailCommands::layPiece(0, 20, RailPoint{0, 1000, 1000}, RailPoint{0, 1000, 6000}), 0);
    auto& la = w.canvas().slots().m_la;
    TrainController& trains = w.world().trains();

    const int64_t fund = la[LA_FUND];
    const int32_t ti = trains.buy(0, 0, 2, 0x336699);
    ASSERT_GE(ti, 0);
    const int64_t price = 2 * TrainSpec::getPrice(0);
    EXPECT_EQ(la[LA_FUND], fund - price);
    ASSERT_TRUE(trains.place(0, 0, 1000, 3000, 0, 1));
    EXPECT_EQ(la[LA_FUND], fund - price - TrainController::kPlacingFee);

    // A signal set under the train splits the track there; the train keeps
    // its place and holds both sections.
    const int32_t headRail = Train::getRI(ti, 0);
    ASSERT_TRUE(RailCommands::setSignal(0, 1000, 3000));
    EXPECT_NE(Train::getRI(ti, 0), headRail);
    EXPECT_EQ(Train::getRI(ti, 3), headRail);
    EXPECT_EQ(Train::m_held[size_t(ti)].size(), 2u);
    EXPECT_TRUE(checkRailInvariants().empty());
    EXPECT_TRUE(Train::checkTrainInvariants().empty());

    // The books write the cars down at every month's end.
    ASSERT_TRUE(w.game().runTicks(32 * kTicksPerDay, 10000000));
    EXPECT_LT(la[LA_ASSET_TRAIN], price);
    EXPECT_EQ(la[LA_ASSET_TRAIN], trains.trainsValueAt(trains.yearMonth()));
    Train::setNonPlacement(ti);
    ASSERT_TRUE(trains.sell(0));
    EXPECT_EQ(w.world().finance().state().assetsT, 0);
}

TEST(WorldTrains, AMissingCatalogueIsReportedOnceInAMessageBox) {
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "tetsuro_no_resources";
    std::filesystem::create_directories(empty);
    Connector::setResourceDir(empty.string());
    {
        HeadlessWorld w(HeadlessGameOptions{});
        EXPECT_EQ(TrainSpec::size(), 0);
        EXPECT_EQ(w.game().host().messages, std::vector<std::string>{"車両データ読み込み失敗！"});
    }
    Connector::setResourceDir(TETSURO_RESOURCE_DIR);
    std::filesystem::remove_all(empty);
}

}  // namespace

}  // namespace tetsuro
