// Larger layouts: wandering lines with branches, removals and signals,
// checked throughout; and the stores brought back after a load.
#include <cmath>
#include <numbers>

#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

class WorldTest : public RailTest {
protected:
    // Lays about `count` pieces: lines turning by up to 20 degrees a piece,
    // some slow stretches, and branches at 30 degrees from inside pieces.
    void grow(TestRandom& rnd, int32_t count) {
        RailPoint tip = start(rnd);
        double angle = double(rnd.below(360));
        while (Rail::count() < count) {
            if (rnd.below(100) < 6 && branchPoint(rnd, tip, angle)) {
                // tip and angle set
            } else if (rnd.below(100) < 3) {
                tip = start(rnd);
            }
            angle += double(rnd.below(41) - 20);
            const double len = 200 + double(rnd.below(900));
            const double rad = angle * std::numbers::pi / 180.0;
            RailPoint to{0, int32_t(std::lround(tip.y + std::sin(rad) * len)), int32_t(std::lround(tip.x + std::cos(rad) * len))};
            if (to.y < 0 || to.x < 0 || to.y > 25600 || to.x > 25600 ||
                RailCommands::layPiece(0, rnd.below(6) == 0 ? 9 : 21, tip, to) < 0) {
                tip = start(rnd);
                continue;
            }
            tip = to;
        }
    }

    static RailPoint start(TestRandom& rnd) {
        return {0, int32_t(2000 + rnd.below(21600)), int32_t(2000 + rnd.below(21600))};
    }

    // A point strictly inside a random piece.
    static bool insidePoint(TestRandom& rnd, RailPoint& p, int32_t& piece) {
        piece = int32_t(rnd.below(Rail::size()));
        if (!Rail::isValid(piece)) return false;
        const int64_t dy = int64_t{Rail::m_iTY[piece]} - Rail::m_iFY[piece];
        const int64_t dx = int64_t{Rail::m_iTX[piece]} - Rail::m_iFX[piece];
        const int64_t g = VelJLib::getGCD(dy, dx);
        if (g < 2) return false;
        const int64_t k = 1 + rnd.below(g - 1);
        p.y = int32_t(Rail::m_iFY[piece] + dy / g * k);
        p.x = int32_t(Rail::m_iFX[piece] + dx / g * k);
        p.z = Rail::getZ(piece, p.y, p.x);
        return true;
    }

    static bool branchPoint(TestRandom& rnd, RailPoint& tip, double& angle) {
        int32_t n;
        if (!insidePoint(rnd, tip, n)) return false;
        angle = Rail::getAngleYX360f(n) + (rnd.below(2) == 0 ? 30.0 : -30.0);
        return true;
    }

    void checkNow(const char* what) {
        auto problems = checkRailInvariants(checks);
        ASSERT_TRUE(problems.empty()) << what << "\n" << joinLines(problems);
    }
};

TEST_F(WorldTest, GrowEditAndShrink) {
    TestRandom rnd(2024);
    grow(rnd, 1500);
    checkNow("after growing");
    EXPECT_GT(Bunki::count(), 10);
    // Signals, removals and signal removals in turn.
    for (int i = 0; i < 300; ++i) {
        RailPoint p;
        int32_t n;
        if (!insidePoint(rnd, p, n)) continue;
        switch (i % 3) {
            case 0: RailCommands::setSignal(p.z, p.y, p.x); break;
            case 1: Heisoku::removeRail(n); break;
            default: {
                RailPoint e = Rail::startPoint(RailRef::make(n, rnd.below(2) == 0));
                RailCommands::eraseSignal(e.z, e.y, e.x);
            }
        }
        if (i % 50 == 49) checkNow("while editing");
    }
    // Everything removed again leaves nothing behind.
    for (int32_t n = 0; n < Rail::size(); ++n) Heisoku::removeRail(n);
    EXPECT_EQ(Rail::count(), 0);
    EXPECT_EQ(Heisoku::count(), 0);
    EXPECT_EQ(Antenna::count(), 0);
    EXPECT_EQ(Signal::count(), 0);
    EXPECT_EQ(Bunki::count(), 0);
}

// The saved arrays of every store.
struct Saved {
    std::vector<int8_t> typ, spd, rl, t, st, dia;
    std::vector<int16_t> fz, tz, hs, ss, se, ti, az, bz, bmy, bmx;
    std::vector<int32_t> fy, fx, ty, tx, ay, ax, by, bx;
    static Saved take() {
        return Saved{Rail::m_typ, Rail::m_spd, Rail::m_iRL, Antenna::m_t, Signal::m_st, Bunki::m_sbaDia,
                     Rail::m_iFZ, Rail::m_iTZ, Rail::m_iHS, Rail::m_iSS, Rail::m_iSE, Heisoku::m_ti,
                     Antenna::m_z, Bunki::m_z, Bunki::m_my, Bunki::m_mx, Rail::m_iFY, Rail::m_iFX,
                     Rail::m_iTY, Rail::m_iTX, Antenna::m_y, Antenna::m_x, Bunki::m_y, Bunki::m_x};
    }
    void restore() const {
        RailCore::reset();
        Rail::m_typ = typ, Rail::m_spd = spd, Rail::m_iRL = rl, Antenna::m_t = t, Signal::m_st = st;
        Bunki::m_sbaDia = dia, Rail::m_iFZ = fz, Rail::m_iTZ = tz, Rail::m_iHS = hs, Rail::m_iSS = ss;
        Rail::m_iSE = se, Heisoku::m_ti = ti, Antenna::m_z = az, Bunki::m_z = bz, Bunki::m_my = bmy;
        Bunki::m_mx = bmx, Rail::m_iFY = fy, Rail::m_iFX = fx, Rail::m_iTY = ty, Rail::m_iTX = tx;
        Antenna::m_y = ay, Antenna::m_x = ax, Bunki::m_y = by, Bunki::m_x = bx;
        RailCore::afterLoad();
    }
};

TEST_F(WorldTest, LoadRestoresEverythingTheIndexesKnow) {
    TestRandom rnd(77);
    grow(rnd, 400);
    for (int i = 0; i < 40; ++i) {
        RailPoint p;
        int32_t n;
        if (insidePoint(rnd, p, n)) RailCommands::setSignal(p.z, p.y, p.x);
    }
    const Saved saved = Saved::take();
    const auto putList = std::vector<int32_t>(Rail::getPutList());
    const auto ri = Heisoku::buildRI();
    saved.restore();
    checkNow("after a load");
    EXPECT_EQ(Rail::getPutList(), putList);
    EXPECT_EQ(Heisoku::buildRI(), ri);
    EXPECT_EQ(Saved::take().hs, saved.hs);
    // Editing goes on as before.
    grow(rnd, Rail::count() + 50);
}

TEST_F(WorldTest, LoadRepairsBrokenReferences) {
    lay(21, 1000, 0, 1000, 3000);
    RailCommands::setSignal(0, 1000, 1000);
    RailCommands::setSignal(0, 1000, 2000);
    Saved bad = Saved::take();
    bad.hs[0] = 300;               // a section that does not exist
    bad.se[1] = bad.ss[1];         // one signal owned twice
    bad.st.push_back(5);           // a signal nobody owns
    bad.t.push_back(1);            // a second marker on an occupied point
    bad.az.push_back(bad.az[0]);
    bad.ay.push_back(bad.ay[0]);
    bad.ax.push_back(bad.ax[0]);
    bad.ti.push_back(-1);          // a section no piece uses
    bad.restore();
    checks.checkBoundaries = false;  // the dropped signal leaves a boundary without one
    checkNow("after a repaired load");
    EXPECT_EQ(Signal::count(), 5);
    EXPECT_GE(Rail::getHS(0), 0);
}

}  // namespace
}  // namespace tetsuro::test
