#include "rail/heisoku.h"

#include "rail/bunki.h"
#include "rail/rail_geometry.h"
#include "rail/rail_scan.h"
#include "rail/rail_sections.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "rail/signal.h"
#include "rail/slot_pool.h"

namespace tetsuro::Heisoku {

namespace {
SlotPool g_pool;
}

int32_t add() {
    int32_t n = g_pool.acquire(kMax);
    if (n < 0) return -1;
    if (n >= size()) m_ti.resize(static_cast<size_t>(n) + 1, -2);
    m_ti[n] = -1;
    m_bCreateRI = false;
    return n;
}

bool remove(int32_t n) {
    if (!isValid(n) || pieceCount(n) > 0) return false;
    m_ti[n] = -2;
    g_pool.release(n);
    m_bCreateRI = false;
    return true;
}

bool isValid(int32_t n) { return n >= 0 && n < size() && m_ti[n] != -2; }
int32_t size() { return static_cast<int32_t>(m_ti.size()); }
int32_t count() { return g_pool.count(); }

bool canAdd(int32_t k) { return kMax - count() >= k; }

bool resize(int32_t n) {
    if (n < 0 || n > kMax) return false;
    m_ti.resize(static_cast<size_t>(n), -2);
    g_pool.rebuild(size(), [](int32_t i) { return m_ti[i] != -2; });
    m_bCreateRI = false;
    return true;
}

void reset() {
    m_ti.clear();
    m_ri.clear();
    m_bCreateRI = false;
    g_pool.reset();
}

void afterLoad() {
    if (m_ti.size() > static_cast<size_t>(kMax)) m_ti.resize(static_cast<size_t>(kMax));
    for (int32_t n = 0; n < size(); ++n) {
        if (m_ti[n] < -2) m_ti[n] = -1;
        if (m_ti[n] != -2 && pieceCount(n) == 0) m_ti[n] = -2;
    }
    g_pool.rebuild(size(), [](int32_t i) { return m_ti[i] != -2; });
    m_bCreateRI = false;
}

int32_t pieceCount(int32_t n) { return Rail::index().sectionCount(n); }

void releaseIfEmpty(int32_t n) {
    if (isValid(n) && pieceCount(n) == 0) remove(n);
}

void invalidateRI() { m_bCreateRI = false; }

std::vector<int32_t> buildRI() {
    std::vector<int32_t> ri(static_cast<size_t>(size()) * 2, -1);
    std::vector<int8_t> filled(static_cast<size_t>(size()), 0);
    auto put = [&](int32_t s, int32_t ref) {
        if (filled[s] < 2) ri[static_cast<size_t>(s) * 2 + filled[s]++] = ref;
    };
    for (int32_t n = Rail::size() - 1; n >= 0; --n) {
        if (!Rail::isValid(n)) continue;
        int32_t s = Rail::m_iHS[n];
        if (!isValid(s)) continue;
        if (Rail::m_iSS[n] >= 0) put(s, n);
        if (Rail::m_iSE[n] >= 0) put(s, RailRef::make(n, true));
    }
    return ri;
}

std::vector<int32_t> buildRILiteral() {
    std::vector<int32_t> ri(static_cast<size_t>(size()) * 2, -1);
    for (int32_t s = 0; s < size(); ++s) {
        if (!isValid(s)) continue;
        // getHeisokuBoth over a scan of every slot.
        size_t j = 0;
        for (int32_t p : Rail::Scan::sectionPieces(s)) {
            if (j < 2 && Rail::m_iSS[p] >= 0) ri[static_cast<size_t>(s) * 2 + j++] = p;
            if (j < 2 && Rail::m_iSE[p] >= 0) ri[static_cast<size_t>(s) * 2 + j++] = RailRef::make(p, true);
        }
    }
    return ri;
}

int32_t getRI(int32_t n, int j) {
    if (!isValid(n) || j < 0 || j > 1) return -1;
    if (!m_bCreateRI || m_ri.size() != static_cast<size_t>(size()) * 2) {
        m_ri = buildRI();
        m_bCreateRI = true;
    }
    return m_ri[static_cast<size_t>(n) * 2 + j];
}

int32_t getSI(int32_t n, int j) { return Rail::getSignal(getRI(n, j)); }

bool setSignalSt(int32_t n, int j, int32_t v) { return Signal::setSt(getSI(n, j), v); }

int32_t getRailConnect(int32_t n, int j) {
    int32_t r = getRI(n, j);
    if (r < 0) return -1;
    // The end reference enters the section; a train leaving past it travels
    // the other way.
    return Bunki::getRailConnect(RailRef::flip(r));
}

int32_t getConnect(int32_t n, int j) { return Rail::getHS(getRailConnect(n, j)); }

int32_t getSpd(int32_t n) { return Rail::getSpd(getRI(n, 0)); }

int getSignalType_spd(int32_t cls) { return cls <= 9 ? 0 : 1; }

int getSignalType(int32_t n) { return getSignalType_spd(getSpd(n)); }

void renewSignal_main(int32_t n) {
    if (!isValid(n)) return;
    if (m_ti[n] >= 0) {
        setSignalSt(n, 0, Signal::kStop);
        setSignalSt(n, 1, Signal::kStop);
        return;
    }
    setSignalSt(n, 0, Signal::kProceed);
    setSignalSt(n, 1, Signal::kProceed);
    if (getSignalType(n) != 1) return;
    for (int j = 0; j < 2; ++j) {
        int32_t c = getRailConnect(n, j);
        int32_t hs = Rail::getHS(c);
        if (c < 0 || (isValid(hs) && m_ti[hs] >= 0)) setSignalSt(n, 1 - j, Signal::kCaution);
    }
}

void renewSignal(int32_t n) {
    if (!isValid(n)) return;
    renewSignal_main(n);
    for (int j = 0; j < 2; ++j) {
        int32_t c = getConnect(n, j);
        if (c >= 0 && c != n) renewSignal_main(c);
    }
}

void delTrain(int32_t ti) {
    if (ti < 0) return;
    for (int32_t n = 0; n < size(); ++n) {
        if (m_ti[n] == ti) {
            m_ti[n] = -1;
            renewSignal(n);
        }
    }
}

int32_t getTI_ri(int32_t ri) {
    int32_t hs = Rail::getHS(ri);
    return isValid(hs) ? m_ti[hs] : -1;
}

bool setTI_Rail(int32_t ri, int32_t v) {
    int32_t hs = Rail::getHS(ri);
    if (!isValid(hs) || v < -1 || v > 32767) return false;
    m_ti[hs] = static_cast<int16_t>(v);
    return true;
}

}  // namespace tetsuro::Heisoku
