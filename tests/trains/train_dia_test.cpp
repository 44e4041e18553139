// Train timetable records: arrivals and departures, loop closure, the
// queries travelers use, and the station index against the literal scans.
#include "trains/train_dia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "support/shift_jis.h"
#include "support/sub.h"
#include "trains/dia_clipboards.h"
#include "trains/dia_connect.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"
#include "trains/train_cars.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

constexpr int32_t kDay = Train::kDiaDayTicks;
constexpr int32_t kMin = 3600;

// Trains with records, platforms p belonging to station p / 2 (set straight
// into the platform table: no track needed for the records).
class TrainDiaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Train::reset();
        TrainSpec::reset();
        addTestTrainType(u8"試験車", 100, 200);
        Train::setTimeScale(Train::m_timesc, Train::s_iTSDenominator, 64);
        PlatformStore::reset();
        platforms(64);
    }
    void TearDown() override {
        Train::reset();
        TrainSpec::reset();
        PlatformStore::reset();
        Train::setTimeScale(Train::m_timesc, Train::s_iTSDenominator, 2048);
    }
    static void platforms(int32_t n) {
        Form::m_st.resize(size_t(n));
        for (int32_t p = 0; p < n; ++p) Form::m_st[size_t(p)] = int16_t(p / 2);
        DiaConnect::touchAll();
    }
    // A placed train (placement marks the index exactly like this).
    static int32_t train(int32_t tn) {
        const int32_t ti = Train::add(tn, 0, 1, 24000);
        Train::m_NF[size_t(ti)] = Train::kNoPlatform;
        DiaConnect::touch(ti);
        return ti;
    }
    static void unplace(int32_t ti) {
        Train::m_NF[size_t(ti)] = Train::kNotPlaced;
        DiaConnect::touch(ti);
    }
    static void stop(int32_t ti, int32_t fi, int32_t ar, int32_t le) {
        Train::arrive(ti, ar, fi);
        Train::leave(ti, le);
    }
    // Shuttles between platforms a and b for `days` days: a at 1:00-1:10,
    // b at 2:00-2:10. Closes its loop on the second departure from b.
    static void shuttle(int32_t ti, int32_t a, int32_t b, int32_t days = 2, int32_t shift = 0) {
        for (int32_t d = 0; d < days; ++d) {
            stop(ti, a, d * kDay + 60 * kMin + shift, d * kDay + 70 * kMin + shift);
            stop(ti, b, d * kDay + 120 * kMin + shift, d * kDay + 130 * kMin + shift);
        }
    }
    static std::vector<int32_t> fos(int32_t ti, int32_t n) {
        std::vector<int32_t> v;
        for (int32_t i = 0; i < n; ++i) v.push_back(Train::getDiaFo(ti, i));
        return v;
    }
};

TEST_F(TrainDiaTest, ShuttleClosesItsLoopAndChecksEveryLaterArrival) {
    const int32_t ti = train(1);
    const int32_t A = 0, B = 2;
    shuttle(ti, A, B, 1);
    EXPECT_TRUE(Train::isTestRun(ti));
    stop(ti, A, kDay + 60 * kMin, kDay + 70 * kMin);
    EXPECT_TRUE(Train::isTestRun(ti)) << "leaving A again is not yet a pass from the same platform";
    stop(ti, B, kDay + 120 * kMin, kDay + 130 * kMin);
    ASSERT_TRUE(Train::isService(ti));
    EXPECT_EQ(fos(ti, 3), (std::vector<int32_t>{B, A, B}));
    EXPECT_EQ(Train::getDiaSize(ti), 2);
    EXPECT_EQ(Train::getDiaLe(ti, 2), -1);
    EXPECT_EQ(Train::getDiaLe(ti, 3), -1);
    EXPECT_EQ(Train::getDiaAr(ti, 0), kDay + 120 * kMin) << "the latest arrival at B";
    EXPECT_EQ(Train::m_DiaIdx[0], 0);
    EXPECT_EQ(Train::getRotationDay(ti), 1);
    // The next day repeats: A is compared with entry 1, B with entry 0.
    EXPECT_TRUE(Train::arrive(ti, 2 * kDay + 60 * kMin, A));
    EXPECT_EQ(Train::m_DiaIdx[0], 1);
    EXPECT_EQ(Train::getStartStation(ti), Form::getSt(B));
    Train::leave(ti, 2 * kDay + 75 * kMin);  // in service: nothing recorded
    EXPECT_EQ(Train::getDiaLe(ti, 1), kDay + 70 * kMin);
    EXPECT_TRUE(Train::arrive(ti, 2 * kDay + 120 * kMin, B));
    EXPECT_EQ(Train::m_DiaIdx[0], 0);
    EXPECT_TRUE(Train::isService(ti));
    EXPECT_EQ(Train::getStartDiaIdx(ti), 1) << "wraps to the loop's last entry";
}

TEST_F(TrainDiaTest, AMismatchRevertsToATestRunStartingWithThatArrival) {
    const int32_t A = 0, B = 2, C = 4;
    struct Case {
        const char* what;
        int32_t fi, ar;
    };
    for (const Case& c :
         {Case{"another platform", C, 3 * kDay + 60 * kMin}, Case{"one tick late", A, 3 * kDay + 60 * kMin + 1},
          Case{"one tick early", A, 3 * kDay + 60 * kMin - 1}}) {
        Train::reset();
        const int32_t ti = train(1);
        shuttle(ti, A, B);
        ASSERT_TRUE(Train::isService(ti));
        EXPECT_TRUE(Train::arrive(ti, c.ar, c.fi)) << c.what;
        EXPECT_TRUE(Train::isTestRun(ti)) << c.what;
        EXPECT_EQ(Train::m_DiaIdx[0], 0) << c.what;
        EXPECT_EQ(Train::getDiaFo(ti, 0), c.fi) << c.what;
        EXPECT_EQ(Train::getDiaAr(ti, 0), c.ar) << c.what;
        EXPECT_EQ(Train::getDiaLe(ti, 1), -2) << c.what;
        EXPECT_EQ(Train::getDiaSize(ti), 0) << c.what;
        EXPECT_FALSE(Train::isConnect(0, 1)) << c.what;
    }
}

TEST_F(TrainDiaTest, TheWeekWrapStillComparesByTimeOfDay) {
    const int32_t ti = train(1);
    const int32_t A = 0, B = 2;
    const int32_t sun = 6 * kDay;
    // Sunday A 23:50-23:59, Monday B 00:05-00:10, then the same a day later.
    stop(ti, A, sun + 1430 * kMin, sun + 1439 * kMin);
    stop(ti, B, 5 * kMin, 10 * kMin);
    EXPECT_EQ(Train::getDiaLe(ti, 1), Train::kDiaWeekTicks + 10 * kMin) << "counted past the week's end";
    stop(ti, A, 1430 * kMin, 1439 * kMin);
    stop(ti, B, kDay + 5 * kMin, kDay + 10 * kMin);
    ASSERT_TRUE(Train::isService(ti));
    EXPECT_EQ(Train::getDiaSize(ti), 2);
    EXPECT_EQ(Train::getRotationDay(ti), 1);
    EXPECT_TRUE(Train::arrive(ti, kDay + 1430 * kMin, A));
    EXPECT_TRUE(Train::isService(ti));
}

TEST_F(TrainDiaTest, AFullRecordStartsOverWithoutAStaleLoop) {
    Train::setTimeScale(Train::m_timesc, Train::s_iTSDenominator, 8);
    const int32_t ti = train(1);
    // Leaving empty records nothing.
    Train::leave(ti, 500);
    EXPECT_EQ(Train::getDiaLe(ti, 0), -2);
    EXPECT_EQ(Train::m_DiaIdx[0], -1);
    int32_t i = 0;
    for (; i < 7; ++i) {
        EXPECT_TRUE(Train::arrive(ti, i * 1000, i % 2)) << i;
        Train::leave(ti, i * 1000 + 500 + i);  // never the same time of day
    }
    EXPECT_EQ(Train::m_DiaIdx[0], 6);
    EXPECT_FALSE(Train::arrive(ti, i * 1000, 4));
    EXPECT_EQ(Train::m_DiaIdx[0], 0);
    EXPECT_EQ(Train::getDiaFo(ti, 0), 4);
    EXPECT_EQ(Train::getDiaAr(ti, 0), i * 1000);
    for (int32_t k = 0; k < 8; ++k) EXPECT_EQ(Train::getDiaLe(ti, k), -2) << k;
    EXPECT_TRUE(Train::isTestRun(ti));
    EXPECT_TRUE(Train::arrive(ti, i * 1000 + 900, 1));
    EXPECT_TRUE(Train::isTestRun(ti));
}

TEST_F(TrainDiaTest, IsConnectNeedsALoopInServiceOnAPlacedTrain) {
    const int32_t ti = train(1);
    shuttle(ti, 0, 2, 1);
    stop(ti, 0, kDay + 60 * kMin, kDay + 70 * kMin);
    stop(ti, 2, kDay + 120 * kMin,
         kDay + 125 * kMin);  // not the time of day it left before
    EXPECT_TRUE(Train::isTestRun(ti));
    EXPECT_FALSE(Train::isConnect(ti, 0, 1));
    EXPECT_FALSE(Train::isConnect(0, 1)) << "calls at both, but on a test run";
    Train::clearDia(ti);
    shuttle(ti, 0, 2);
    EXPECT_TRUE(Train::isConnect(ti, 0, 1));
    EXPECT_TRUE(Train::isConnect(0, 1));
    EXPECT_TRUE(Train::isConnect(1, 0));
    EXPECT_FALSE(Train::isConnect(0, 0));
    EXPECT_FALSE(Train::isConnect(0, 2));
    unplace(ti);
    EXPECT_FALSE(Train::isConnect(0, 1));
}

TEST_F(TrainDiaTest, SearchArriveCountsFromTheLastStop) {
    const int32_t ti = train(1);
    shuttle(ti, 0, 2);  // waits at B (entry 0), A next
    const int64_t T = 1'000'000'000;
    Train::m_lLastMS[0] = T;
    EXPECT_EQ(Train::searchArrive(ti, 1, 0), T + kDay - 60 * kMin) << "B 2:00 -> A 1:00 the next day";
    EXPECT_EQ(Train::searchArrive(ti, 0, 1), T + kDay) << "A then B again after a full rotation";
    EXPECT_EQ(Train::searchArrive(ti, 0, 5), 0);
    // Moving: the stop at B is behind it, and the search ends when it comes
    // back to the current entry.
    Train::m_SP[0] = 10;
    EXPECT_EQ(Train::searchArrive(ti, 1, 0), 0);
    EXPECT_EQ(Train::searchArrive(ti, 0, 1), T + kDay);
}

TEST_F(TrainDiaTest, SearchFirstArrivePrefersTheEarliestThenTheHighestNumber) {
    const int32_t t0 = train(1), t1 = train(2), t2 = train(3);
    shuttle(t0, 0, 2);
    shuttle(t1, 0, 2);
    shuttle(t2, 0, 2);
    for (int32_t ti : {t0, t1}) Train::m_lLastMS[size_t(ti)] = 0;
    Train::m_lLastMS[size_t(t2)] = 1;  // one tick later
    EXPECT_EQ(Train::searchFirstArrive(1, 0), t1);
    EXPECT_EQ(Train::searchFirstArriveScan(1, 0), t1);
    Train::m_lLastMS[size_t(t0)] = -1;
    EXPECT_EQ(Train::searchFirstArrive(1, 0), t0);
    EXPECT_EQ(Train::searchFirstArrive(1, 3), -1);
}

TEST_F(TrainDiaTest, AFreedPlatformClearsTheRecordsThatUseIt) {
    const int32_t t0 = train(1), t1 = train(2), t2 = train(3);
    shuttle(t0, 0, 2);
    shuttle(t1, 4, 6);
    stop(t2, 3, 1000, 2000);  // test run through it
    ASSERT_TRUE(Train::isConnect(0, 1));
    Train::clearDiaUsingPlatform(2);
    EXPECT_TRUE(Train::isTestRun(t0));
    EXPECT_EQ(Train::m_DiaIdx[size_t(t0)], -1);
    EXPECT_FALSE(Train::isConnect(0, 1));
    EXPECT_TRUE(Train::isService(t1));
    Train::clearDiaUsingPlatform(3);
    EXPECT_EQ(Train::m_DiaIdx[size_t(t2)], -1);
}

// Real stations and platforms: a yard never connects, a platform removed
// and made again in the same record is no train's stop, and the platform
// clipboard carries sanitised rules.
TEST_F(TrainDiaTest, PlatformsOfRealStations) {
    Sub::reset();
    Sub::init(256, 256, 100, 1);
    Sub::s_sbDiaUnit = 30;  // as MainCanvas::setDiaUnit(30) leaves it
    DiaClipboards clip;
    EXPECT_FALSE(clip.fits());
    clip.renew();
    EXPECT_TRUE(clip.fits());
    Station::reset();
    PlatformStore::reset();
    const int32_t s0 = Station::add(false, 10, 10), s1 = Station::add(false, 40, 40), yard = Station::add(true, 80, 80);
    ASSERT_TRUE(Station::isYard(yard));
    const int32_t f0 = Form::add(s0), f1 = Form::add(s1), fy = Form::add(yard);
    ASSERT_GE(std::min({f0, f1, fy}), 0);
    const int32_t t0 = train(1), t1 = train(2);
    shuttle(t0, f0, f1);
    shuttle(t1, f0, fy);
    EXPECT_TRUE(Train::isConnect(s0, s1));
    EXPECT_FALSE(Train::isConnect(s0, yard));
    EXPECT_FALSE(Train::isConnectScan(s0, yard));
    EXPECT_FALSE(Train::isConnect(t1, s0, yard));

    Form::remove(f1);
    EXPECT_EQ(Form::add(s0), f1) << "the record is reused";
    EXPECT_TRUE(Train::isTestRun(t0));
    EXPECT_FALSE(Train::isConnect(s0, s1));
    EXPECT_TRUE(Train::isService(t1));

    EXPECT_EQ(clip.platform, std::vector<int8_t>(48, 0));
    EXPECT_EQ(clip.sw, std::vector<int8_t>(48, 0));
    EXPECT_EQ(Form::m_DD[size_t(f0)], Dia::defaultPlatformRules(48, 30));
    clip.platform[0] = int8_t(0x7F);  // a byte from a file
    clip.platform[1] = int8_t(34);
    EXPECT_TRUE(Form::pasteDia(f0, clip.platform));
    std::vector<int8_t> back;
    EXPECT_TRUE(Form::copyDia(f0, back));
    EXPECT_EQ(back[0], Dia::kStop10s);
    EXPECT_EQ(back[1], 34);
    EXPECT_FALSE(Form::pasteDia(f0, std::vector<int8_t>(47, 0))) << "another day length";
    EXPECT_FALSE(Form::copyDia(99, back));
    Station::reset();
    Sub::reset();
}

// Random closed loops, test runs and trains off the track, compared with
// the literal scans before and after random changes.
TEST_F(TrainDiaTest, IndexedQueriesEqualTheLiteralScans) {
    constexpr int32_t kPlatforms = 60, kTrains = 80;
    platforms(kPlatforms);
    std::mt19937 rng(7);
    auto pick = [&](int32_t n) { return int32_t(rng() % uint32_t(n)); };
    std::vector<int32_t> tis;
    for (int32_t tn = 0; tn < kTrains; ++tn) tis.push_back(train(tn));
    auto fill = [&](int32_t ti) {
        Train::clearDia(ti);
        const size_t at = size_t(ti) * size_t(Train::m_diamax);
        const int32_t n = 1 + pick(12);
        int32_t t = pick(kDay);
        for (int32_t k = 0; k < n; ++k) {
            Train::m_aDiaFo[at + size_t(k)] = int16_t(pick(kPlatforms));
            Train::m_aDiaAr[at + size_t(k)] = t;
            t += 1 + pick(3 * kMin);
            Train::m_aDiaLe[at + size_t(k)] = t;
            t += 1 + pick(60 * kMin);
        }
        Train::m_aDiaFo[at + size_t(n)] = Train::m_aDiaFo[at];
        Train::m_aDiaAr[at + size_t(n)] = Train::m_aDiaAr[at];
        Train::m_aDiaLe[at + size_t(n)] = Train::m_aDiaLe[at + size_t(n) + 1] = -1;
        Train::m_DiaIdx[size_t(ti)] = int16_t(pick(n));
        Train::m_lLastMS[size_t(ti)] = 1 + pick(1000);
        Train::m_SP[size_t(ti)] = pick(2);
        if (pick(4) == 0) {  // a test run: nothing recorded after the current entry
            for (int32_t k = Train::m_DiaIdx[size_t(ti)] + 1; k <= n + 1; ++k) {
                Train::m_aDiaFo[at + size_t(k)] = -1;
                Train::m_aDiaAr[at + size_t(k)] = Train::m_aDiaLe[at + size_t(k)] = -2;
            }
        }
        DiaConnect::touch(ti);
    };
    for (int32_t ti : tis) fill(ti);
    auto compare = [&](int round) {
        for (int q = 0; q < 3000; ++q) {
            const int32_t a = pick(kPlatforms / 2 + 2), b = pick(kPlatforms / 2 + 2);
            ASSERT_EQ(Train::isConnect(a, b), Train::isConnectScan(a, b)) << round << " " << a << " " << b;
            ASSERT_EQ(Train::searchFirstArrive(a, b), Train::searchFirstArriveScan(a, b))
                << round << " " << a << " " << b;
        }
    };
    compare(0);
    int hits = 0;
    for (int round = 1; round <= 20; ++round) {
        for (int c = 0; c < 10; ++c) {
            const int32_t ti = tis[size_t(pick(kTrains))];
            switch (pick(4)) {
                case 0:
                    Train::clearDia(ti);
                    break;
                case 1:
                    unplace(ti);
                    break;
                case 2:
                    fill(ti);
                    break;
                default:
                    Train::arrive(ti, pick(kDay), pick(kPlatforms));
                    break;
            }
            if (!Train::isPlaced(ti) && pick(2) == 0) {
                Train::m_NF[size_t(ti)] = Train::kNoPlatform;
                DiaConnect::touch(ti);
            }
        }
        for (int32_t a = 0; a < 10; ++a) hits += Train::isConnectScan(a, a + 1) ? 1 : 0;
        compare(round);
    }
    EXPECT_GT(hits, 20) << "the layout should connect stations often enough to test something";
}

}  // namespace

}  // namespace tetsuro::testing
