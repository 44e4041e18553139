// The arithmetic of running: speed limits in track units, braking
// distances, the dwell at a platform by its rules, and the motion of a
// train under constant acceleration checked against a tick-by-tick model.
#include "trains/running_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tetsuro::testing {

namespace {

constexpr int64_t kMin = 3600;  // ticks
constexpr int64_t kHour = 60 * kMin;

int64_t at(int64_t h, int64_t m, int64_t s = 0) { return h * kHour + m * kMin + s * 60; }

TEST(RunningMath, SpeedLimitsAndTrackSpeeds) {
    struct Case {
        bool creeping;
        int64_t top, rail;
        int32_t signal;
        int64_t limit;
    };
    const Case cases[] = {
        {false, 1200, 24 * 50, 100, 1200},  // the type and the rail agree
        {false, 1300, 24 * 50, 100, 1200},  // the rail limits
        {false, 900, 24 * 50, 100, 900},    // the type limits
        {false, 1200, 24 * 50, 9, 450},     // a caution signal
        {false, 1200, 24 * 50, 0, 0},       // a signal class 0 limits to 0 (made >= 1 in track units)
        {false, 6000, 120 * 50, -1, 5000},  // no signal limit: 500 km/h
        {false, 1200, -1, 100, 1200},       // no rail under the head: no rail limit
        {true, 1200, 24 * 50, 100, 150},    // creeping
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.top << " " << c.rail << " " << c.signal << " " << c.creeping);
        EXPECT_EQ(Running::speedLimit(c.creeping, c.top, c.rail, c.signal), c.limit);
    }
    // 120 km/h at time scale 1/1 (factor 1920) and 1/16 (factor 120).
    EXPECT_EQ(Running::trackSpeed(1200, 1920), 576000);
    EXPECT_EQ(Running::trackSpeed(1200, 120), 36000);
    // A limit never becomes 0, whatever the rounding.
    EXPECT_EQ(Running::trackSpeed(0, 1920), 1);
    EXPECT_EQ(Running::trackSpeed(3, 1), 1);
}

TEST(RunningMath, BrakingDistanceTruncatesLikeTheFormula) {
    struct Case {
        int64_t b, v, ts, d;
    };
    const Case cases[] = {
        {4, 10, 0, 10},  // 10 x (10 / 4) / 2, not 100 / 8
        {3, 10, 4, 13},  // 15 - 4 x 1 / 2
        {5, 0, 0, 0},
        {5, 4, 0, 0},    // slower than one tick's braking
        {1, 7, 0, 24},   // 49 / 2
        {0, 7, 0, 24},   // a braking of 0 counts as 1
        {-3, 7, 0, 24},
        {2000, 576000, 0, 576000LL * 288 / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "b " << c.b << " v " << c.v << " ts " << c.ts);
        EXPECT_EQ(Running::brakingDistance(c.b, c.v, c.ts), c.d);
    }
}

TEST(RunningMath, StopAndPullOutPoints) {
    // The head has run 300 of its 1000-long rail (700 left): the train's
    // centre reaches the platform's centre after (800 + 200) / 2 - 300.
    EXPECT_EQ(Running::stopPoint(800, 200, 700, 1000), 200);
    EXPECT_EQ(Running::pullOutDistance(800, 200), 300 + Running::kPullOutMargin);
    // cars + 2, divided after the product
    EXPECT_EQ(Running::costRate(120, 4), 120 * 10 * 6 / 256);
    EXPECT_EQ(Running::costRate(25, 1), 2);
}

// A day of `unit`-minute slots, all `fill`, with `set` overriding.
std::vector<int8_t> day(int32_t unit, int8_t fill, std::vector<std::pair<int, int8_t>> set) {
    std::vector<int8_t> r(static_cast<size_t>(1440 / unit), fill);
    for (auto [i, c] : set) r[static_cast<size_t>(i)] = c;
    return r;
}

TEST(RunningMath, DwellFollowsThePlatformRules) {
    struct Case {
        const char* what;
        int32_t unit;
        std::vector<int8_t> rules;
        int32_t di;
        int64_t clock;
        int64_t wait;
    };
    const auto stops2_2_34 = day(10, 0, {{10, 2}, {11, 2}, {12, 34}});
    const auto stops2_0 = day(10, 0, {{10, 2}, {11, 0}});
    const Case cases[] = {
        // Leaves at the start of slot 13 (02:10).
        {"2,2,34 at 01:45", 10, stops2_2_34, 10, at(1, 45), 25 * kMin},
        {"2,2,34 at 02:09:55", 10, stops2_2_34, 10, at(2, 9, 55), 600},
        {"2,2,34 found in slot 11 at 01:59", 10, stops2_2_34, 11, at(1, 59), 11 * kMin},
        {"2,2,34 a day later", 10, stops2_2_34, 10, 3 * 5184000 + at(1, 45), 25 * kMin},
        // The start of slot 11 (01:50).
        {"2,0 at 01:41", 10, stops2_0, 10, at(1, 41), 9 * kMin},
        // The run ends in a short stop: 10 s / 5 min into slot 12.
        {"2,2,3", 10, day(10, 0, {{10, 2}, {11, 2}, {12, 3}}), 10, at(1, 45), 15 * kMin + 600},
        {"2,2,4", 10, day(10, 0, {{10, 2}, {11, 2}, {12, 4}}), 10, at(1, 45), 20 * kMin},
        {"1,4 at 1 min", 1, day(1, 0, {{100, 1}, {101, 4}}), 100, at(1, 40, 10), 50 * 60 + 1800},
        {"2,4 at 30 min", 30, day(30, 0, {{3, 2}, {4, 4}}), 3, at(1, 40), 20 * kMin + 15 * kMin},
        // A marked code at the slot found leaves at the end of that slot.
        {"34 alone", 10, day(10, 0, {{10, 34}}), 10, at(1, 42), 8 * kMin},
        // Code 3 waits 10 s whatever the clock; code 4 by the slot length.
        {"3 early", 10, day(10, 3, {}), 10, at(1, 40), 600},
        {"3 late", 10, day(10, 3, {}), 10, at(23, 59, 59), 600},
        {"4 at 1 min", 1, day(1, 4, {}), 100, at(1, 40), 1800},
        {"4 at 10 min", 10, day(10, 4, {}), 10, at(1, 40), 18000},
        {"4 at 30 min", 30, day(30, 4, {}), 3, at(1, 40), 54000},
        // Over midnight: 23:50 stop, 00:00 marked stop; leaves at 00:10.
        {"wrap at 23:55", 10, day(10, 0, {{143, 2}, {0, 34}}), 143, at(23, 55), 15 * kMin},
        {"wrap, arrived 00:02", 10, day(10, 0, {{143, 2}, {0, 34}}), 143, at(0, 2), 8 * kMin},
        // Nothing but plain stops: the end of the current slot.
        {"all 2", 10, day(10, 2, {}), 10, at(1, 45), 5 * kMin},
        {"all 1 and 2", 10, day(10, 1, {{5, 2}, {77, 2}}), 143, at(23, 51), 9 * kMin},
        {"all 2, end of slot", 10, day(10, 2, {}), 10, at(1, 49, 59), 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Running::dwellTicks(c.rules, c.di, c.unit, c.clock), c.wait);
    }
}

// The motion replayed tick by tick: the speed changes at the end of every
// tick (held at the cap or at 0) and a tick covers the mean of its end
// speeds. Returns twice the distance after every tick.
std::vector<int64_t> bruteDoubled(const Running::Motion& m, int64_t ticks) {
    std::vector<int64_t> d2{0};
    int64_t v = m.v0;
    for (int64_t t = 1; t <= ticks; ++t) {
        int64_t w = v + m.a;
        if (m.a > 0) w = std::min(w, m.cap);
        if (m.a < 0) w = std::max<int64_t>(w, 0);
        d2.push_back(d2.back() + v + w);
        v = w;
    }
    return d2;
}

TEST(RunningMath, MotionMatchesTickByTickRunning) {
    const Running::Motion motions[] = {
        {0, 3, 40},  {0, 4, 40},  {5, 7, 40},  {1, 2, 2},   {0, 5, 1},  // accelerating, odd and even
        {39, 0, 0},  {0, 0, 0},                                          // steady, standing
        {40, -3, 0}, {40, -4, 0}, {41, -7, 0}, {1, -5, 0},  {0, -3, 0},  // braking
        {40, 3, 40},                                                     // already at the cap
    };
    constexpr int64_t kTicks = 40;
    for (const Running::Motion& m : motions) {
        SCOPED_TRACE(::testing::Message() << "v0 " << m.v0 << " a " << m.a << " cap " << m.cap);
        const std::vector<int64_t> d2 = bruteDoubled(m, kTicks);
        int64_t v = m.v0;
        for (int64_t t = 0; t <= kTicks; ++t) {
            ASSERT_EQ(Running::distanceAt(m, t), d2[size_t(t)] / 2) << "tick " << t;
            if (t > 0) {
                v = m.a > 0 ? std::min(v + m.a, m.cap) : m.a < 0 ? std::max<int64_t>(v + m.a, 0) : v;
            }
            ASSERT_EQ(Running::speedAt(m, t), v) << "tick " << t;
        }
        // The first tick at which d more is covered since `from`.
        for (int64_t from : {0, 1, 3}) {
            for (int64_t d = 1; d <= d2.back() / 2 + 3; d += 1 + d / 8) {
                int64_t want = -1;
                for (int64_t t = from + 1; t <= kTicks; ++t) {
                    if (d2[size_t(t)] / 2 - d2[size_t(from)] / 2 >= d) {
                        want = t;
                        break;
                    }
                }
                ASSERT_EQ(Running::timeToCover(m, from, d, kTicks), want) << "from " << from << " d " << d;
            }
        }
    }
}

}  // namespace

}  // namespace tetsuro::testing
