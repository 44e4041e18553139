// Track edits under a placed train: the car ends stay where they were in
// space, re-mapped onto the new pieces, or the train leaves the track.
#include <functional>

#include "rail/rail_topology.h"
#include "rail/reconcile.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

class TrainRailEditTest : public TrainTest {
protected:
    void SetUp() override {
        TrainTest::SetUp();
        ASSERT_GE(lay(5000, 1000, 5000, 6000), 0);
    }

    // Every end's position in space.
    static std::vector<std::array<double, 3>> points(int32_t ti) {
        std::vector<std::array<double, 3>> v;
        for (int32_t p = 0; p < 2 * Train::carCount(ti); ++p) v.push_back(TrainDirection::point(end(ti, p)));
        return v;
    }

    static int32_t pieceAt(int64_t x) { return RailRef::index(Rail::getAll_RYX(5000, x).at(0)); }
};

TEST_F(TrainRailEditTest, EndsStayPutWhenTheTrackUnderThemIsSplitMergedReversedOrLengthened) {
    struct Case {
        const char* name;
        std::function<void()> edit;
    };
    const std::vector<Case> cases{
        {"split under the train", [] { ASSERT_TRUE(RailCommands::setSignalAt(5000, 2800)); }},
        {"split ahead of it", [] { ASSERT_TRUE(RailCommands::setSignalAt(5000, 4000)); }},
        {"split and merged again",
         [] {
             ASSERT_TRUE(RailCommands::setSignalAt(5000, 2800));
             ASSERT_TRUE(RailCommands::eraseSignalAt(5000, 2800));
             ASSERT_EQ(Rail::count(), 1);
         }},
        {"reversed", [] { ASSERT_TRUE(Rail::reverse(pieceAt(3000))); }},
        {"lengthened at its To end", [] { ASSERT_EQ(lay(5000, 6000, 5000, 7000), pieceAt(3000)); }},
        {"lengthened at its From end", [] { ASSERT_EQ(lay(5000, 500, 5000, 1000), pieceAt(3000)); }},
    };
    for (const Case& c : cases) {
        for (int64_t v : {1, -1}) {
            SCOPED_TRACE(std::string(c.name) + (v > 0 ? " eastbound" : " westbound"));
            RailCore::reset();
            Train::reset();
            ASSERT_GE(lay(5000, 1000, 5000, 6000), 0);
            // Three cars, the head car centred on x = 2800.
            const int32_t ti = placed(0, 0, 3, 5000, 2800, 0, v);
            const auto before = points(ti);
            c.edit();
            ASSERT_TRUE(Train::isPlaced(ti));
            const auto after = points(ti);
            for (size_t p = 0; p < before.size(); ++p) {
                for (int i = 0; i < 3; ++i) EXPECT_NEAR(after[p][size_t(i)], before[p][size_t(i)], 1e-6) << "end " << p;
            }
            // It holds the section of every piece its ends stand on.
            for (int32_t p = 0; p < 6; ++p) EXPECT_EQ(Heisoku::getTI_ri(Train::getRI(ti, p)), ti);
            sound();
        }
    }
}

TEST_F(TrainRailEditTest, ErasingTrackUnderATrainTakesItOff) {
    ASSERT_TRUE(RailCommands::setSignalAt(5000, 4000));
    const int32_t on = placed(0, 0, 2, 5000, 3000, 0, 1);
    const int32_t beyond = placed(1, 0, 2, 5000, 5000, 0, 1);
    ASSERT_TRUE(Heisoku::removeRail(pieceAt(3000)));
    EXPECT_FALSE(Train::isPlaced(on));
    EXPECT_TRUE(Train::isPlaced(beyond));
    EXPECT_EQ(trainHooks.takenOff, std::vector<int32_t>{on});
    EXPECT_TRUE(Train::m_held[size_t(on)].empty());
    // Taking off every train on a piece (before it is removed).
    Train::setNonPlacement_Rail(heading(5000, 5000, 0, 1));
    EXPECT_FALSE(Train::isPlaced(beyond));
}

TEST_F(TrainRailEditTest, AJoinThatWouldPutTwoTrainsInOneSectionIsRefused) {
    ASSERT_TRUE(RailCommands::setSignalAt(5000, 3000));
    placed(0, 0, 1, 5000, 2000, 0, 1);
    placed(1, 0, 1, 5000, 4000, 0, 1);
    EXPECT_FALSE(RailCommands::eraseSignalAt(5000, 3000));
    // Joined all the same (the rail core's own operation): the later record leaves.
    ASSERT_TRUE(Heisoku::eraseSignalAntennaHeisoku(0, 5000, 3000));
    EXPECT_TRUE(Train::isPlaced(Train::toIndex(0)));
    EXPECT_FALSE(Train::isPlaced(Train::toIndex(1)));
    EXPECT_EQ(trainHooks.takenOff, std::vector<int32_t>{Train::toIndex(1)});
}

TEST_F(TrainRailEditTest, ANewBoundaryUnderATrainIsClaimedByIt) {
    const int32_t ti = placed(0, 0, 3, 5000, 2800, 0, 1);
    ASSERT_TRUE(RailCommands::setSignalAt(5000, 2800));
    EXPECT_EQ(Train::m_held[size_t(ti)].size(), 2u);
    EXPECT_EQ(Heisoku::getTI_ri(Rail::getAll_RYX(5000, 2000).at(0)), ti);
    EXPECT_EQ(Heisoku::getTI_ri(Rail::getAll_RYX(5000, 4000).at(0)), ti);
}

}  // namespace

}  // namespace tetsuro::testing
