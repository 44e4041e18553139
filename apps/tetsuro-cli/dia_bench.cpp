#include "dia_bench.h"

#include <chrono>
#include <random>
#include <utility>
#include <vector>

#include "support/shift_jis.h"
#include "trains/dia_connect.h"
#include "trains/platform_store.h"
#include "trains/train_dia.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"

namespace tetsuro::cli {

namespace {

constexpr int32_t kTrains = 1000, kStations = 1000, kStops = 50;

double secondsSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A closed daily loop of kStops stops written straight into the record, as
// leave() leaves it: entries 0..n-1, a copy of entry 0, departures -1.
void writeLoop(int32_t ti, std::mt19937& rng) {
    Train::clearDia(ti);
    const size_t at = size_t(ti) * size_t(Train::m_diamax);
    int32_t t = int32_t(rng() % 3600u);
    for (int32_t k = 0; k < kStops; ++k) {
        Train::m_aDiaFo[at + size_t(k)] = int16_t(rng() % uint32_t(kStations));
        Train::m_aDiaAr[at + size_t(k)] = t;
        t += 1800;
        Train::m_aDiaLe[at + size_t(k)] = t;
        t += 60000 + int32_t(rng() % 40000u);
    }
    Train::m_aDiaFo[at + kStops] = Train::m_aDiaFo[at];
    Train::m_aDiaAr[at + kStops] = Train::m_aDiaAr[at];
    Train::m_aDiaLe[at + kStops] = Train::m_aDiaLe[at + kStops + 1] = -1;
    Train::m_DiaIdx[size_t(ti)] = int16_t(rng() % uint32_t(kStops));
    Train::m_lLastMS[size_t(ti)] = 1'000'000 + int64_t(rng() % 100000u);
    Train::m_NF[size_t(ti)] = Train::kNoPlatform;
    DiaConnect::touch(ti);
}

}  // namespace

int benchTimetables(const FigurePrinter& print) {
    Train::reset();
    TrainSpec::reset();
    TrainSpec type;
    type.m_name = SJ(u8"試験車");
    type.m_speed = 100;
    type.m_length = 200;
    TrainSpec::s_o.push_back(type);
    PlatformStore::reset();
    // Platform p belongs to station p (no track: the records need only the
    // platform-to-station table).
    Form::m_st.resize(kStations);
    for (int32_t p = 0; p < kStations; ++p) Form::m_st[size_t(p)] = int16_t(p);
    std::mt19937 rng(2026);
    for (int32_t tn = 0; tn < kTrains; ++tn) {
        const int32_t ti = Train::add(tn, 0, 1, 24000);
        if (ti < 0) return 1;
        writeLoop(ti, rng);
    }
    const nlohmann::json work{{"trains", kTrains}, {"stations", kStations}, {"stops", kStops}};

    DiaConnect::touchAll();
    auto t0 = std::chrono::steady_clock::now();
    bool sink = Train::isConnect(0, 1);
    print("timetables.index_build_ms", secondsSince(t0) * 1e3, "ms", work);

    // Half the pairs from a loop (mostly connected), half at random.
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (int i = 0; i < 4096; ++i) {
        if (i % 2 == 0) {
            const int32_t ti = int32_t(rng() % uint32_t(kTrains));
            pairs.emplace_back(Train::getDiaSt(ti, int32_t(rng() % kStops)),
                               Train::getDiaSt(ti, int32_t(rng() % kStops)));
        } else {
            pairs.emplace_back(int32_t(rng() % kStations), int32_t(rng() % kStations));
        }
    }
    int64_t hits = 0;
    const int64_t calls = 4'000'000;
    t0 = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < calls; ++i) {
        const auto& [a, b] = pairs[size_t(i) & 4095];
        hits += Train::isConnect(a, b) ? 1 : 0;
    }
    print("timetables.isConnect_ns", secondsSince(t0) * 1e9 / double(calls), "ns/call",
          {{"calls", calls}, {"connected", hits}, {"setup", work}});
    const int64_t scans = 2000;
    t0 = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < scans; ++i) sink ^= Train::isConnectScan(pairs[size_t(i)].first, pairs[size_t(i)].second);
    print("timetables.isConnect_scan_ns", secondsSince(t0) * 1e9 / double(scans), "ns/call",
          {{"calls", scans}, {"setup", work}});

    int64_t found = 0;
    const int64_t searches = 200'000;
    t0 = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < searches; ++i) {
        const auto& [a, b] = pairs[size_t(i) & 4095];
        found += Train::searchFirstArrive(a, b) >= 0 ? 1 : 0;
    }
    print("timetables.searchFirstArrive_ns", secondsSince(t0) * 1e9 / double(searches), "ns/call",
          {{"calls", searches}, {"found", found}, {"setup", work}});
    t0 = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < scans; ++i) {
        found += Train::searchFirstArriveScan(pairs[size_t(i)].first, pairs[size_t(i)].second) >= 0 ? 1 : 0;
    }
    print("timetables.searchFirstArrive_scan_ns", secondsSince(t0) * 1e9 / double(scans), "ns/call",
          {{"calls", scans}, {"setup", work}});

    // One loop cleared and another closed, then the next question.
    const int64_t renewals = 2000;
    t0 = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < renewals; ++i) {
        writeLoop(int32_t(rng() % uint32_t(kTrains)), rng);
        sink ^= Train::isConnect(0, 1);
    }
    print("timetables.loop_renewal_us", secondsSince(t0) * 1e6 / double(renewals), "us/loop",
          {{"loops", renewals}, {"setup", work}, {"sink", sink}});

    Train::reset();
    TrainSpec::reset();
    PlatformStore::reset();
    return 0;
}

}  // namespace tetsuro::cli
