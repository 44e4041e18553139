// Running in small worlds, each showing one rule: a daily timetable loop, a
// train waiting at a held block section, a switch set by the clock, a dead
// end the train cannot turn round at, the cost of waiting, pulling out of a
// platform stopped at off centre, and rates too small for the time scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "rail/heisoku.h"
#include "running_worlds.h"
#include "trains/platform_store.h"
#include "trains/train_dia.h"
#include "trains/train_run_rules.h"
#include "trains/train_spec.h"

namespace tetsuro::testing_running {
namespace {

using nlohmann::json;

constexpr int kSlots = 144;  // 10-minute slots

int64_t at(int64_t h, int64_t m) { return h * kTicksPerHour + m * 3600; }

std::vector<RunEvent> only(const std::vector<RunEvent>& ev, char kind, int32_t ti = -1) {
    std::vector<RunEvent> out;
    for (const RunEvent& e : ev)
        if (e.kind == kind && (ti < 0 || e.ti == ti)) out.push_back(e);
    return out;
}

// A leaves at 10:00 and B at 15:00, once a day: the loop holds the two
// stops, B first (the loop closes on leaving B the second time), then the
// copy of B that marks the wrap.
TEST(RunningVariants, DailyShuttleClosesALoopOfTwo) {
    json j = exampleJson("shuttle.json");
    setPlatformRules(j, 0, dayRules(kSlots, '2', 59));
    setPlatformRules(j, 1, dayRules(kSlots, '2', 89));
    RunWorld w(j.dump());
    ASSERT_EQ(w.error, "");
    w.runPieces(w.clock() + 3 * kTicksPerDay, kTicksPerHour);

    const auto deps = only(w.recorder.events, 'D');
    ASSERT_EQ(deps.size(), 6u);
    for (const RunEvent& e : deps) EXPECT_EQ(timeOfDay(e.clock), e.fi == 0 ? at(10, 0) : at(15, 0)) << e.fi;
    EXPECT_TRUE(Train::isService(0));
    EXPECT_EQ(Train::getDiaSize(0), 2);
    EXPECT_EQ(Train::getDiaFo(0, 0), 1);
    EXPECT_EQ(Train::getDiaFo(0, 1), 0);
    EXPECT_EQ(Train::getDiaFo(0, 2), 1);
    EXPECT_EQ(Train::getDiaLe(0, 2), Train::kDiaLoopEnd);
    EXPECT_EQ(timeOfDay(Train::getDiaLe(0, 0)), at(15, 0));
    EXPECT_EQ(timeOfDay(Train::getDiaLe(0, 1)), at(10, 0));
    EXPECT_EQ(Train::getRotationDay(0), 1);
}

// Platform M in the middle of the shuttle's line is a block section of its
// own. Train 1 stands there until 10:00; train 0 leaves A at 09:00 and
// reaches M's boundary long before.
TEST(RunningVariants, ATrainWaitsAtAHeldSectionAndEntersOnceItIsFree) {
    json j = exampleJson("shuttle.json");
    j["stations"].push_back({{"buildings", {{51, 200}}},
                             {"platforms", {{{"from", {5000, 19000}}, {"to", {5000, 21000}},
                                             {"rules", dayRules(kSlots, '2', 59)}}}}});
    j["trains"].push_back({{"number", 1}, {"type", 0}, {"cars", 4}, {"at", {5000, 20000}}, {"facing", {5000, 21000}}});
    RunWorld w(j.dump());
    ASSERT_EQ(w.error, "");
    const int32_t fiM = 2;
    const int32_t riM = FoBuild::m_ri[static_cast<size_t>(Form::pieces(fiM)[0])];
    ASSERT_EQ(Heisoku::getTI_ri(riM), 1);

    // Tick by tick until 10:20, past train 0's stop at M.
    const int64_t end = w.clock() / kTicksPerDay * kTicksPerDay + at(10, 20);
    std::optional<int64_t> blockedAt, freedAt, enteredAt;
    std::vector<int64_t> retries;  // ticks at which train 0 starts a fresh wait
    int32_t headRef = -1;
    int64_t headPos = 0;
    int32_t lastSP = 0;
    while (w.clock() < end) {
        w.runner().advanceTrain(1);
        const int64_t now = w.clock();
        // No block section is ever held by both trains.
        for (int16_t s : Train::m_held[0]) {
            const auto& other = Train::m_held[1];
            ASSERT_EQ(std::count(other.begin(), other.end(), s), 0) << "section " << s << " at " << now;
        }
        const int32_t holder = Heisoku::getTI_ri(riM);
        if (!freedAt && holder != 1) freedAt = now;
        if (!enteredAt && holder == 0) enteredAt = now;
        const int32_t sp = Train::m_SP[0];
        if (!enteredAt && sp == -Running::kBlockWait && lastSP > -Running::kBlockWait) {
            if (!blockedAt) {
                blockedAt = now;
                headRef = Train::getRI(0, 0);
                headPos = Train::getRP(0, 0);
            }
            retries.push_back(now);
        }
        if (blockedAt && !enteredAt) {
            // Standing dead at the boundary while it waits.
            ASSERT_LT(sp, 0) << now;
            ASSERT_EQ(Train::getRI(0, 0), headRef) << now;
            ASSERT_EQ(Train::getRP(0, 0), headPos) << now;
        }
        lastSP = sp;
    }
    ASSERT_TRUE(blockedAt && freedAt && enteredAt);
    // It stopped dead at M's boundary (x 19000), within a tick's run of it,
    // long before train 1 left.
    const double tickDm = double(Train::getMaxSP_um(0)) / 103680;
    EXPECT_NEAR(TrainDirection::point({headRef, headPos})[2], 19000, tickDm);
    EXPECT_LT(timeOfDay(*blockedAt), at(9, 30));
    ASSERT_GE(retries.size(), 10u);
    for (size_t k = 1; k < retries.size(); ++k) EXPECT_EQ(retries[k] - retries[k - 1], Running::kBlockWait);
    // In as soon as M is free: at the first retry after train 1 has gone.
    EXPECT_GT(*enteredAt, *freedAt);
    EXPECT_LE(*enteredAt - *freedAt, Running::kBlockWait);
    const auto deps1 = only(w.recorder.events, 'D', 1);
    ASSERT_FALSE(deps1.empty());
    EXPECT_EQ(timeOfDay(deps1[0].clock), at(10, 0));
    EXPECT_GT(*freedAt, deps1[0].clock);
    const auto arr0 = only(w.recorder.events, 'A', 0);
    EXPECT_TRUE(std::any_of(arr0.begin(), arr0.end(), [&](const RunEvent& e) { return e.fi == fiM; }));
}

// A branch leaves the main line at x 8000; its switch is curved from 08:00
// to 08:10 only. The train leaves A on the hour and meets the switch a few
// minutes later, so only the 08:00 runs go to the branch's platform.
TEST(RunningVariants, ASwitchSendsTrainsToTheBranchOnlyInItsCurvedSlot) {
    std::string sw(kSlots, '0');
    sw[48] = '1';
    const json j = {
        {"map", {{"rows", 80}, {"columns", 200}, {"mesh_size", 100}}},
        {"time_scale", 5},
        {"slot_minutes", 10},
        {"fund", 200000000},
        {"track",
         {{{"speed", 24}, {"points", {{5000, 3000}, {5000, 18000}}}},
          {{"speed", 16}, {"points", {{5000, 8000}, {6000, 10000}, {6000, 18000}}}}}},
        {"switches", {{{"at", {5000, 8000}}, {"rules", sw}}}},
        {"stations",
         {{{"buildings", {{51, 40}}},
           {"platforms", {{{"from", {5000, 3000}}, {"to", {5000, 5000}}, {"rules_repeat", "22222C"}}}}},
          {{"buildings", {{51, 170}}},
           {"platforms", {{{"from", {5000, 16000}}, {"to", {5000, 18000}}, {"rules_repeat", "3"}}}}},
          {{"buildings", {{61, 170}}},
           {"platforms", {{{"from", {6000, 16000}}, {"to", {6000, 18000}}, {"rules_repeat", "3"}}}}}}},
        {"trains", {{{"type", 0}, {"cars", 4}, {"at", {5000, 4000}}, {"facing", {5000, 5000}}}}},
    };
    RunWorld w(j.dump());
    ASSERT_EQ(w.error, "");
    w.runPieces(w.clock() + 2 * kTicksPerDay, kTicksPerHour);

    const auto& ev = w.recorder.events;
    int branchRuns = 0, mainRuns = 0;
    for (size_t k = 0; k + 1 < ev.size(); ++k) {
        if (ev[k].kind != 'D' || ev[k].fi != 0) continue;
        ASSERT_EQ(ev[k + 1].kind, 'A');
        const bool curved = timeOfDay(ev[k].clock) / 36000 == 48;
        EXPECT_EQ(ev[k + 1].fi, curved ? 2 : 1) << "left A at " << timeOfDay(ev[k].clock);
        (curved ? branchRuns : mainRuns)++;
    }
    EXPECT_EQ(branchRuns, 2);  // 08:00 on the second and third days
    EXPECT_GE(mainRuns, 40);
}

// The line ends in a dead-end piece (made one by a slight bend) just
// shorter than the train. The train runs into the buffer at speed: its head
// overruns the end by part of a tick's run (1.4 units here) and must be
// backed up before turning, which would take its last car off the end piece
// when that car has come onto it by less than the overrun. Such a train is
// taken off the track; with a piece as long as the train it turns round.
TEST(RunningVariants, ATrainThatCannotTurnAtADeadEndIsTakenOff) {
    struct Case {
        int32_t endPiece;  // dm; the train's ends lie 798 dm apart
        bool takenOff;
    };
    for (const Case c : {Case{797, true}, Case{798, false}}) {
        SCOPED_TRACE(c.endPiece);
        const int32_t bend = 10000 + c.endPiece;
        const json j = {
            {"map", {{"rows", 80}, {"columns", 220}, {"mesh_size", 100}}},
            {"time_scale", 1},
            {"track", {{{"speed", 24}, {"points", {{5000, 10000}, {5000, bend}, {5010, bend + 10000}}}}}},
            {"trains", {{{"type", 0}, {"cars", 4}, {"at", {5005, bend + 5000}}, {"facing", {5004, bend + 4000}}}}},
        };
        RunWorld w(j.dump());
        ASSERT_EQ(w.error, "");
        // Sampled every 10 s: it reaches the west end (and, turned, the
        // east end) well within the hour.
        double westmost = 1e9, eastmostAfter = 0;
        for (const int64_t end = w.clock() + kTicksPerHour; w.clock() < end && Train::isPlaced(0);) {
            w.runPieces(w.clock() + 600, 600);
            if (!Train::isPlaced(0)) break;
            const double x = centreX(0);
            westmost = std::min(westmost, x);
            if (westmost < 11000) eastmostAfter = std::max(eastmostAfter, x);
        }
        const auto off = only(w.recorder.events, 'O');
        EXPECT_EQ(off.size(), c.takenOff ? 1u : 0u);
        EXPECT_EQ(Train::isPlaced(0), !c.takenOff);
        if (!c.takenOff) {
            EXPECT_LT(westmost, 11000);
            EXPECT_GT(eastmostAfter, bend + 9000);
        }
    }
}

// The same wait at B, a passenger platform and then a yard: 1 unit per tick
// and nothing.
TEST(RunningVariants, WaitingCostsOnlyOutsideYards) {
    for (const bool yard : {false, true}) {
        SCOPED_TRACE(yard ? "yard" : "passenger platform");
        json j = exampleJson("shuttle.json");
        j["stations"][1]["yard"] = yard;
        std::vector<RunEvent> ev;
        {
            RunWorld probe(j.dump());
            ASSERT_EQ(probe.error, "");
            probe.runPieces(probe.clock() + kTicksPerHour, kTicksPerHour);
            ev = probe.recorder.events;
        }
        // Arrival at B, then its departure.
        const auto arr = std::find_if(ev.begin(), ev.end(), [](const RunEvent& e) { return e.kind == 'A' && e.fi == 1; });
        ASSERT_NE(arr, ev.end());
        ASSERT_NE(arr + 1, ev.end());
        ASSERT_EQ(arr[1].kind, 'D');
        RunWorld w(j.dump());
        w.runPieces(arr->clock, kTicksPerHour);
        const int64_t before = Train::m_IncomeD[0];
        w.runPieces(arr[1].clock, 997);
        const int64_t wait = arr[1].clock - arr->clock;
        EXPECT_GT(wait, 600);
        EXPECT_EQ(before - Train::m_IncomeD[0], yard ? 0 : wait);
    }
}

// The shuttle's train is placed off the centre of A (its head 400 units
// short of A's east end) and stops there at once. Leaving, it must pull out
// 110 units past A's end, not as far as a centred train would (309 units
// past), or it runs onto C, 200 units past A, while still pulling out of A
// and through C without looking at its rules.
TEST(RunningVariants, AnOffCentreTrainPullsOutOnlyJustPastItsPlatform) {
    json j = exampleJson("shuttle.json");
    j["stations"].push_back({{"buildings", {{51, 126}}},
                             {"platforms", {{{"from", {5000, 12200}}, {"to", {5000, 13000}}, {"rules_repeat", "3"}}}}});
    RunWorld w(j.dump());
    ASSERT_EQ(w.error, "");
    w.runPieces(w.clock() + kTicksPerHour, kTicksPerHour);
    const auto& ev = w.recorder.events;
    ASSERT_GE(ev.size(), 3u);
    EXPECT_EQ(ev[1].kind, 'D');
    EXPECT_EQ(ev[1].fi, 0);
    EXPECT_EQ(ev[2].kind, 'A');
    EXPECT_EQ(ev[2].fi, 2) << "the first stop after A is C";
}

// A type whose acceleration and braking divide to 0 at time scale 1/32
// still runs (at 1 unit per tick per tick) and stops at B.
TEST(RunningVariants, RatesThatDivideToZeroStillRun) {
    json j = exampleJson("shuttle.json");
    j["time_scale"] = 6;
    RunWorld w(j.dump());
    ASSERT_EQ(w.error, "");
    // The catalogue is shared by every test: the type is put back however
    // this one ends.
    struct Restore {
        TrainSpec& type;
        TrainSpec saved;
        ~Restore() { type = saved; }
    } restore{TrainSpec::s_o[0], TrainSpec::s_o[0]};
    restore.type.m_accelera = restore.type.m_breaking = 16;
    ASSERT_EQ(Train::getAcceleration(0), 0);
    w.runPieces(w.clock() + 3 * kTicksPerHour, kTicksPerHour);
    const auto arr = only(w.recorder.events, 'A');
    EXPECT_TRUE(std::any_of(arr.begin(), arr.end(), [](const RunEvent& e) { return e.fi == 1; }));
}

}  // namespace
}  // namespace tetsuro::testing_running
