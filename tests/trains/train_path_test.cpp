// Trailing car ends follow the rails the head took: through switches and
// over rails shorter than a car, under random moves of two trains.
#include "support/split_mix64.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

using Random = SplitMix64;

class TrainPathTest : public TrainTest {
protected:
    // A line east from x = 1000 to 9000; at x = 3000 a branch leaves at 30
    // degrees north-east as 30 pieces of 20 dm (alternating speed classes,
    // so each stays a piece and a section of its own), then one long piece;
    // at x = 6000 another branch of short pieces leaves south-east.
    void SetUp() override {
        TrainTest::SetUp();
        ASSERT_GE(lay(5000, 1000, 5000, 9000), 0);
        for (int k = 0; k < 30; ++k) {
            ASSERT_GE(lay(5000 + 10 * k, 3000 + 17 * k, 5010 + 10 * k, 3017 + 17 * k, 20 + k % 2), 0);
        }
        ASSERT_GE(lay(5300, 3510, 6300, 5210, 20), 0);
        for (int k = 0; k < 12; ++k) {
            ASSERT_GE(lay(5000 - 10 * k, 6000 + 17 * k, 4990 - 10 * k, 6017 + 17 * k, 20 + k % 2), 0);
        }
        sound();
    }
};

TEST_F(TrainPathTest, TheRearEndTakesTheBranchTheHeadTookAtASwitch) {
    // One 200 dm car heading east, then onto the branch: at the switch its
    // front end is ten short pieces ahead of its rear end.
    const int32_t ti = placed(0, 0, 1, 5000, 2800, 0, 1);
    int32_t firstBranchPiece = -1;
    while (Train::getRP(ti, 1) > 0 && Train::getRI(ti, 1) == Train::getRI(ti, 0)) {
        Train::moveChain(ti, Train::getRP(ti, 0));
        const int32_t next = TrainDirection::successor(Train::getRI(ti, 0), firstBranchPiece < 0 ? 1 : 0);
        ASSERT_GE(next, 0);
        if (firstBranchPiece < 0) firstBranchPiece = next;
        ASSERT_TRUE(Train::moveRail(ti, next));
    }
    for (int i = 0; i < 9; ++i) {
        Train::moveChain(ti, Train::getRP(ti, 0));
        ASSERT_TRUE(Train::moveRail(ti, TrainDirection::successor(Train::getRI(ti, 0), 0)));
    }
    // The rear end is still on the main line, 198 dm behind along the path.
    EXPECT_EQ(Train::distanceAlongPath(ti, 2 * size_t(Train::headCar(ti)) + 1, 2 * size_t(Train::headCar(ti))),
              198 * kUnit);
    const int64_t toSwitch = Train::getRP(ti, 1);
    Train::moveChain(ti, toSwitch + 5 * kUnit);
    EXPECT_EQ(Train::getRI(ti, 1), firstBranchPiece);
    EXPECT_EQ(Train::getRP(ti, 1), 15 * kUnit);
    // Only the sections under the two ends are held.
    EXPECT_EQ(Train::m_held[size_t(ti)].size(), 2u);
}

TEST_F(TrainPathTest, RandomRunsKeepEveryChainWhole) {
    std::vector<int32_t> trains{placed(0, 0, 3, 5000, 2000, 0, 1), placed(1, 1, 4, 5000, 7000, 0, -1)};
    std::vector<bool> stuck(trains.size(), false);
    Random rnd(7);
    int moves = 0, reversals = 0, switches = 0;
    for (int step = 0; step < 4000; ++step) {
        const size_t k = size_t(rnd.below(int64_t(trains.size())));
        const int32_t ti = trains[k];
        if (stuck[k]) continue;
        const int64_t head = Train::getRP(ti, 0);
        if (head > 0) {
            if (rnd.below(60) == 0) {
                reversals += Train::reverse(ti, true);
            } else {
                // Up to 30 dm; now and then a little past the rail's end.
                const int64_t l = rnd.below(30 * kUnit) + 1;
                Train::moveChain(ti, std::min(l, head + (rnd.below(4) == 0 ? rnd.below(3 * kUnit) : 0)));
                ++moves;
            }
        } else {
            const int32_t r = Train::getRI(ti, 0);
            int32_t next = TrainDirection::successor(r, int(rnd.below(2)));
            if (next < 0) next = TrainDirection::successor(r, 0);
            switches += next >= 0 && TrainDirection::successor(r, 1) >= 0;
            if (next < 0 || !Train::moveRail(ti, next)) {
                if (Train::reverse(ti, true)) {
                    ++reversals;
                } else {
                    stuck[k] = true;
                }
            }
        }
        const auto problems = Train::checkTrainInvariants();
        ASSERT_TRUE(problems.empty()) << "step " << step << "\n" << lines(problems);
    }
    EXPECT_GT(moves, 1000);
    EXPECT_GT(reversals, 10);
    EXPECT_GT(switches, 10);
}

}  // namespace

}  // namespace tetsuro::testing
