// The indexes against the literal scans they replace, on random layouts
// built and torn down through the rail core's own operations.
#include "rail/rail_put_list.h"
#include "rail/rail_scan.h"
#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

struct ViewHooks : RecordingHooks {
    RailViewRect rect{0, 0, 25600, 25600};
    RailViewRect viewRect() override { return rect; }
};

class IndexTest : public RailTest {
protected:
    void SetUp() override {
        RailTest::SetUp();
        setRailHooks(&view);
    }

    // A point on a coarse grid (steps of 100, or 128 to meet the borders of
    // the index cells), now and then anywhere.
    RailPoint randomPoint(TestRandom& rnd) {
        int32_t z = rnd.below(4) == 0 ? 30 : 0;
        if (rnd.below(5) == 0) return {z, int32_t(rnd.below(3200)), int32_t(rnd.below(3200))};
        const int32_t step = rnd.below(2) == 0 ? 100 : 128;
        return {z, step * int32_t(rnd.below(26)), step * int32_t(rnd.below(26))};
    }

    // One random edit through the game's operations.
    void randomEdit(TestRandom& rnd) {
        const int64_t what = rnd.below(10);
        if (what < 6 || Rail::count() == 0) {
            RailPoint f = randomPoint(rnd);
            RailPoint t = randomPoint(rnd);
            if (rnd.below(2) == 0) t = {f.z, f.y + int32_t(100 * (rnd.below(7) - 3)), f.x + int32_t(100 * (rnd.below(7) - 3))};
            const int spd = rnd.below(3) == 0 ? 9 : 21;
            RailCommands::layPiece(int(rnd.below(2)), spd, f, t);
            return;
        }
        int32_t n = int32_t(rnd.below(Rail::size()));
        if (!Rail::isValid(n)) return;
        RailPoint mid{0, int32_t((int64_t{Rail::m_iFY[n]} + Rail::m_iTY[n]) / 2),
                      int32_t((int64_t{Rail::m_iFX[n]} + Rail::m_iTX[n]) / 2)};
        mid.z = Rail::getZ(n, mid.y, mid.x);
        if (what < 8) {
            Heisoku::removeRail(n);
        } else if (what < 9) {
            RailCommands::setSignal(mid.z, mid.y, mid.x);
        } else {
            RailPoint e = Rail::startPoint(n);
            RailCommands::eraseSignal(e.z, e.y, e.x);
        }
    }

    // Points worth asking about: piece ends, points inside pieces, and
    // random ones.
    RailPoint queryPoint(TestRandom& rnd) {
        int32_t n = int32_t(rnd.below(std::max(1, Rail::size())));
        if (Rail::isValid(n) && rnd.below(3) != 0) {
            if (rnd.below(2) == 0) return Rail::startPoint(RailRef::make(n, rnd.below(2) == 0));
            int64_t k = rnd.below(5);
            int32_t y = int32_t(Rail::m_iFY[n] + (int64_t{Rail::m_iTY[n]} - Rail::m_iFY[n]) * k / 4);
            int32_t x = int32_t(Rail::m_iFX[n] + (int64_t{Rail::m_iTX[n]} - Rail::m_iFX[n]) * k / 4);
            return {Rail::getZ(n, y, x), y, x};
        }
        return randomPoint(rnd);
    }

    void compareSearches(TestRandom& rnd) {
        for (int q = 0; q < 12; ++q) {
            RailPoint p = queryPoint(rnd);
            ASSERT_EQ(Rail::getAll_RZYX(p.z, p.y, p.x), Rail::Scan::getAll_RZYX(p.z, p.y, p.x));
            ASSERT_EQ(Rail::getAll_RYX(p.y, p.x), Rail::Scan::getAll_RYX(p.y, p.x));
            ASSERT_EQ(Rail::getAll_StartEnd(p.z, p.y, p.x), Rail::Scan::getAll_StartEnd(p.z, p.y, p.x));
            ASSERT_EQ(Rail::getAll_StartEnd(p.y, p.x), Rail::Scan::getAll_StartEnd(p.y, p.x));
            ASSERT_EQ(Rail::searchRailEnd(p.z, p.y, p.x), Rail::Scan::searchRailEnd(p.z, p.y, p.x));
            for (int be = 0; be < 2; ++be) {
                ASSERT_EQ(Rail::getAllR(p.y, p.x, be), Rail::Scan::getAllR(p.y, p.x, be));
            }
            RailPoint o = queryPoint(rnd);
            ASSERT_EQ(Rail::getAll_Cross(p.y, p.x, o.y, o.x, 0, 20), Rail::Scan::getAll_Cross(p.y, p.x, o.y, o.x, 0, 20));
            for (bool point : {false, true}) {
                ASSERT_EQ(Rail::getAll_Cross(p.y, p.x, o.y, o.x, point), Rail::Scan::getAll_Cross(p.y, p.x, o.y, o.x, point));
            }
            ASSERT_EQ(Rail::getAll_CrossZYX(p.z, p.y, p.x, p.z, o.y, o.x),
                      Rail::Scan::getAll_CrossZYX(p.z, p.y, p.x, p.z, o.y, o.x));
            ASSERT_EQ(Rail::getAll_Region(p.y, p.x, o.y, o.x, -10, 40), Rail::Scan::getAll_Region(p.y, p.x, o.y, o.x, -10, 40));
            ASSERT_EQ(Rail::getAllR(p.y, p.x, o.y, o.x, 1), Rail::Scan::getAllR(p.y, p.x, o.y, o.x, 1));
            const int64_t my = p.y / 100, mx = p.x / 100;
            ASSERT_EQ(Rail::getAllM(my, mx, 0, 15), Rail::Scan::getAllM(my, mx, 0, 15));
            ASSERT_EQ(Rail::getAllM(my, mx, 0), Rail::Scan::getAllM(my, mx, 0));
        }
        // The drawing list, after an edit and after the view moved.
        ASSERT_EQ(Rail::getPutList(), Rail::buildPutList(true));
        RailPoint a = randomPoint(rnd), b = randomPoint(rnd);
        view.rect = {a.y, a.x, b.y, b.x};
        Rail::renewPutList();
        ASSERT_EQ(Rail::getPutList(), Rail::buildPutList(true));
        // Section end references from one pass over the pieces.
        ASSERT_EQ(Heisoku::buildRI(), Heisoku::buildRILiteral());
        // Routing through the point -> switch hash.
        for (int q = 0; q < 8 && Rail::size() > 0; ++q) {
            int32_t r = RailRef::make(int32_t(rnd.below(Rail::size())), rnd.below(2) == 0);
            if (!Rail::isValidRef(r)) continue;
            auto c = Rail::computeConnect(r);
            RailPoint e = Rail::endPoint(r);
            int32_t sw = -1;
            for (int32_t b2 = 0; b2 < Bunki::size(); ++b2) {
                if (Bunki::isValid(b2) && Bunki::m_z[b2] == e.z && Bunki::m_y[b2] == e.y && Bunki::m_x[b2] == e.x) sw = b2;
            }
            int32_t want = c[0] < 0 ? -1 : (c[1] < 0 ? c[0] : (sw >= 0 && Bunki::isStraight(sw) ? c[0] : c[1]));
            ASSERT_EQ(Bunki::getRailConnect(r), want);
        }
    }

    ViewHooks view;
};

TEST_F(IndexTest, SearchesEqualTheLiteralScans) {
    for (uint64_t seed = 1; seed <= 12; ++seed) {
        RailCore::reset();
        view.rect = {0, 0, 25600, 25600};
        TestRandom rnd(seed);
        for (int step = 0; step < 120; ++step) {
            randomEdit(rnd);
            if (step % 10 == 9) {
                compareSearches(rnd);
                if (HasFatalFailure()) return;
                auto problems = checkRailInvariants(checks);
                ASSERT_TRUE(problems.empty()) << "seed " << seed << " step " << step << "\n" << joinLines(problems);
            }
        }
        EXPECT_GT(Rail::count(), 10) << "seed " << seed;
    }
}

TEST_F(IndexTest, SearchOrders) {
    lay(21, 1000, 0, 1000, 1000);
    lay(9, 1000, 1000, 1000, 2000);
    lay(21, 0, 1000, 1000, 1000);
    // Three ends meet at (1000, 1000): leaving ascending, arriving descending.
    EXPECT_EQ(Rail::getAll_StartEnd(0, 1000, 1000), (std::vector<int32_t>{rev(0), 1, rev(2)}));
    EXPECT_EQ(Rail::searchRailEnd(0, 1000, 1000), (std::vector<int32_t>{2, rev(1), 0}));
    EXPECT_EQ(Rail::getAll_RZYX(0, 1000, 1000), (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(Rail::searchNext(0), -1);        // a junction
    EXPECT_EQ(Rail::searchNext(rev(0)), -2);   // a dead end
    EXPECT_EQ(Rail::searchNext(-1), -2);
    EXPECT_TRUE(Rail::getAll_StartEnd(0, 1000, 500).empty());
    EXPECT_EQ(Rail::searchIndex(0, 1000, 100, 0, 1000, 900), 0);
    EXPECT_EQ(Rail::searchIndex(0, 1000, 100, 0, 1000, 1100), -1);
    auto dirs = Rail::getAllDVYX(0, 1000, 500);
    EXPECT_EQ(dirs, (std::vector<int64_t>{0, 1, 0, -1}));
}

}  // namespace
}  // namespace tetsuro::test
