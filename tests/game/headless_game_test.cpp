#include "game/headless_game.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "game/game_clock.h"
#include "support/connector.h"

namespace tetsuro {

// The same options give the same game, whatever the frame rate.
TEST(HeadlessGame, RunsRepeatAndDoNotDependOnTheFrameRate) {
    auto run = [](int fps, int speed) {
        HeadlessGameOptions opt;
        opt.fps = fps;
        opt.speed = speed;
        HeadlessGame g(opt);
        EXPECT_TRUE(g.startEmptyGame());
        EXPECT_TRUE(g.runTicks(48 * kTicksPerHour, 10000000));
        EXPECT_EQ(g.canvas().clock(), kNewGameClock + 48 * kTicksPerHour);
        return g.checksum();
    };
    const uint64_t a = run(60, 22);
    EXPECT_EQ(a, run(60, 22));
    EXPECT_EQ(a, run(15, 22));
    EXPECT_EQ(run(60, 4), run(30, 4));
}

}  // namespace tetsuro

namespace tetsuro {

TEST(HeadlessGame, RunsInItsOwnDataFolder) {
    const std::string before = Connector::dataDir();
    std::string during;
    {
        HeadlessGame g(HeadlessGameOptions{});
        during = Connector::dataDir();
        EXPECT_NE(during, before);
        EXPECT_TRUE(std::filesystem::is_directory(during));
    }
    EXPECT_EQ(Connector::dataDir(), before);
    EXPECT_FALSE(std::filesystem::exists(during));
}

}  // namespace tetsuro
