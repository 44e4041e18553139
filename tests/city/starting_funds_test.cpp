#include "city/starting_funds.h"

#include <gtest/gtest.h>

namespace tetsuro {
namespace {

TEST(StartingFunds, FollowTheLandAndTheStage) {
    EXPECT_EQ(startingFunds(StartMode::Free, 256, 256, 100), 10000000);
    EXPECT_EQ(startingFunds(StartMode::VacantLand, 256, 256, 100), 100000000);
    // The area is divided before it is multiplied: a map just short of
    // one unit of land gets nothing.
    EXPECT_EQ(startingFunds(StartMode::Free, 256, 255, 100), 9000000);
    EXPECT_EQ(startingFunds(StartMode::Free, 64, 64, 25), 0);
    EXPECT_EQ(startingFunds(StartMode::Free, -256, 256, 100), 0);
    EXPECT_EQ(mapArea(32767, 32767, 400), int64_t(32767) * 32767 * 40);
    EXPECT_EQ(stageStartingFunds(1), 100000);
    EXPECT_EQ(stageStartingFunds(2), -200000);
}

}  // namespace
}  // namespace tetsuro
