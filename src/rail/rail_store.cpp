#include "rail/rail_store.h"

#include <algorithm>

#include "rail/heisoku.h"
#include "rail/rail_connect.h"
#include "rail/rail_put_list.h"

namespace tetsuro::Rail {

namespace {

RailIndex g_index;
SlotPool g_pool;
constexpr int32_t kMaxSlots = int32_t{1} << 30;

bool slotHoldsPiece(int32_t n) {
    return m_iFY[n] != m_iTY[n] || m_iFX[n] != m_iTX[n];
}

void resizeArrays(size_t n) {
    m_typ.resize(n, 0);
    m_spd.resize(n, 0);
    m_iFZ.resize(n, 0);
    m_iFY.resize(n, -1);
    m_iFX.resize(n, -1);
    m_iTZ.resize(n, 0);
    m_iTY.resize(n, -1);
    m_iTX.resize(n, -1);
    m_iHS.resize(n, -1);
    m_iSS.resize(n, -1);
    m_iSE.resize(n, -1);
    m_iRL.resize(n, 0);
}

void indexInsert(int32_t n) {
    g_index.insertPiece(n, m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n]);
    invalidateConnectAt(m_iFY[n], m_iFX[n]);
    invalidateConnectAt(m_iTY[n], m_iTX[n]);
}

void indexErase(int32_t n) {
    invalidateConnectAt(m_iFY[n], m_iFX[n]);
    invalidateConnectAt(m_iTY[n], m_iTX[n]);
    g_index.erasePiece(n, m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n]);
}

void clearOwnConnect(int32_t n) {
    for (int i = 0; i < 4; ++i) m_ia4Con[static_cast<size_t>(n) * 4 + i] = -2;
}

}  // namespace

int32_t size() { return static_cast<int32_t>(m_typ.size()); }
int32_t count() { return g_pool.count(); }

bool isValid(int32_t n) {
    return n >= 0 && n < size() && slotHoldsPiece(n);
}

bool isValidRef(int32_t r) { return r >= 0 && isValid(RailRef::index(r)); }

void checkSize() {
    size_t n = m_typ.size();
    m_iLenC.resize(n, 0);
    m_ia4Con.resize(n * 4, -2);
    g_index.resizePieces(static_cast<int32_t>(n));
}

bool resize(int32_t n) {
    if (n < 0 || n >= kMaxSlots) return false;
    // Pieces in slots that go are taken out of the indexes first.
    for (int32_t i = n; i < size(); ++i) {
        if (isValid(i)) {
            indexErase(i);
            g_index.sectionErase(i, m_iHS[i]);
        }
    }
    resizeArrays(static_cast<size_t>(n));
    m_iLenC.resize(static_cast<size_t>(n), 0);
    m_ia4Con.resize(static_cast<size_t>(n) * 4, -2);
    g_index.resizePieces(n);
    g_pool.rebuild(n, slotHoldsPiece);
    changed();
    return true;
}

void reset() {
    resizeArrays(0);
    m_iLenC.clear();
    m_ia4Con.clear();
    g_index.reset();
    g_pool.reset();
    changed();
}

void init_ary() {
    size_t n = std::min({m_typ.size(), m_spd.size(), m_iFZ.size(), m_iFY.size(), m_iFX.size(),
                         m_iTZ.size(), m_iTY.size(), m_iTX.size(), m_iHS.size(), m_iSS.size(),
                         m_iSE.size(), m_iRL.size()});
    if (n >= static_cast<size_t>(kMaxSlots)) n = static_cast<size_t>(kMaxSlots) - 1;
    resizeArrays(n);
    m_iLenC.assign(n, 0);
    m_ia4Con.assign(n * 4, -2);
    g_index.reset();
    g_index.resizePieces(static_cast<int32_t>(n));
    for (int32_t i = 0; i < size(); ++i) {
        if (slotHoldsPiece(i)) {
            g_index.insertPiece(i, m_iFY[i], m_iFX[i], m_iTY[i], m_iTX[i]);
            if (m_iHS[i] >= 0) g_index.sectionInsert(i, m_iHS[i]);
        } else {
            // A free slot carries nothing.
            m_iFY[i] = m_iFX[i] = m_iTY[i] = m_iTX[i] = -1;
            m_iHS[i] = m_iSS[i] = m_iSE[i] = -1;
        }
    }
    g_pool.rebuild(size(), slotHoldsPiece);
    changed();
}

Ends ends(int32_t n) {
    return Ends{m_iFZ[n], m_iFY[n], m_iFX[n], m_iTZ[n], m_iTY[n], m_iTX[n]};
}

RailPoint startPoint(int32_t r) {
    int32_t n = RailRef::index(r);
    return RailRef::isReversed(r) ? RailPoint{m_iTZ[n], m_iTY[n], m_iTX[n]}
                                  : RailPoint{m_iFZ[n], m_iFY[n], m_iFX[n]};
}

RailPoint endPoint(int32_t r) { return startPoint(RailRef::flip(r)); }

int32_t storeNew(int8_t typ, int8_t spd, const Ends& e) {
    int32_t n = g_pool.peek(kMaxSlots);
    if (n < 0) return -1;
    if (n == size()) {
        resizeArrays(static_cast<size_t>(n) + 1);
        checkSize();
    }
    g_pool.acquire(kMaxSlots);
    m_typ[n] = typ;
    m_spd[n] = spd;
    m_iFZ[n] = static_cast<int16_t>(e.fz);
    m_iFY[n] = e.fy;
    m_iFX[n] = e.fx;
    m_iTZ[n] = static_cast<int16_t>(e.tz);
    m_iTY[n] = e.ty;
    m_iTX[n] = e.tx;
    m_iHS[n] = -1;
    m_iSS[n] = -1;
    m_iSE[n] = -1;
    m_iRL[n] = 0;
    m_iLenC[n] = 0;
    clearOwnConnect(n);
    indexInsert(n);
    changed();
    return n;
}

void storeEnds(int32_t n, const Ends& e) {
    indexErase(n);
    m_iFZ[n] = static_cast<int16_t>(e.fz);
    m_iFY[n] = e.fy;
    m_iFX[n] = e.fx;
    m_iTZ[n] = static_cast<int16_t>(e.tz);
    m_iTY[n] = e.ty;
    m_iTX[n] = e.tx;
    m_iLenC[n] = 0;
    clearOwnConnect(n);
    indexInsert(n);
    changed();
}

void storeErase(int32_t n) {
    indexErase(n);
    if (m_iHS[n] >= 0) g_index.sectionErase(n, m_iHS[n]);
    int16_t hs = m_iHS[n];
    m_iFY[n] = m_iFX[n] = m_iTY[n] = m_iTX[n] = -1;
    m_iHS[n] = m_iSS[n] = m_iSE[n] = -1;
    m_iLenC[n] = 0;
    clearOwnConnect(n);
    g_pool.release(n);
    Heisoku::releaseIfEmpty(hs);
    changed();
}

void changed() {
    markPutListDirty();
    Heisoku::invalidateRI();
}

const RailIndex& index() { return g_index; }
RailIndex& mutableIndex() { return g_index; }
const SlotPool& pool() { return g_pool; }

}  // namespace tetsuro::Rail
