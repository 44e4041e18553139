#include "rail/rail_put_list.h"

#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_match.h"
#include "rail/rail_store.h"

namespace tetsuro::Rail {

namespace {

bool g_dirty = true;

void append(std::vector<int32_t>& out, int32_t n) {
    const int32_t v[kPutListStride] = {m_typ[n],  m_spd[n],  m_iHS[n], m_iFZ[n],      m_iFY[n], m_iFX[n],
                                       m_iTZ[n],  m_iTY[n],  m_iTX[n], length_cm(n), m_iSS[n], m_iSE[n]};
    out.insert(out.end(), v, v + kPutListStride);
}

}  // namespace

void markPutListDirty() {
    if (g_dirty) return;
    g_dirty = true;
    railHooks().drop3DCache();
}

bool isPutListDirty() { return g_dirty; }

void renewPutList() { markPutListDirty(); }

std::vector<int32_t> buildPutList(bool literal) {
    RailViewRect v = railHooks().viewRect();
    Match::Rect r = Match::normalized(v.fy, v.fx, v.ty, v.tx);
    std::vector<int32_t> cand = literal ? Match::allSlots() : index().piecesInRect(r.fy, r.fx, r.ty, r.tx, 1);
    std::vector<int32_t> visible = Match::keepDescending(cand, [&](int32_t n) { return Match::touchesRect(n, r); });
    std::vector<int32_t> out;
    out.reserve(visible.size() * kPutListStride);
    for (int32_t n : visible) {
        if (!isElevated(n)) append(out, n);
    }
    for (int32_t n : visible) {
        if (isElevated(n)) append(out, n);
    }
    return out;
}

const std::vector<int32_t>& getPutList() {
    if (g_dirty) {
        m_iaPutList = buildPutList(false);
        g_dirty = false;
    }
    return m_iaPutList;
}

}  // namespace tetsuro::Rail
