// The shuttle example through the frame cycle for three game days: it keeps
// its timetable to the tick, stops centred on its platforms, closes its
// timetable loop on the second day and keeps it, and its running costs
// reach the books exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "game/slots.h"
#include "running_worlds.h"
#include "trains/running_math.h"
#include "trains/train_dia.h"

namespace tetsuro::testing_running {
namespace {

constexpr int32_t kPlatformA = 0, kPlatformB = 1;
constexpr double kCentreA = 11000, kCentreB = 29000;  // dm
constexpr double kTrackUnitsPerDm = 103680;

struct Books {
    int64_t fund, loss, runCost, incomeDay;
};

Books books(RunWorld& w) {
    const auto& la = w.world->canvas().slots().m_la;
    return {la[LA_FUND], la[LA_LOSS], la[LA_RUN_COST], Train::m_IncomeD[0]};
}

TEST(RunningShuttle, KeepsTimeAndBooksOverThreeDays) {
    CheckingRecorder rec;
    RunWorld w(readExampleFile("shuttle.json"));
    ASSERT_EQ(w.error, "");
    w.runner().setHooks(&rec);
    const int64_t start = w.clock();
    const int64_t day1 = start / kTicksPerDay * kTicksPerDay;  // midnight before the start
    const int64_t day2 = day1 + kTicksPerDay, day3 = day2 + kTicksPerDay;
    // The farthest a train runs in a tick: stops are exact to within that
    // (and the half gap its length counts behind its last car).
    const double tickDm =
        double(Running::trackSpeed(std::min<int64_t>(Train::getMaxSP_km(0), 24 * 50), Train::m_timesc)) /
        kTrackUnitsPerDm;

    std::optional<int64_t> firstService;
    std::vector<double> offCentre;  // every stop after the first departure
    rec.check = [&](const RunEvent& e) {
        if (!firstService && Train::isService(e.ti)) firstService = e.clock;
        if (e.clock >= day3) {
            // The loop stands: nothing clears it on the third day.
            EXPECT_TRUE(Train::isService(e.ti)) << e.kind << " at " << e.clock;
            EXPECT_EQ(Train::getDiaSize(e.ti), 48) << e.kind << " at " << e.clock;
        }
        if (e.kind == 'A' && rec.events.size() > 2)
            offCentre.push_back(centreX(e.ti) - (e.fi == kPlatformA ? kCentreA : kCentreB));
    };

    w.runFrames(day2);
    EXPECT_FALSE(Train::isService(0)) << "no day has repeated yet";
    const Books d2a = books(w);
    w.runFrames(day3 - 1);
    const Books d2b = books(w);
    w.runFrames(day3);
    EXPECT_EQ(Train::getDiaSize(0), 48);
    EXPECT_EQ(Train::getRotationDay(0), 1);
    const Books d3a = books(w);
    w.runFrames(day3 + kTicksPerDay - 1);
    const Books d3b = books(w);
    w.runFrames(start + 3 * kTicksPerDay);

    // The loop closed on the second day.
    ASSERT_TRUE(firstService.has_value());
    EXPECT_GE(*firstService, day2);
    EXPECT_LT(*firstService, day3);

    // The books, day by day: what the train cost (its day's income, reset
    // at midnight) is exactly what left LA_RUN_COST for LA_LOSS and the fund.
    for (const auto& [a, b] : {std::pair{d2a, d2b}, std::pair{d3a, d3b}}) {
        EXPECT_EQ(a.incomeDay, 0);
        EXPECT_LT(b.incomeDay, 0);
        EXPECT_EQ(b.fund - a.fund, -(b.loss - a.loss));
        EXPECT_EQ((b.loss - a.loss) * 10000 + (b.runCost - a.runCost), -b.incomeDay);
    }
    EXPECT_EQ(d2b.incomeDay, d3b.incomeDay) << "the same day's running costs the same";

    // The timetable. The train was placed at A off its centre and leaves
    // at once; from then on A departs on the hour and B at half past, and
    // the run from A to B always takes the same time.
    const auto& ev = rec.events;
    ASSERT_GE(ev.size(), 2u);
    EXPECT_EQ(ev[0].kind, 'A');
    EXPECT_EQ(ev[1].kind, 'D');
    int departuresA = 0, departuresB = 0;
    std::optional<int64_t> runAB;
    for (size_t k = 2; k < ev.size(); ++k) {
        const RunEvent& e = ev[k];
        SCOPED_TRACE(testing::Message() << e.kind << " fi " << e.fi << " at " << e.clock);
        ASSERT_EQ(e.kind, k % 2 == 0 ? 'A' : 'D');
        ASSERT_EQ(e.fi, (k / 2) % 2 == 1 ? kPlatformB : kPlatformA) << "A and B in turn";
        if (e.kind != 'D') continue;
        (e.fi == kPlatformA ? departuresA : departuresB)++;
        EXPECT_EQ(timeOfDay(e.clock) % kTicksPerHour, e.fi == kPlatformA ? 0 : kTicksPerHour / 2);
        if (e.fi == kPlatformA && k + 1 < ev.size()) {
            const int64_t run = ev[k + 1].clock - e.clock;
            if (!runAB) runAB = run;
            EXPECT_EQ(run, *runAB);
        }
    }
    EXPECT_EQ(departuresA, 71);  // 10:00 on the first day to 08:00 on the fourth
    EXPECT_EQ(departuresB, 72);  // 09:30 on the first day to 08:30 on the fourth
    ASSERT_EQ(offCentre.size(), 144u);
    for (double d : offCentre) EXPECT_LE(std::abs(d), kHalfTrailingGap + tickDm);
}

}  // namespace
}  // namespace tetsuro::testing_running
