// The indexed look-ups against their literal forms on random layouts under
// random building and removal, the mesh index registered as things are
// built against its rebuild, and the derived data brought back after a
// load.
#include "station_fixture.h"

namespace tetsuro::test {
namespace {

class StationIndexTest : public StationTest {
protected:
    static constexpr int32_t kLines = 12;
    static int32_t lineY(int32_t k) { return 2000 + 1800 * k; }

    void SetUp() override {
        StationTest::SetUp();
        w.world().finance().setFund(int64_t{1} << 40);
        for (int32_t k = 0; k < kLines; ++k) {
            ASSERT_GE(lay(lineY(k), 1000, lineY(k), 12000), 0);
            ASSERT_GE(lay(lineY(k), 12000, lineY(k), 23000), 0);
        }
        // Two lines across them, crossing on the level.
        for (int32_t x : {8100, 17100}) {
            ASSERT_GE(lay(1000, x, 11000, x), 0);
            ASSERT_GE(lay(11000, x, 22900, x), 0);
        }
    }

    // A point of the line grid.
    static RailPoint gridPoint(TestRandom& rnd, int32_t k) {
        return at(lineY(k), int32_t(1000 + 250 * rnd.below(89)));
    }

    void randomOp(TestRandom& rnd) {
        const int64_t op = rnd.below(100);
        const int32_t k = int32_t(rnd.below(kLines));
        if (op < 50) {
            // Mostly a stretch of one level rail, now and then any stretch.
            RailPoint f = gridPoint(rnd, k);
            RailPoint t = f;
            t.x += int32_t(250 * (1 + rnd.below(12)) * (rnd.below(2) == 0 ? 1 : -1));
            const int32_t ri = int32_t(rnd.below(Rail::size()));
            if (rnd.below(4) != 0 && Rail::isValid(ri) && Rail::m_iFY[ri] == Rail::m_iTY[ri]) {
                const int32_t lo = std::min(Rail::m_iFX[ri], Rail::m_iTX[ri]);
                const int32_t hi = std::max(Rail::m_iFX[ri], Rail::m_iTX[ri]);
                const int32_t steps = (hi - lo) / 250;
                if (steps >= 1) {
                    const int32_t a = int32_t(rnd.below(steps)), b = a + 1 + int32_t(rnd.below(steps - a));
                    f = at(Rail::m_iFY[ri], lo + 250 * a);
                    t = at(Rail::m_iFY[ri], std::min(hi, lo + 250 * b));
                    if (rnd.below(2) == 0) std::swap(f, t);
                }
            }
            stations().constructFoBuild(rnd.below(5) == 0, f, t);
        } else if (op < 58) {
            // A station file: a named station or platform, or none.
            RailPoint f = gridPoint(rnd, k);
            RailPoint t = f;
            t.x += int32_t(250 * (1 + rnd.below(8)));
            const int32_t si = int32_t(rnd.below(Station::size() + 1)) - 1;
            const int32_t fi = rnd.below(3) == 0 ? Form::add(si) : -1;
            stations().constructFoBuild(rnd.below(5) == 0, f, t, si, fi);
            // A platform named for the piece and left empty goes again.
            if (fi >= 0 && Form::pieces(fi).empty()) Form::remove(fi);
        } else if (op < 68) {
            const int32_t row = lineY(k) / 100 + (rnd.below(2) == 0 ? 2 : -2);
            stations().constructStation(false, row, int32_t(10 + rnd.below(220)));
        } else if (op < 80) {
            if (FoBuild::count() == 0) return;
            int32_t fb;
            do fb = int32_t(rnd.below(FoBuild::size())); while (!FoBuild::isValid(fb));
            const RailPoint f = FoBuild::from(fb), t = FoBuild::to(fb);
            auto inner = [&](const RailPoint& a, const RailPoint& b) {
                const int64_t steps = std::abs(int64_t{b.x} - a.x) / 250;
                RailPoint p = a;
                if (steps > 1) p.x = int32_t(a.x + (b.x > a.x ? 250 : -250) * (1 + rnd.below(steps - 1)));
                return p;
            };
            switch (rnd.below(3)) {
                case 0: stations().removeFoBuild(f, t); break;
                case 1: stations().removeFoBuild(f, inner(f, t)); break;
                default: stations().removeFoBuild(inner(f, t), inner(t, f)); break;
            }
        } else if (op < 86) {
            if (StBuild::count() == 0) return;
            int32_t sb;
            do sb = int32_t(rnd.below(StBuild::size())); while (!StBuild::isValid(sb));
            stations().removeStBuild(StBuild::obj[sb].m_my, StBuild::obj[sb].m_mx);
        } else if (op < 96) {
            const RailPoint p = gridPoint(rnd, k);
            RailCommands::setSignal(p.z, p.y, p.x);
        } else {
            // The track under a platform, then the line laid again.
            if (FoBuild::count() == 0) return;
            int32_t fb;
            do fb = int32_t(rnd.below(FoBuild::size())); while (!FoBuild::isValid(fb));
            const RailPoint f = Rail::startPoint(FoBuild::m_ri[fb]), t = Rail::endPoint(FoBuild::m_ri[fb]);
            Heisoku::removeRail(FoBuild::m_ri[fb]);
            lay(f.y, f.x, t.y, t.x);
        }
    }

    // Every look-up against its literal form.
    static void compareLookups(TestRandom& rnd) {
        StationScan::LiteralMeshIndex literal;
        literal.renewMesh();
        StationMeshIndex hashed;
        Station::renewMeshInto(hashed);
        ASSERT_EQ(hashed.entries(), literal.entries());
        EXPECT_EQ(hashed.entries(), Station::meshIndex().entries());
        for (int i = 0; i < 200; ++i) {
            const int32_t my = int32_t(rnd.below(256)), mx = int32_t(rnd.below(256));
            EXPECT_EQ(Station::searchStIndex_myx(my, mx), literal.search(my, mx));
            const RailPoint p = gridPoint(rnd, int32_t(rnd.below(kLines)));
            EXPECT_EQ(FoBuild::searchIndex(FoBuild::kAnyZ, p.y, p.x), StationScan::piecesAt(FoBuild::kAnyZ, p.y, p.x));
            EXPECT_EQ(FoBuild::searchIndex(0, p.y, p.x), StationScan::piecesAt(0, p.y, p.x));
        }
        for (int32_t ri = -1; ri < Rail::size(); ++ri) {
            EXPECT_EQ(Form::searchIndex_ri(ri), StationScan::searchIndex_ri(ri));
            for (int32_t n : {-1, 0, 3}) {
                for (int32_t rib : {ri, RailRef::flip(ri)}) {
                    EXPECT_EQ(Form::searchIndex_rib(rib, n), StationScan::searchIndex_rib(rib, n));
                }
            }
        }
    }
};

TEST_F(StationIndexTest, LookupsEqualTheScansUnderRandomEdits) {
    TestRandom rnd(88);
    int32_t built = 0, removed = 0;
    for (int i = 0; i < 500; ++i) {
        const int32_t pieces = FoBuild::count();
        randomOp(rnd);
        built += FoBuild::count() > pieces;
        removed += FoBuild::count() < pieces;
        auto rail = checkRailInvariants();
        ASSERT_TRUE(rail.empty()) << "op " << i << "\n" << joinLines(rail);
        auto st = checkStationInvariants();
        ASSERT_TRUE(st.empty()) << "op " << i << "\n" << joinLines(st);
        if (i % 50 == 0) compareLookups(rnd);
    }
    compareLookups(rnd);
    // The run did what it is meant to.
    EXPECT_GT(built, 100);
    EXPECT_GT(removed, 40);
    EXPECT_GT(FoBuild::count(), 10);
    EXPECT_GT(StBuild::count(), 5);
}

// Where two stations claim a mesh the building wins over a piece and the
// higher number over the lower, whatever the order they were built in.
TEST_F(StationIndexTest, RegisteringAsBuiltGivesTheRebuild) {
    // Station a's piece, then b's building right by it, then a piece of b
    // over a's meshes: each order of claims ends as the rebuild says.
    const int32_t fa = stations().constructFoBuild(false, at(lineY(3), 5000), at(lineY(3), 6000));
    ASSERT_GE(fa, 0);
    const int32_t a = Form::getSt(FoBuild::m_fo[fa]);
    const int32_t row = lineY(3) / 100;
    const int32_t b = stations().constructStation(false, row + 2, 70);
    ASSERT_NE(a, b);
    ASSERT_GE(stations().constructFoBuild(false, at(lineY(3), 7000), at(lineY(3), 6500), b, -1), 0);
    ASSERT_GE(stations().constructFoBuild(false, at(lineY(3), 6000), at(lineY(3), 6500), -1, -1), 0);
    StationMeshIndex rebuilt;
    Station::renewMeshInto(rebuilt);
    EXPECT_EQ(Station::meshIndex().entries(), rebuilt.entries());
    // A building's mesh is its station's even under another's piece.
    EXPECT_EQ(Station::searchStIndex_myx_0(row + 2, 70), b);
}

TEST_F(StationIndexTest, ALoadBringsBackTheDerivedData) {
    TestRandom rnd(7);
    for (int i = 0; i < 300; ++i) randomOp(rnd);
    ASSERT_GT(FoBuild::count(), 5);
    sound();
    const auto entries = Station::meshIndex().entries();
    const auto afb = Form::m_afb;
    // What a save holds.
    const auto st = std::tuple{Station::m_y, Station::m_x, Station::m_PDH, Station::m_PDO, Station::m_PLM,
                               Station::m_PTM, Station::m_sName};
    const auto fo = std::tuple{Form::m_st, Form::m_no, Form::m_DD};
    const auto fb = std::tuple{FoBuild::m_typ, FoBuild::m_fo, FoBuild::m_ri, FoBuild::m_fz, FoBuild::m_fy,
                               FoBuild::m_fx, FoBuild::m_tz, FoBuild::m_ty, FoBuild::m_tx, FoBuild::m_gym};
    const auto sb = StBuild::obj;
    StationCore::reset();
    std::tie(Station::m_y, Station::m_x, Station::m_PDH, Station::m_PDO, Station::m_PLM, Station::m_PTM,
             Station::m_sName) = st;
    std::tie(Form::m_st, Form::m_no, Form::m_DD) = fo;
    Form::m_afb.assign(afb.size(), -1);  // not saved: rebuilt
    std::tie(FoBuild::m_typ, FoBuild::m_fo, FoBuild::m_ri, FoBuild::m_fz, FoBuild::m_fy, FoBuild::m_fx,
             FoBuild::m_tz, FoBuild::m_ty, FoBuild::m_tx, FoBuild::m_gym) = fb;
    StBuild::obj = sb;
    stations().afterLoad();
    EXPECT_EQ(Station::meshIndex().entries(), entries);
    EXPECT_EQ(Form::m_afb, afb);
    compareLookups(rnd);
    // And the game goes on from there.
    for (int i = 0; i < 100; ++i) randomOp(rnd);
}

}  // namespace
}  // namespace tetsuro::test
