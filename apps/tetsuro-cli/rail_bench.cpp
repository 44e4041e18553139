#include "support/split_mix64.h"
#include "rail_bench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_commands.h"
#include "rail/rail_core.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_put_list.h"
#include "rail/rail_sections.h"
#include "rail/rail_store.h"
#include "rail/signal.h"
#include "support/sub.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::cli {

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

using Random = SplitMix64;

// The view follows the last piece laid: 8 x 8 draw patches of 8 meshes.
class BenchHooks : public NullRailHooks {
public:
    RailViewRect viewRect() override { return m_view; }
    void lookAt(const RailPoint& p) {
        const int32_t half = 8 * 8 * Sub::m_iMS / 2;
        m_view = {p.y - half, p.x - half, p.y + half, p.x + half};
    }
    RailViewRect m_view;
};

// Lines of track wandering across the map, branching now and then at 30
// degrees (which makes switches), some slower stretches (which make
// speed-change boundaries), crossing each other freely.
class LayoutBuilder {
public:
    // One piece in `slowEvery` is slow (class 9), which makes boundaries.
    LayoutBuilder(uint64_t seed, BenchHooks& hooks, int slowEvery) : m_rnd(seed), m_hooks(hooks), m_slowEvery(slowEvery) {
        m_extent = int64_t{Sub::s_iMY} * Sub::m_iMS;
        startLine();
    }

    // Lays one more piece; the time it took in ms, negative when nothing was laid.
    double step() {
        if (m_rnd.below(100) < 4 && Rail::count() > 0) {
            if (!branch()) startLine();
        } else if (m_rnd.below(100) < 2) {
            startLine();
        }
        m_angle += static_cast<double>(m_rnd.below(41) - 20);
        const double len = 200 + static_cast<double>(m_rnd.below(1300));
        const double rad = m_angle * std::numbers::pi / 180.0;
        RailPoint to{0, static_cast<int32_t>(std::lround(m_tip.y + std::sin(rad) * len)),
                     static_cast<int32_t>(std::lround(m_tip.x + std::cos(rad) * len))};
        if (to.y < 100 || to.x < 100 || to.y > m_extent - 100 || to.x > m_extent - 100) {
            startLine();
            return -1;
        }
        const int spd = m_rnd.below(m_slowEvery) == 0 ? 9 : 21;
        m_hooks.lookAt(to);
        const auto t0 = Clock::now();
        int32_t r = RailCommands::layPiece(0, spd, m_tip, to);
        Rail::getPutList();  // drawn before the next add
        const double ms = msSince(t0);
        if (r < 0) {
            startLine();
            return -1;
        }
        m_tip = to;
        return ms;
    }

private:
    void startLine() {
        m_tip = RailPoint{0, static_cast<int32_t>(1000 + m_rnd.below(m_extent - 2000)),
                          static_cast<int32_t>(1000 + m_rnd.below(m_extent - 2000))};
        m_angle = static_cast<double>(m_rnd.below(360));
    }

    // A new line leaving a random piece at 30 degrees from a point inside it.
    bool branch() {
        const int32_t n = static_cast<int32_t>(m_rnd.below(Rail::size()));
        if (!Rail::isValid(n)) return false;
        const int64_t dy = int64_t{Rail::m_iTY[n]} - Rail::m_iFY[n];
        const int64_t dx = int64_t{Rail::m_iTX[n]} - Rail::m_iFX[n];
        const int64_t g = VelJLib::getGCD(dy, dx);
        if (g < 2) return false;
        const int64_t k = 1 + m_rnd.below(g - 1);
        const int32_t y = static_cast<int32_t>(Rail::m_iFY[n] + dy / g * k);
        const int32_t x = static_cast<int32_t>(Rail::m_iFX[n] + dx / g * k);
        m_tip = RailPoint{Rail::getZ(n, y, x), y, x};
        m_angle = Rail::getAngleYX360f(n) + (m_rnd.below(2) == 0 ? 30.0 : -30.0);
        return true;
    }

    Random m_rnd;
    BenchHooks& m_hooks;
    int m_slowEvery;
    int64_t m_extent = 0;
    RailPoint m_tip;
    double m_angle = 0;
};

void freshWorld() {
    Sub::reset();
    Sub::init(4096, 4096, 100, 1);
    RailCore::reset();
}

// Builds up to `pieces` pieces; returns the mean ms per piece laid.
double buildTo(LayoutBuilder& b, int32_t pieces) {
    double total = 0;
    int64_t laid = 0;
    int32_t lastReport = 0;
    while (Rail::count() < pieces) {
        double ms = b.step();
        if (ms >= 0) {
            total += ms;
            ++laid;
        }
        if (Rail::count() - lastReport >= 20000) {
            lastReport = Rail::count();
            std::fprintf(stderr, "  ... %d pieces\n", lastReport);
        }
    }
    return laid ? total / static_cast<double>(laid) : 0;
}

void benchAdds(const FigurePrinter& print, BenchHooks& hooks) {
    freshWorld();
    LayoutBuilder b(42, hooks, 40);
    for (int32_t size : {1000, 20000, 100000}) {
        const double buildMs = buildTo(b, size);
        std::vector<double> times;
        while (times.size() < 300) {
            double ms = b.step();
            if (ms >= 0) times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        double mean = 0;
        for (double t : times) mean += t;
        mean /= static_cast<double>(times.size());
        nlohmann::json work{{"pieces", Rail::count()},
                            {"sections", Heisoku::count()},
                            {"switches", Bunki::count()},
                            {"signals", Signal::count()},
                            {"adds", times.size()},
                            {"build_ms_per_piece", buildMs}};
        const std::string base = "rail.add_ms." + std::to_string(size / 1000) + "k";
        print(base + ".mean", mean, "ms/add", work);
        print(base + ".p99", times[times.size() * 99 / 100], "ms/add", work);
        print(base + ".max", times.back(), "ms/add", work);
    }
}

void benchSignals(const FigurePrinter& print, BenchHooks& hooks) {
    freshWorld();
    LayoutBuilder b(7, hooks, 200);
    buildTo(b, 44300);  // the signals below split pieces: about 50k in the end
    // Signals in the middle of pieces until there are 10k sections.
    Random rnd(99);
    auto signalInside = [&](int32_t n) -> bool {
        if (!Rail::isValid(n)) return false;
        const int64_t dy = int64_t{Rail::m_iTY[n]} - Rail::m_iFY[n];
        const int64_t dx = int64_t{Rail::m_iTX[n]} - Rail::m_iFX[n];
        const int64_t g = VelJLib::getGCD(dy, dx);
        if (g < 2) return false;
        const int64_t k = 1 + rnd.below(g - 1);
        const int32_t y = static_cast<int32_t>(Rail::m_iFY[n] + dy / g * k);
        const int32_t x = static_cast<int32_t>(Rail::m_iFX[n] + dx / g * k);
        return RailCommands::setSignal(Rail::getZ(n, y, x), y, x);
    };
    while (Heisoku::count() < 10000) signalInside(static_cast<int32_t>(rnd.below(Rail::size())));
    // Every section shows its aspect once, then one more signal goes in.
    for (int32_t s = 0; s < Heisoku::size(); ++s) Heisoku::renewSignal(s);
    int32_t n = -1;
    auto t0 = Clock::now();
    while (n < 0) {
        int32_t c = static_cast<int32_t>(rnd.below(Rail::size()));
        t0 = Clock::now();
        if (signalInside(c)) n = c;
    }
    const double placeMs = msSince(t0);
    t0 = Clock::now();
    Heisoku::renewSignal(Rail::getHS(n));
    const double renewMs = msSince(t0);
    t0 = Clock::now();
    Heisoku::renewSignal(Rail::getHS(n));
    const double againMs = msSince(t0);
    nlohmann::json work{{"pieces", Rail::count()}, {"sections", Heisoku::count()}, {"signals", Signal::count()}};
    print("rail.set_signal_ms", placeMs, "ms", work);
    print("rail.first_renew_signal_ms", renewMs, "ms", work);
    print("rail.next_renew_signal_ms", againMs, "ms", work);

    // Route look-ups as train running makes them, cache warm.
    std::vector<int32_t> refs;
    for (int32_t i = 0; i < Rail::size(); ++i) {
        if (Rail::isValid(i)) {
            refs.push_back(i);
            refs.push_back(RailRef::make(i, true));
        }
    }
    for (int32_t r : refs) Bunki::getRailConnect(r);
    std::vector<int32_t> order(1 << 20);
    for (auto& o : order) o = refs[static_cast<size_t>(rnd.below(static_cast<int64_t>(refs.size())))];
    int64_t sink = 0;
    t0 = Clock::now();
    for (int32_t r : order) sink += Bunki::getRailConnect(r);
    const double ns = msSince(t0) * 1e6 / static_cast<double>(order.size());
    print("rail.get_rail_connect_ns", ns, "ns/call",
          nlohmann::json{{"calls", order.size()}, {"pieces", Rail::count()}, {"switches", Bunki::count()}, {"checksum", sink}});
}

}  // namespace

int benchRail(const FigurePrinter& print) {
    BenchHooks hooks;
    setRailHooks(&hooks);
    benchAdds(print, hooks);
    benchSignals(print, hooks);
    setRailHooks(nullptr);
    RailCore::reset();
    return 0;
}

}  // namespace tetsuro::cli
