#include "trains/train_dia.h"

#include <algorithm>

#include "support/int_math.h"
#include "trains/dia_connect.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"
#include "trains/train_store.h"

namespace tetsuro::Train {

namespace {

bool hasRecord(int32_t ti) { return ti >= 0 && ti < size() && size_t(ti) < m_DiaIdx.size(); }
size_t at(int32_t ti, int32_t i) { return size_t(ti) * size_t(m_diamax) + size_t(i); }
bool inRecord(int32_t ti, int32_t i) { return hasRecord(ti) && i >= 0 && i < m_diamax; }

int16_t& fo(int32_t ti, int32_t i) { return m_aDiaFo[at(ti, i)]; }
int32_t& ar(int32_t ti, int32_t i) { return m_aDiaAr[at(ti, i)]; }
int32_t& le(int32_t ti, int32_t i) { return m_aDiaLe[at(ti, i)]; }
int32_t cur(int32_t ti) { return m_DiaIdx[size_t(ti)]; }

int32_t timeOfDay(int64_t t) {
    const int64_t m = t % kDiaDayTicks;
    return int32_t(m < 0 ? m + kDiaDayTicks : m);
}

// The entry after k in a loop of n entries.
int32_t nextInLoop(int32_t k, int32_t n) { return k + 1 >= n ? 0 : k + 1; }

// Waiting at a platform counts as standing at the current entry.
bool isMoving(int32_t ti) { return m_SP[size_t(ti)] != 0; }

void startOver(int32_t ti, int32_t cnt, int32_t fi) {
    clearDia(ti);
    fo(ti, 0) = int16_t(fi);
    ar(ti, 0) = cnt;
    m_DiaIdx[size_t(ti)] = 0;
}

}  // namespace

bool arrive(int32_t ti, int32_t cnt, int32_t fi) {
    if (!hasRecord(ti)) return false;
    const bool testRun = isTestRun(ti);
    const int32_t e = cur(ti) + 1;
    if (testRun) {
        if (e >= m_diamax - 1 || e < 0) {
            // Full: the entries after a restart would still hold departures
            // and pass for a loop; empty them and keep this stop.
            startOver(ti, cnt, fi);
            return false;
        }
        fo(ti, e) = int16_t(fi);
        ar(ti, e) = cnt;
        m_DiaIdx[size_t(ti)] = int16_t(e);
        return e < m_diamax - 1;
    }
    const int32_t k = le(ti, e) == kDiaLoopEnd ? 0 : e;
    m_DiaIdx[size_t(ti)] = int16_t(k);
    if (fo(ti, k) != fi || timeOfDay(ar(ti, k)) != timeOfDay(cnt)) {
        startOver(ti, cnt, fi);
    }
    return true;
}

void leave(int32_t ti, int32_t cnt) {
    if (!hasRecord(ti) || !isTestRun(ti)) return;
    const int32_t i = cur(ti);
    if (i < 0 || i >= m_diamax) return;
    int64_t t = cnt;
    if (le(ti, 0) >= 0 && t < le(ti, 0)) t += kDiaWeekTicks;
    const int32_t c = timeOfDay(t);
    for (int32_t j = 0; j <= i - 2; ++j) {
        if (fo(ti, j) != fo(ti, i - 1) || fo(ti, j + 1) != fo(ti, i)) continue;
        if (le(ti, j + 1) < 0 || timeOfDay(le(ti, j + 1)) != c) continue;
        const int32_t L = i - j;
        for (int32_t k = 0; k < L; ++k) {
            fo(ti, k) = fo(ti, j + 1 + k);
            ar(ti, k) = ar(ti, j + 1 + k);
            le(ti, k) = le(ti, j + 1 + k);
        }
        le(ti, L) = kDiaLoopEnd;
        le(ti, L - 1) = kDiaLoopEnd;
        ar(ti, 0) = ar(ti, i);
        m_DiaIdx[size_t(ti)] = 0;
        DiaConnect::touch(ti);
        return;
    }
    le(ti, i) = int32_t(t);
}

bool isTestRun(int32_t ti) {
    if (!hasRecord(ti)) return true;
    const int32_t i = cur(ti);
    return i < 0 || i >= m_diamax - 1 || le(ti, i + 1) == kDiaNotLeft;
}

bool isService(int32_t ti) { return isPlaced(ti) && !isTestRun(ti); }

int32_t getDiaSize(int32_t ti) {
    if (!hasRecord(ti)) return -1;
    for (int32_t i = 0; i < m_diamax; ++i) {
        if (le(ti, i) < 0) return i;
    }
    return -1;
}

int32_t getDiaFo(int32_t ti, int32_t i) { return inRecord(ti, i) ? fo(ti, i) : -1; }
int32_t getDiaAr(int32_t ti, int32_t i) { return inRecord(ti, i) ? ar(ti, i) : kDiaNotLeft; }
int32_t getDiaLe(int32_t ti, int32_t i) { return inRecord(ti, i) ? le(ti, i) : kDiaNotLeft; }
int32_t getDiaSt(int32_t ti, int32_t i) { return Form::getSt(getDiaFo(ti, i)); }

int32_t getStartDiaIdx(int32_t ti) {
    if (!hasRecord(ti)) return -1;
    const int32_t i = cur(ti) - 1;
    return i >= 0 ? i : getDiaSize(ti) - 1;
}

int32_t getStartStation(int32_t ti) { return getDiaSt(ti, getStartDiaIdx(ti)); }

int32_t getDiaLe_Last(int32_t ti) { return getDiaLe(ti, getDiaSize(ti) - 1); }

int32_t getRotationDay(int32_t ti) {
    int64_t d = int64_t(getDiaLe_Last(ti)) - getDiaLe(ti, 0);
    // A loop that crossed the week's end.
    if (d < 0) d += kDiaWeekTicks;
    return int32_t(d / kDiaDayTicks) + 1;
}

int64_t getArriveDT(int32_t ti, int32_t i) {
    if (!hasRecord(ti) || cur(ti) < 0) return 0;
    int64_t d = int64_t(getDiaAr(ti, i)) - getDiaAr(ti, cur(ti));
    // Adding whole days until non-negative (a loaded record may hold any time).
    if (d < 0) d = floorMod<int64_t>(d, kDiaDayTicks);
    return m_lLastMS[size_t(ti)] + d;
}

int64_t searchArrive(int32_t ti, int32_t fs, int32_t ts) {
    if (!isService(ti) || fs == ts) return 0;
    const int32_t n = getDiaSize(ti);
    const int32_t c = cur(ti);
    if (n <= 0 || c >= n) return 0;
    int32_t k = isMoving(ti) ? nextInLoop(c, n) : c;
    while (getDiaSt(ti, k) != fs) {
        k = nextInLoop(k, n);
        if (k == c) return 0;
    }
    const int32_t from = k;
    int64_t offset = 0;
    for (k = nextInLoop(from, n); k != from; k = nextInLoop(k, n)) {
        if (k == c) offset += int64_t(getRotationDay(ti)) * kDiaDayTicks;
        const int32_t st = getDiaSt(ti, k);
        if (st == ts) return getArriveDT(ti, k) + offset;
        if (st == fs) return 0;
    }
    return 0;
}

namespace {
// Examined from the highest number down; a later train replaces the choice
// only when strictly earlier.
template <class Trains>
int32_t firstArrive(const Trains& trains, int32_t fs, int32_t ts) {
    int32_t best = -1;
    int64_t bestT = 0;
    for (int32_t ti : trains) {
        const int64_t t = searchArrive(ti, fs, ts);
        if (t > 0 && (best < 0 || t < bestT)) {
            best = ti;
            bestT = t;
        }
    }
    return best;
}
}  // namespace

int32_t searchFirstArriveScan(int32_t fs, int32_t ts) {
    std::vector<int32_t> all;
    for (int32_t ti = size() - 1; ti >= 0; --ti) all.push_back(ti);
    return firstArrive(all, fs, ts);
}

int32_t searchFirstArrive(int32_t fs, int32_t ts) {
    if (fs == ts) return -1;
    return firstArrive(DiaConnect::trainsCallingAt(fs, ts), fs, ts);
}

bool isConnect(int32_t ti, int32_t st0, int32_t st1) {
    if (!isService(ti) || Station::isYard(st0) || Station::isYard(st1)) return false;
    bool a = false, b = false;
    const int32_t n = getDiaSize(ti);
    for (int32_t k = 0; k < n && !(a && b); ++k) {
        const int32_t st = getDiaSt(ti, k);
        a = a || st == st0;
        b = b || st == st1;
    }
    return a && b;
}

bool isConnectScan(int32_t st0, int32_t st1) {
    if (st0 == st1) return false;
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (isConnect(ti, st0, st1)) return true;
    }
    return false;
}

bool isConnect(int32_t st0, int32_t st1) {
    if (st0 == st1 || Station::isYard(st0) || Station::isYard(st1)) return false;
    return DiaConnect::anyLoopCalls(st0, st1);
}

void clearDiaUsingPlatform(int32_t fi) {
    if (fi < 0) return;
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (!hasRecord(ti) || cur(ti) < 0) continue;
        const int32_t n = isTestRun(ti) ? std::min(cur(ti) + 1, m_diamax) : getDiaSize(ti) + 1;
        for (int32_t k = 0; k < n; ++k) {
            if (fo(ti, k) == fi) {
                clearDia(ti);
                break;
            }
        }
    }
}

}  // namespace tetsuro::Train
