// Platform and yard pieces: building, joining, ends, removal, costs and the
// checks every caller goes through.
#include "station_fixture.h"
#include "trains/station_panels.h"

namespace tetsuro::test {
namespace {

// A straight line along y = 10000 from x = 2000 to 12000 (mesh row 100).
class PlatformTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_GE(lay(kY, 2000, kY, 12000), 0);
    }
    static constexpr int32_t kY = 10000;
    // The rail holding the plan stretch (x0, x1) of the line.
    static int32_t railOf(int32_t x0, int32_t x1) { return Rail::searchIndex(0, kY, x0, 0, kY, x1); }
    // The reference on that rail travelling from x0 toward x1 (building a
    // piece may turn its rail round).
    static int32_t refFrom(int32_t x0, int32_t x1) {
        const int32_t r = railOf(x0, x1);
        return RailRef::make(r, (Rail::m_iTX[r] - Rail::m_iFX[r]) * int64_t{x1 - x0} < 0);
    }
    int32_t piece(int32_t x0, int32_t x1, bool yard = false) { return platform(kY, x0, kY, x1, yard); }
    int64_t remove(int32_t x0, int32_t x1) {
        int64_t l = stations().removeFoBuild(at(kY, x0), at(kY, x1));
        sound();
        return l;
    }
};

TEST_F(PlatformTest, APlatformSplitsTheLineIntoBlocksAndPaysItsLength) {
    const int64_t fund0 = fund();
    EXPECT_EQ(stations().foBuildCost(false, at(kY, 5000), at(kY, 7000)), 200000);
    EXPECT_EQ(stations().foBuildCost(true, at(kY, 5000), at(kY, 7000)), 2000);
    const int32_t fb = piece(5000, 7000);
    ASSERT_EQ(fb, 0);
    EXPECT_EQ(fund(), fund0 - 200000);
    EXPECT_EQ(la(LA_ASSET_STATION), 200000);

    // Boundaries at both ends, one block each side and one on the platform.
    EXPECT_EQ(Rail::count(), 3);
    EXPECT_EQ(marker(kY, 5000), 1);
    EXPECT_EQ(marker(kY, 7000), 1);
    EXPECT_NE(sectionAt(kY, 3000), sectionAt(kY, 6000));
    EXPECT_NE(sectionAt(kY, 6000), sectionAt(kY, 9000));
    EXPECT_NE(sectionAt(kY, 3000), sectionAt(kY, 9000));

    // A single piece is both ends; a train going either way enters it.
    const int32_t fi = FoBuild::m_fo[fb];
    const int32_t ri = railOf(5000, 7000);
    EXPECT_EQ(FoBuild::m_ri[fb], ri);
    EXPECT_EQ(Form::m_afb[fi * 2], fb);
    EXPECT_EQ(Form::m_afb[fi * 2 + 1], fb | 0x4000);
    EXPECT_EQ(Form::getRI(fi, 0), refFrom(5000, 7000));
    EXPECT_EQ(Form::getRI(fi, 1), refFrom(7000, 5000));
    EXPECT_EQ(Form::searchIndex_ri(ri), fi);
    EXPECT_EQ(Form::searchIndex_rib(refFrom(7000, 5000), -1), fi);
    EXPECT_EQ(Form::searchIndex_rib(refFrom(5000, 7000), fi), -1);
    EXPECT_EQ(Form::searchIndex_ri(railOf(2000, 5000)), -1);
    EXPECT_FALSE(Rail::isStopForm(fi));

    // The station stands at the midpoint mesh; the land under the piece is
    // platform land, the rest of the line track land.
    const int32_t si = Form::getSt(fi);
    EXPECT_EQ(Station::m_y[si], 100);
    EXPECT_EQ(Station::m_x[si], 60);
    EXPECT_FALSE(Station::isYard(si));
    EXPECT_EQ(map().getMapTyp(100, 60), LAND_PLATFORM);
    EXPECT_EQ(map().getMapTyp(99, 55), LAND_PLATFORM);
    EXPECT_EQ(map().getMapTyp(100, 40), LAND_TRACK);
    EXPECT_EQ(Station::searchStIndex_myx_0(100, 60), si);

    // Stop rules of a new platform (10-minute slots): wait until the slot
    // before 4:00, leave at its end, then stop 10 s.
    ASSERT_EQ(Form::m_DD[fi].size(), 144u);
    EXPECT_EQ(Form::m_DD[fi][0], 2);
    EXPECT_EQ(Form::m_DD[fi][22], 2);
    EXPECT_EQ(Form::m_DD[fi][23], 34);
    EXPECT_EQ(Form::m_DD[fi][24], 3);
    EXPECT_EQ(Form::m_DD[fi][143], 3);

    const int32_t ym = stations().yearMonth();
    EXPECT_EQ(Form::getValue(fi, ym + 240), 100000);
    const PlatformPanel panel = platformPanel(fi, ym);
    EXPECT_EQ(panel.number.toUtf8(), "0番線");
    EXPECT_EQ(panel.length.toUtf8(), "200.0");
    EXPECT_EQ(panel.value.toUtf8(), "200,000");
}

TEST_F(PlatformTest, YardTrackIsCheapAndMakesAYard) {
    const int64_t fund0 = fund();
    const int32_t fb = piece(5000, 6250, true);
    ASSERT_GE(fb, 0);
    EXPECT_EQ(fund(), fund0 - 1250);
    const int32_t fi = FoBuild::m_fo[fb];
    EXPECT_TRUE(Station::isYard_fi(fi));
    EXPECT_TRUE(Station::isYard(Form::getSt(fi)));
    EXPECT_EQ(map().getMapTyp(100, 56), LAND_YARD);
    EXPECT_NE(Station::getName(Form::getSt(fi)).toUtf8().find("操車場"), std::string::npos);
    EXPECT_EQ(platformPanel(fi, stations().yearMonth()).length.toUtf8(), "125.0");
}

// Three touching pieces make one platform whatever way each was drawn; its
// ends are the outer pieces and the references into it do not depend on
// how the pieces run.
TEST_F(PlatformTest, TouchingPiecesFormOnePlatformWithItsEnds) {
    struct Case {
        std::array<std::array<int32_t, 2>, 3> pieces;
        bool flag0, flag1;
    };
    const Case cases[] = {
        {{{{5000, 6000}, {6000, 7000}, {7000, 8000}}}, false, true},
        {{{{6000, 5000}, {7000, 6000}, {8000, 7000}}}, true, false},
        {{{{5000, 6000}, {7000, 6000}, {7000, 8000}}}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pieces[0][0]);
        std::vector<int32_t> fbs;
        for (auto [x0, x1] : c.pieces) fbs.push_back(piece(x0, x1));
        const int32_t fi = FoBuild::m_fo[fbs[0]];
        for (int32_t fb : fbs) EXPECT_EQ(FoBuild::m_fo[fb], fi);
        EXPECT_EQ(Form::count(), 1);
        EXPECT_EQ(Station::count(), 1);
        EXPECT_EQ(Form::getFB(fi, 0), fbs[0]);
        EXPECT_EQ(Form::getFB(fi, 1), fbs[2]);
        EXPECT_EQ(Form::isEndFlag(fi, 0), c.flag0);
        EXPECT_EQ(Form::isEndFlag(fi, 1), c.flag1);
        EXPECT_EQ(Form::getRI(fi, 0), refFrom(5000, 6000));
        EXPECT_EQ(Form::getRI(fi, 1), refFrom(8000, 7000));
        EXPECT_EQ(Form::getLength(fi), 3000);
        EXPECT_EQ(Form::getLength_um(fi), 3000 * kTrackUnitsPerDm);
        // Boundaries only at the platform's two ends.
        EXPECT_EQ(marker(kY, 5000), 1);
        EXPECT_EQ(marker(kY, 6000), -1);
        EXPECT_EQ(marker(kY, 7000), -1);
        EXPECT_EQ(marker(kY, 8000), 1);
        EXPECT_EQ(sectionAt(kY, 5500), sectionAt(kY, 7500));
        EXPECT_NE(sectionAt(kY, 4000), sectionAt(kY, 5500));
        // Taking the middle piece out takes the whole platform.
        EXPECT_EQ(remove(6000, 7000), 3000);
        EXPECT_EQ(FoBuild::count(), 0);
        EXPECT_EQ(Rail::count(), 1);
        EXPECT_EQ(marker(kY, 5000), -1);
    }
}

TEST_F(PlatformTest, RemovingPieces) {
    // The middle piece of three: everything goes, the station and its
    // travellers too, the land is track land again and the line one piece.
    for (auto [x0, x1] : {std::pair{5000, 6000}, {6000, 7000}, {7000, 8000}}) ASSERT_GE(piece(x0, x1), 0);
    const int32_t si = Form::getSt(0);
    int64_t f = fund();
    EXPECT_EQ(remove(7000, 6000), 3000);
    EXPECT_EQ(fund(), f - 1000);
    EXPECT_EQ(Form::count(), 0);
    EXPECT_FALSE(Station::isValid(si));
    EXPECT_EQ(hooks->removed, std::vector<int32_t>{si});
    ASSERT_EQ(hooks->trainsOff.size(), 1u);
    EXPECT_EQ(hooks->trainsOff[0][0], at(kY, 7000));
    EXPECT_EQ(map().getMapTyp(100, 65), LAND_TRACK);
    EXPECT_EQ(Rail::count(), 1);
    EXPECT_EQ(Heisoku::count(), 1);

    // An end piece: the rest stays and the boundary follows the new end.
    for (auto [x0, x1] : {std::pair{5000, 6000}, {6000, 7000}, {7000, 8000}}) ASSERT_GE(piece(x0, x1), 0);
    const int32_t fi = FoBuild::m_fo[0];
    EXPECT_EQ(remove(7000, 8000), 3000);
    EXPECT_EQ(Form::pieces(fi).size(), 2u);
    EXPECT_EQ(Form::getRI(fi, 1), refFrom(7000, 6000));
    EXPECT_EQ(marker(kY, 7000), 1);
    EXPECT_EQ(marker(kY, 8000), -1);
    EXPECT_EQ(map().getMapTyp(100, 76), LAND_TRACK);
    EXPECT_EQ(map().getMapTyp(100, 66), LAND_PLATFORM);

    // Shortening: from an end to a point inside keeps the part beyond.
    EXPECT_EQ(remove(5000, 5500), 2000);
    EXPECT_EQ(Form::getLength(fi), 1500);
    EXPECT_EQ(marker(kY, 5500), 1);
    EXPECT_EQ(marker(kY, 5000), -1);
    EXPECT_EQ(map().getMapTyp(100, 51), LAND_TRACK);
    EXPECT_EQ(map().getMapTyp(100, 56), LAND_PLATFORM);
    EXPECT_EQ(Form::getRI(fi, 0), refFrom(5500, 6000));

    // Neither point an end: the whole piece goes.
    EXPECT_EQ(remove(5600, 5900), 1500);
    EXPECT_EQ(Form::pieces(fi).size(), 1u);

    // No piece holds both points: nothing happens, nothing is paid.
    f = fund();
    EXPECT_EQ(stations().removeFoBuildCost(at(kY, 3000), at(kY, 4000)), -1);
    EXPECT_EQ(remove(3000, 4000), 0);
    EXPECT_EQ(remove(6500, 9000), 0);
    EXPECT_EQ(fund(), f);
}

TEST_F(PlatformTest, ATouchingPieceJoinsThePlatformOfAnotherStation) {
    const int32_t a = Form::getSt(FoBuild::m_fo[piece(5000, 6000)]);
    // Station b's building stands by the track where the new piece starts.
    const int32_t b = stations().constructStation(false, 101, 70);
    ASSERT_NE(a, b);
    ASSERT_EQ(Station::searchStIndex_myx_0(101, 70), b);
    // The station search for the new piece meets b first.
    int32_t found = -1;
    for (const MeshYX& m : Sub::extendMesh9(FoBuild::getUseMesh(at(kY, 7000), at(kY, 6000)))) {
        found = Station::searchStIndex_myx_0(m.my, m.mx);
        if (found >= 0) break;
    }
    ASSERT_EQ(found, b);
    const int32_t fb = piece(7000, 6000);
    ASSERT_GE(fb, 0);
    EXPECT_EQ(FoBuild::m_fo[fb], FoBuild::m_fo[0]);
    EXPECT_EQ(Form::getSt(FoBuild::m_fo[fb]), a);
    EXPECT_TRUE(Station::forms(b).empty());
    EXPECT_EQ(Station::count(), 2);
    EXPECT_EQ(Station::searchStIndex_myx_0(100, 66), a);
}

TEST_F(PlatformTest, StretchesEveryCallerIsRefused) {
    // A switch at x = 9000 (a branch at 30 degrees), a level crossing at
    // x = 4500 and a piece on 6000..7000.
    ASSERT_GE(lay(kY, 9000, kY + 1000, 9000 + 1732), 0);
    ASSERT_GE(Bunki::searchIndex(0, kY, 9000), 0);
    ASSERT_GE(lay(kY - 1000, 4500, kY + 1000, 4500), 0);
    ASSERT_GE(piece(6000, 7000), 0);
    struct Case {
        const char* what;
        RailPoint f, t;
    };
    const Case cases[] = {
        {"ends at a switch", at(kY, 8000), at(kY, 9000)},
        {"a rail crosses it", at(kY, 4000), at(kY, 5000)},
        {"the rail carries a piece", at(kY, 6200), at(kY, 6800)},
        {"the same piece again", at(kY, 6000), at(kY, 7000)},
        {"over two rails", at(kY, 5000), at(kY, 7500)},
        {"not on one rail", at(kY, 5000), at(kY + 500, 5500)},
        {"at another height", at(kY, 5000, 10), at(kY, 5500, 10)},
        {"a single point", at(kY, 5000), at(kY, 5000)},
        {"off the map", at(kY, 5000), at(kY, -100)},
    };
    const int32_t rails = Rail::count(), markers = Antenna::count();
    const int64_t f = fund();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(stations().foBuildCost(false, c.f, c.t), -1);
        EXPECT_EQ(stations().constructFoBuild(false, c.f, c.t), kPlatformRefused);
        // A station file names the station and platform and skips the
        // preview: the operation checks the same.
        EXPECT_EQ(stations().constructFoBuild(false, c.f, c.t, 0, 0), kPlatformRefused);
        EXPECT_EQ(Rail::count(), rails);
        EXPECT_EQ(Antenna::count(), markers);
    }
    EXPECT_EQ(fund(), f);
    EXPECT_EQ(FoBuild::count(), 1);
}

TEST_F(PlatformTest, TheBooksMustCoverThePlayersPiece) {
    w.world().finance().setFund(-100000000);
    EXPECT_EQ(stations().constructFoBuild(false, at(kY, 5000), at(kY, 7000)), kPlatformRefused);
    EXPECT_EQ(w.canvas().message().toUtf8(), "資金が足りません");
    EXPECT_EQ(FoBuild::count(), 0);
    EXPECT_EQ(Rail::count(), 1);
}

TEST_F(PlatformTest, LimitsOfStationsPlatformsAndPieces) {
    // No station can be had: the message, and the track as it was.
    for (int32_t i = 0; i < Station::m_max; ++i) ASSERT_GE(Station::add(false, 150 + i / 50, (i % 50) * 3), 0);
    EXPECT_EQ(stations().constructFoBuild(false, at(kY, 5000), at(kY, 7000)), kPlatformStationLimit);
    EXPECT_EQ(w.canvas().message().toUtf8(), "駅数の上限です");
    EXPECT_EQ(Rail::count(), 1);
    EXPECT_EQ(Antenna::count(), 2);
    StationCore::reset();

    // At most 127 platforms per station (numbers 0..126).
    const int32_t si = Station::add(false, 10, 10);
    for (int32_t i = 0; i < 127; ++i) ASSERT_EQ(Form::m_no[Form::add(si)], i);
    EXPECT_EQ(Form::add(si), -1);
    StationCore::reset();

    // Piece numbers stay below the end flag (bit 14).
    const int32_t s2 = Station::add(false, 10, 10);
    const int32_t fi = Form::add(s2);
    for (int32_t i = 0; i < FoBuild::kMax; ++i) {
        ASSERT_EQ(FoBuild::add(false, fi, -1, at(1000, 1000 + i), at(1000, 1001 + i), 0), i);
    }
    EXPECT_EQ(FoBuild::add(false, fi, -1, at(2000, 1000), at(2000, 1001), 0), -1);
    EXPECT_EQ(stations().constructFoBuild(false, at(kY, 5000), at(kY, 7000)), kPlatformStationLimit);
    EXPECT_EQ(Rail::count(), 1);
    StationCore::reset();
}

}  // namespace
}  // namespace tetsuro::test
