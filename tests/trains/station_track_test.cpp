// The rail core's platform rules seen from the track: blocks end where
// platforms end, platform rails are not lengthened, merged or branched,
// signals inside a platform, two platforms meeting, and removing the track
// under a platform.
#include "station_fixture.h"

namespace tetsuro::test {
namespace {

class PlatformTrackTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_GE(lay(kY, 2000, kY, 12000), 0);
    }
    static constexpr int32_t kY = 10000;
    int32_t piece(int32_t x0, int32_t x1) { return platform(kY, x0, kY, x1); }
    static int32_t railAt(int32_t x) {
        auto v = Rail::getAll_RYX(kY, x);
        return v.empty() ? -1 : v[0];
    }
};

TEST_F(PlatformTrackTest, APlatformRailIsNotBranchedFromOrLengthened) {
    ASSERT_GE(piece(8000, 12000), 0);
    const int32_t ri = railAt(10000);
    const int32_t rails = Rail::count();
    // A branch at 30 degrees from inside the platform makes no switch and
    // leaves the platform's rail whole.
    lay(kY, 10000, kY + 1000, 10000 + 1732);
    EXPECT_EQ(Bunki::count(), 0);
    EXPECT_EQ(Rail::count(), rails + 1);
    EXPECT_EQ(railAt(9000), ri);
    sound();
    // Track laid on from the platform's dead end is a new piece with a
    // block of its own, and a boundary where the platform ends.
    ASSERT_GE(lay(kY, 12000, kY, 14000), 0);
    EXPECT_EQ(Rail::m_iTX[ri] == 12000 || Rail::m_iFX[ri] == 12000, true);
    EXPECT_EQ(marker(kY, 12000), 1);
    EXPECT_NE(sectionAt(kY, 11000), sectionAt(kY, 13000));
}

TEST_F(PlatformTrackTest, ASignalInsideAPlatformCutsItsPiece) {
    const int32_t fb = piece(5000, 7000);
    const int32_t fi = FoBuild::m_fo[fb];
    ASSERT_TRUE(RailCommands::setSignal(0, kY, 6000));
    sound();
    EXPECT_EQ(marker(kY, 6000), 3);
    EXPECT_EQ(FoBuild::count(), 2);
    EXPECT_EQ(Form::pieces(fi).size(), 2u);
    EXPECT_EQ(Form::getLength(fi), 2000);
    EXPECT_NE(Form::getFB(fi, 0), Form::getFB(fi, 1));
    // Each part lies on its own rail, and both still count as the platform.
    EXPECT_EQ(Form::searchIndex_ri(railAt(5500)), fi);
    EXPECT_EQ(Form::searchIndex_ri(railAt(6500)), fi);
    EXPECT_EQ(Station::meshIndex().entries().size(), Station::meshIndex().size());
}

TEST_F(PlatformTrackTest, TwoPlatformsMeetingKeepABoundaryBetweenThem) {
    const int32_t fb = piece(5000, 6000);
    const int32_t si = Form::getSt(FoBuild::m_fo[fb]);
    // A station file names a second platform of the same station: the piece
    // touching the first joins the named platform instead.
    const int32_t fi2 = Form::add(si);
    ASSERT_GE(fi2, 0);
    const int32_t fb2 = stations().constructFoBuild(false, at(kY, 6000), at(kY, 7000), si, fi2);
    ASSERT_GE(fb2, 0);
    sound();
    EXPECT_EQ(FoBuild::m_fo[fb2], fi2);
    EXPECT_EQ(Form::m_no[fi2], 1);
    EXPECT_EQ(marker(kY, 6000), 1);
    EXPECT_NE(sectionAt(kY, 5500), sectionAt(kY, 6500));
    // Removing the first leaves the second's boundary standing.
    EXPECT_EQ(stations().removeFoBuild(at(kY, 5000), at(kY, 6000)), 1000);
    sound();
    EXPECT_EQ(marker(kY, 6000), 1);
    EXPECT_EQ(marker(kY, 5000), -1);
}

TEST_F(PlatformTrackTest, RemovingTheTrackUnderAPlatform) {
    // Two lines with a three-piece platform each.
    constexpr int32_t kY2 = 14000;
    ASSERT_GE(lay(kY2, 2000, kY2, 12000), 0);
    for (int32_t y : {kY, kY2}) {
        for (auto [x0, x1] : {std::pair{5000, 6000}, {6000, 7000}, {7000, 8000}}) {
            ASSERT_GE(platform(y, x0, y, x1), 0);
        }
    }
    auto railAtY = [](int32_t y, int32_t x) { return Rail::getAll_RYX(y, x)[0]; };
    const int32_t s1 = Form::getSt(FoBuild::m_fo[FoBuild::searchIndex(0, kY, 5500)[0]]);
    const int32_t s2 = Form::getSt(FoBuild::m_fo[FoBuild::searchIndex(0, kY2, 5500)[0]]);
    ASSERT_NE(s1, s2);

    // The end rail: its piece goes, the rest of the platform stays, ending
    // at what is now a dead end.
    ASSERT_TRUE(Heisoku::removeRail(railAtY(kY, 7500)));
    sound();
    EXPECT_EQ(Form::pieces(FoBuild::m_fo[FoBuild::searchIndex(0, kY, 5500)[0]]).size(), 2u);
    EXPECT_EQ(marker(kY, 7000), 0);
    EXPECT_EQ(map().getMapTyp(100, 76), LAND_TRACK);
    EXPECT_TRUE(hooks->removed.empty());

    // The middle rail: two neighbours, so the whole platform goes with its
    // station, and its far boundaries with it.
    ASSERT_TRUE(Heisoku::removeRail(railAtY(kY2, 6500)));
    sound();
    EXPECT_FALSE(Station::isValid(s2));
    EXPECT_TRUE(Station::isValid(s1));
    EXPECT_EQ(hooks->removed, std::vector<int32_t>{s2});
    EXPECT_TRUE(FoBuild::searchIndex(0, kY2, 5500).empty());
    EXPECT_EQ(marker(kY2, 5000), -1);
    EXPECT_EQ(marker(kY2, 8000), -1);
    EXPECT_EQ(marker(kY2, 6000), 0);
    EXPECT_EQ(marker(kY2, 7000), 0);
    EXPECT_EQ(sectionAt(kY2, 3000), sectionAt(kY2, 5500));
    EXPECT_EQ(sectionAt(kY2, 7500), sectionAt(kY2, 11000));
    EXPECT_EQ(map().getMapTyp(140, 65), LAND_TRACK);
}

TEST_F(PlatformTrackTest, RemovingTheLastPieceJoinsTheBlocksAgain) {
    ASSERT_GE(piece(5000, 7000), 0);
    const int32_t sections = Heisoku::count();
    ASSERT_EQ(sections, 3);
    EXPECT_EQ(stations().removeFoBuild(at(kY, 7000), at(kY, 5000)), 2000);
    EXPECT_EQ(Heisoku::count(), 1);
    EXPECT_EQ(Rail::count(), 1);
    EXPECT_EQ(Antenna::count(), 2);
    EXPECT_EQ(Signal::count(), 2);
}

}  // namespace
}  // namespace tetsuro::test
