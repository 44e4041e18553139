// A single train in a few hundred random small worlds (line lengths, speed
// classes, platforms with random rules, time scales, slot lengths, trains),
// run step by step, by either stepper, under a watchdog: the clock never
// stands still for more than a step or two, a run needs a bounded number of
// steps, and a train never runs through a platform it fits whose rules
// said stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "running_worlds.h"
#include "support/sub_dia.h"
#include "trains/platform_store.h"
#include "trains/train_chain.h"
#include "trains/train_run_rules.h"
#include "trains/train_spec.h"

namespace tetsuro::testing_running {
namespace {

using nlohmann::json;

constexpr int64_t kY = 5000;

struct Span {
    int64_t from, to;  // dm along the line
};

struct FuzzWorld {
    json j;
    std::string what;  // for failure messages
};

// Rules as runs of random codes, passing more often than not.
std::string randomRules(std::mt19937_64& rng, int slots) {
    static const char kCodes[] = "00001234ABCDE";
    std::string s;
    while (static_cast<int>(s.size()) < slots) {
        const char c = kCodes[rng() % (sizeof kCodes - 1)];
        s.append(std::min<size_t>(1 + rng() % 12, static_cast<size_t>(slots) - s.size()), c);
    }
    return s;
}

FuzzWorld randomWorld(uint64_t seed) {
    std::mt19937_64 rng(seed);
    auto pick = [&](int64_t lo, int64_t hi) { return lo + static_cast<int64_t>(rng() % uint64_t(hi - lo + 1)); };
    const int slotMinutes = std::array{1, 10, 30}[rng() % 3];
    const int slots = 1440 / slotMinutes;
    const int64_t x0 = 2000, x1 = x0 + pick(3000, 20000);

    // The line, in one to three stretches of their own speed class.
    json track = json::array();
    std::vector<int64_t> cuts{x0};
    const int stretches = static_cast<int>(pick(1, 3));
    for (int k = 1; k < stretches; ++k) cuts.push_back(x0 + (x1 - x0) * k / stretches);
    cuts.push_back(x1);
    for (size_t k = 0; k + 1 < cuts.size(); ++k)
        track.push_back({{"speed", pick(3, 100)}, {"points", {{kY, cuts[k]}, {kY, cuts[k + 1]}}}});

    // One or two platforms, each on one stretch, with room between them to
    // pull out.
    std::vector<Span> platforms;
    const int nPlatforms = static_cast<int>(pick(1, 3));
    for (int tries = 0; tries < 20 && static_cast<int>(platforms.size()) < nPlatforms; ++tries) {
        const int64_t len = pick(300, 2500);
        if (len > x1 - x0) continue;
        // Often at a buffer stop.
        const int64_t where = pick(0, 5);
        const int64_t from = where == 0 ? x0 : where == 1 ? x1 - len : pick(x0, x1 - len);
        const Span p{from, from + len};
        const bool clear =
            std::all_of(platforms.begin(), platforms.end(),
                        [&](const Span& q) { return p.to + 130 < q.from || q.to + 130 < p.from; }) &&
            std::none_of(cuts.begin(), cuts.end(), [&](int64_t c) { return p.from < c && c < p.to; });
        if (clear) platforms.push_back(p);
    }
    json stations = json::array();
    for (const Span& p : platforms) {
        stations.push_back({{"yard", rng() % 4 == 0},
                            {"buildings", {{kY / 100 + 1, (p.from + p.to) / 200}}},
                            {"platforms", {{{"from", {kY, p.from}}, {"to", {kY, p.to}}, {"rules", randomRules(rng, slots)}}}}});
    }

    // The train lies whole on one piece: pieces end at stretch ends and
    // platform ends.
    for (const Span& p : platforms) cuts.insert(cuts.end(), {p.from, p.to});
    std::sort(cuts.begin(), cuts.end());
    const int type = static_cast<int>(pick(0, TrainSpec::size() - 1));
    const int64_t L = TrainSpec::getLength(type);
    const int cars = static_cast<int>(pick(1, 8));
    std::vector<Span> room;
    for (size_t k = 0; k + 1 < cuts.size(); ++k)
        if (cuts[k + 1] - cuts[k] > cars * L + 4) room.push_back({cuts[k], cuts[k + 1]});
    json trains = json::array();
    std::string what = "seed " + std::to_string(seed);
    if (!room.empty()) {
        const Span r = room[rng() % room.size()];
        const bool east = rng() % 2 == 0;
        // The head car is centred on `at`; the rest trails behind it.
        const int64_t ahead = L / 2, behind = cars * L - L / 2;
        const int64_t at = east ? pick(r.from + behind + 2, r.to - ahead - 2) : pick(r.from + ahead + 2, r.to - behind - 2);
        trains.push_back({{"type", type}, {"cars", cars}, {"at", {kY, at}}, {"facing", {kY, east ? at + 100 : at - 100}}});
        what += " type " + std::to_string(type) + " cars " + std::to_string(cars) + " at " + std::to_string(at);
    }
    FuzzWorld w;
    w.j = {{"map", {{"rows", 60}, {"columns", (x1 + 200) / 100}, {"mesh_size", 100}}},
           {"time_scale", pick(1, 6)},
           {"slot_minutes", slotMinutes},
           {"fund", 2000000000},
           {"track", track},
           {"stations", stations},
           {"trains", trains}};
    w.what = what;
    return w;
}

// The platform whose piece is rail index ri, -1 for none.
int32_t platformOnRail(int32_t ri) { return ri >= 0 ? Form::searchIndex_ri(ri) : -1; }

// The rules said stop in every slot from t0 to t1.
bool stopsThroughout(int32_t fi, int64_t t0, int64_t t1) {
    const int64_t slotTicks = int64_t{Sub::getDiaUnit()} * 3600;
    for (int64_t t = t0 / slotTicks * slotTicks; t <= t1; t += slotTicks) {
        if (Train::stopRule(fi, Sub::getDiaIndexAt(std::max(t, t0))) == 0) return false;
    }
    return true;
}

TEST(RunningFuzz, RandomWorldsKeepTheWatchdogAndTheStops) {
    constexpr int kWorlds = 300;
    constexpr int64_t kRunTicks = 4 * kTicksPerHour;
    constexpr int kMaxCalls = 20000;
    constexpr int kMaxStill = 4;
    int built = 0, stopsChecked = 0, maxCalls = 0, maxStill = 0;
    // The catalogue is read when the first world is built.
    { RunWorld boot("{\"map\": {\"rows\": 8, \"columns\": 8}}"); }
    for (int n = 0; n < kWorlds; ++n) {
        const FuzzWorld fw = randomWorld(0x5eed0000u + uint64_t(n));
        SCOPED_TRACE(fw.what);
        RunWorld w(fw.j.dump());
        if (!w.error.empty() || Train::size() == 0 || !Train::isPlaced(0)) continue;
        ++built;
        // Both steppers, in turn.
        w.runner().setLiteral(n % 2 == 0);

        // A platform rail the head came onto, and when.
        int32_t enteredFi = -1;
        int64_t enteredAt = 0;
        size_t eventsAtEntry = 0;
        int32_t headRail = RailRef::index(Train::headRef(0));
        int32_t headRef = Train::headRef(0);
        const int64_t end = w.clock() + kRunTicks;
        int calls = 0, still = 0;
        while (w.clock() < end && Train::isPlaced(0)) {
            const int64_t before = w.clock();
            const int64_t used = w.runner().advanceTrain_nextCount(end - before);
            ASSERT_GE(used, 0);
            ASSERT_EQ(w.clock(), before + used);
            // A call may only deal with events without letting time pass
            // (a train placed past its stop point is at one at once), and
            // never many times running.
            still = used == 0 ? still + 1 : 0;
            maxStill = std::max(maxStill, still);
            ASSERT_LE(still, kMaxStill) << "the clock stands at " << before;
            ASSERT_LE(++calls, kMaxCalls) << "the run does not finish";
            if (!Train::isPlaced(0)) break;

            const int32_t ref = Train::headRef(0);
            if (ref == headRef) continue;
            // The head has left its rail (or turned round): a platform it
            // had come onto must have seen the train stop if it fits and
            // its rules said stop all the while.
            if (enteredFi >= 0 && Form::getLength_um(enteredFi) >= Train::length_um(0) &&
                stopsThroughout(enteredFi, enteredAt, w.clock())) {
                const auto& ev = w.recorder.events;
                const bool stopped = std::any_of(ev.begin() + static_cast<ptrdiff_t>(eventsAtEntry), ev.end(),
                                                 [&](const RunEvent& e) { return e.kind == 'A' && e.fi == enteredFi; });
                EXPECT_TRUE(stopped) << "ran through platform " << enteredFi << " (entered at " << enteredAt
                                     << ", left at " << w.clock() << ")";
                ++stopsChecked;
            }
            const int32_t rail = RailRef::index(ref);
            // Turning round on the same piece (at a stop) is not coming onto it.
            if (rail != headRail) {
                enteredFi = platformOnRail(rail);
                enteredAt = w.clock();
                eventsAtEntry = w.recorder.events.size();
            }
            headRail = rail;
            headRef = ref;
        }
        maxCalls = std::max(maxCalls, calls);
        if (HasFatalFailure()) return;
    }
    // Most worlds build, and many of them make checked stops.
    EXPECT_GE(built, kWorlds * 3 / 4);
    EXPECT_GE(stopsChecked, kWorlds / 2);
    RecordProperty("maxCalls", maxCalls);
    RecordProperty("maxStill", maxStill);
}

}  // namespace
}  // namespace tetsuro::testing_running
