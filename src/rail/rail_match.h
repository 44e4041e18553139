#pragma once
// The exact tests behind the searches, shared by the indexed searches and
// the literal scans so that the two differ only in which pieces they look at.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "rail/rail_geometry.h"
#include "rail/rail_store.h"
#include "support/vel_jlib_lines.h"

namespace tetsuro::Rail::Match {

struct Rect {
    int64_t fy, fx, ty, tx;  // fy <= ty, fx <= tx
};

inline Rect normalized(int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    return {std::min(fy, ty), std::min(fx, tx), std::max(fy, ty), std::max(fx, tx)};
}

// The crossing with a segment at a height within lo..hi.
inline bool crossesAt(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                      int64_t hi) {
    auto p = getCrossOfSegment(n, fy, fx, ty, tx);
    if (p.empty()) return false;
    int64_t z = getZ(n, p[0], p[1]);
    return z >= lo && z <= hi;
}

inline bool crosses(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx, bool point) {
    return !getCrossOfSegment(n, fy, fx, ty, tx, point).empty();
}

inline bool crossesLevel(int32_t n, int64_t z, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    return m_iFZ[n] == z && m_iTZ[n] == z && crosses(n, fy, fx, ty, tx, true);
}

// Crosses at least two edges (left, top, right, bottom) at a height in lo..hi.
inline bool passesRegion(int32_t n, const Rect& r, int64_t lo, int64_t hi) {
    int edges = 0;
    edges += crossesAt(n, r.fy, r.fx, r.ty, r.fx, lo, hi);  // left
    edges += crossesAt(n, r.ty, r.fx, r.ty, r.tx, lo, hi);  // top
    edges += crossesAt(n, r.fy, r.tx, r.ty, r.tx, lo, hi);  // right
    edges += crossesAt(n, r.fy, r.fx, r.fy, r.tx, lo, hi);  // bottom
    return edges >= 2;
}

inline bool passesMesh(int32_t n, int64_t my, int64_t mx, int64_t lo, int64_t hi) {
    auto c = getCrossM(n, my, mx);
    if (c.empty()) return false;
    int64_t z0 = getZ(n, c[0], c[1]);
    int64_t z1 = getZ(n, c[2], c[3]);
    return z0 >= lo && z0 <= hi && z1 >= lo && z1 <= hi;
}

inline bool passesMeshBe(int32_t n, int64_t my, int64_t mx, int be) {
    return getElevated(n) == be && !getCrossM(n, my, mx).empty();
}

inline bool touchesRect(int32_t n, const Rect& r) {
    return VelJLib::isLineInRectangle2_yx(m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n], r.fy, r.fx, r.ty,
                                          r.tx);
}

// The mesh rectangle in real units.
inline Rect meshRect(int64_t my, int64_t mx, int64_t ms) {
    return {my * ms, mx * ms, (my + 1) * ms, (mx + 1) * ms};
}

// Keeps the candidates (ascending) that pass, in descending order.
template <class Pred>
std::vector<int32_t> keepDescending(const std::vector<int32_t>& ascending, Pred&& pass) {
    std::vector<int32_t> out;
    for (auto it = ascending.rbegin(); it != ascending.rend(); ++it) {
        if (isValid(*it) && pass(*it)) out.push_back(*it);
    }
    return out;
}

// Every slot number, ascending: the literal scan's candidates.
inline std::vector<int32_t> allSlots() {
    std::vector<int32_t> v(static_cast<size_t>(size()));
    for (int32_t i = 0; i < size(); ++i) v[static_cast<size_t>(i)] = i;
    return v;
}

}  // namespace tetsuro::Rail::Match
