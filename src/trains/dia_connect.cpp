#include "trains/dia_connect.h"

#include <algorithm>
#include <bit>

#include "trains/station_store.h"
#include "trains/train_dia.h"
#include "trains/train_store.h"

namespace tetsuro::DiaConnect {

namespace {

constexpr int32_t kStations = Station::m_max;
constexpr int32_t kWords = (Train::m_max + 63) / 64;

struct Index {
    bool built = false;
    bool all = true;
    std::vector<uint16_t> pairs;             // kStations x kStations loop counts
    std::vector<uint64_t> trainsAt;          // kWords per station
    std::vector<std::vector<int16_t>> sets;  // what each train is counted with
    std::vector<int32_t> dirty;
    std::vector<uint8_t> isDirty;
};

Index g;

bool inRange(int32_t st) { return st >= 0 && st < kStations; }

void count(int32_t ti, const std::vector<int16_t>& s, int delta) {
    for (int16_t a : s) {
        uint64_t& w = g.trainsAt[size_t(a) * kWords + size_t(ti) / 64];
        const uint64_t bit = uint64_t(1) << (ti % 64);
        w = delta > 0 ? (w | bit) : (w & ~bit);
        for (int16_t b : s) {
            if (a != b) g.pairs[size_t(a) * kStations + size_t(b)] += uint16_t(delta);
        }
    }
}

void renew(int32_t ti) {
    if (ti < 0 || ti >= Train::m_max) return;
    if (g.sets.size() <= size_t(ti)) g.sets.resize(size_t(ti) + 1);
    std::vector<int16_t> now = loopStations(ti);
    auto& was = g.sets[size_t(ti)];
    if (now == was) return;
    count(ti, was, -1);
    count(ti, now, +1);
    was = std::move(now);
}

void flush() {
    if (!g.built) {
        g.pairs.assign(size_t(kStations) * kStations, 0);
        g.trainsAt.assign(size_t(kStations) * kWords, 0);
        g.isDirty.assign(size_t(Train::m_max), 0);
        g.built = true;
    }
    if (g.all) {
        std::fill(g.pairs.begin(), g.pairs.end(), uint16_t{0});
        std::fill(g.trainsAt.begin(), g.trainsAt.end(), uint64_t{0});
        g.sets.clear();
        for (int32_t ti = 0; ti < Train::size() && ti < Train::m_max; ++ti) renew(ti);
        g.all = false;
    } else {
        for (int32_t ti : g.dirty) renew(ti);
    }
    for (int32_t ti : g.dirty) g.isDirty[size_t(ti)] = 0;
    g.dirty.clear();
}

}  // namespace

void touch(int32_t ti) {
    if (ti < 0 || ti >= Train::m_max || g.all) return;
    if (g.isDirty.size() <= size_t(ti)) g.isDirty.resize(size_t(Train::m_max), 0);
    if (g.isDirty[size_t(ti)] != 0) return;
    g.isDirty[size_t(ti)] = 1;
    g.dirty.push_back(ti);
}

void touchAll() {
    g.all = true;
    for (int32_t ti : g.dirty) g.isDirty[size_t(ti)] = 0;
    g.dirty.clear();
}

bool anyLoopCalls(int32_t st0, int32_t st1) {
    if (!inRange(st0) || !inRange(st1) || st0 == st1) return false;
    flush();
    return g.pairs[size_t(st0) * kStations + size_t(st1)] > 0;
}

std::vector<int32_t> trainsCallingAt(int32_t st0, int32_t st1) {
    std::vector<int32_t> out;
    if (!inRange(st0) || !inRange(st1)) return out;
    flush();
    const uint64_t* a = &g.trainsAt[size_t(st0) * kWords];
    const uint64_t* b = &g.trainsAt[size_t(st1) * kWords];
    for (int32_t w = kWords - 1; w >= 0; --w) {
        uint64_t m = a[w] & b[w];
        while (m != 0) {
            const int hi = 63 - std::countl_zero(m);
            out.push_back(w * 64 + hi);
            m &= ~(uint64_t(1) << hi);
        }
    }
    return out;
}

std::vector<int16_t> loopStations(int32_t ti) {
    std::vector<int16_t> s;
    if (!Train::isService(ti)) return s;
    const int32_t n = Train::getDiaSize(ti);
    for (int32_t k = 0; k < n; ++k) {
        const int32_t st = Train::getDiaSt(ti, k);
        if (inRange(st)) s.push_back(int16_t(st));
    }
    std::sort(s.begin(), s.end());
    s.erase(std::unique(s.begin(), s.end()), s.end());
    return s;
}

}  // namespace tetsuro::DiaConnect
