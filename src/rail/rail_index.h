#pragma once
// Indexes over the piece store that stand in for linear scans:
//  - an end-point hash: plan point -> references leaving it (piece n when the
//    point is its From end, n + 2^30 when it is its To end), ascending;
//  - coarse grid buckets: every piece is listed in each closed square cell
//    of kCell decimetres that its segment touches, so any point on it is
//    found in the cell holding the point;
//  - per-section piece lists with counts.
// The indexes only narrow the candidates; every search still applies its
// exact test, so results equal the literal scans (see rail_scan.h).
#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro {

class RailIndex {
public:
    static constexpr int64_t kCell = 512;

    void reset();

    // ---- pieces ----
    void insertPiece(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx);
    void erasePiece(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx);

    // References leaving the plan point, ascending piece number (empty when none).
    const std::vector<int32_t>& endsAt(int64_t y, int64_t x) const;

    // Pieces listed in the cell holding the point (unordered).
    const std::vector<int32_t>& piecesNear(int64_t y, int64_t x) const;
    // Pieces listed in the cells of a closed rectangle widened by `pad`
    // cells on each side: ascending, each once.
    std::vector<int32_t> piecesInRect(int64_t fy, int64_t fx, int64_t ty, int64_t tx,
                                      int pad) const;
    // Pieces listed in the cells a segment touches and their neighbours:
    // ascending, each once. The neighbours cover crossings that the rounding
    // of the crossing test places just off both segments.
    std::vector<int32_t> piecesAlong(int64_t fy, int64_t fx, int64_t ty, int64_t tx) const;

    // Calls f(cy, cx) for every closed cell the segment touches (a few
    // extra on cell borders). Public for the index checks.
    template <class F>
    static void forEachCell(int64_t fy, int64_t fx, int64_t ty, int64_t tx, F&& f);

    // Every piece listed in the cell (cy, cx), for the checks.
    const std::vector<int32_t>& cell(int64_t cy, int64_t cx) const;
    // Number of distinct plan points with ends, for the checks.
    size_t endPointCount() const { return m_ends.size(); }
    // Entries over all cells, for the checks.
    size_t cellEntryCount() const {
        size_t total = 0;
        for (const auto& kv : m_cells) total += kv.second.size();
        return total;
    }

    // ---- sections ----
    void sectionInsert(int32_t n, int32_t s);
    void sectionErase(int32_t n, int32_t s);
    int32_t sectionCount(int32_t s) const;
    // The pieces of section s, ascending.
    std::vector<int32_t> sectionPieces(int32_t s) const;
    void resizePieces(int32_t n);

private:
    static uint64_t cellKey(int64_t cy, int64_t cx) { return planKey(cy, cx); }

    std::unordered_map<uint64_t, std::vector<int32_t>> m_ends;
    std::unordered_map<uint64_t, std::vector<int32_t>> m_cells;
    // Section lists: doubly linked through the pieces.
    std::vector<int32_t> m_secNext;
    std::vector<int32_t> m_secPrev;
    std::vector<int32_t> m_secHead;
    std::vector<int32_t> m_secCount;
};

// ---- template ----

template <class F>
void RailIndex::forEachCell(int64_t fy, int64_t fx, int64_t ty, int64_t tx, F&& f) {
    auto floorDivL = [](int64_t a, int64_t b) {
        int64_t q = a / b;
        if (a % b != 0 && ((a < 0) != (b < 0))) --q;
        return q;
    };
    auto ceilDivL = [](int64_t a, int64_t b) {
        int64_t q = a / b;
        if (a % b != 0 && ((a < 0) == (b < 0))) ++q;
        return q;
    };
    // First cell whose closed range holds v: the one to the south or west as
    // well when v lies on a cell border.
    auto firstCell = [&](int64_t v) {
        int64_t c = floorDivL(v, kCell);
        return v == c * kCell ? c - 1 : c;
    };
    // Orient so that x grows along the segment.
    if (tx < fx) {
        std::swap(fy, ty);
        std::swap(fx, tx);
    }
    const int64_t dy = ty - fy;
    const int64_t dx = tx - fx;
    const int64_t cx0 = firstCell(fx);
    const int64_t cx1 = floorDivL(tx, kCell);
    for (int64_t cx = cx0; cx <= cx1; ++cx) {
        int64_t xa = std::max(fx, cx * kCell);
        int64_t xb = std::min(tx, (cx + 1) * kCell);
        if (xa > xb) continue;
        int64_t ylo, yhi;
        if (dx == 0) {
            ylo = std::min(fy, ty);
            yhi = std::max(fy, ty);
        } else {
            // y(x) = fy + (x - fx) * dy / dx, widened to whole units.
            int64_t na = fy * dx + (xa - fx) * dy;
            int64_t nb = fy * dx + (xb - fx) * dy;
            int64_t lo = std::min(na, nb);
            int64_t hi = std::max(na, nb);
            ylo = floorDivL(lo, dx);
            yhi = ceilDivL(hi, dx);
        }
        const int64_t cy0 = firstCell(ylo);
        const int64_t cy1 = floorDivL(yhi, kCell);
        for (int64_t cy = cy0; cy <= cy1; ++cy) f(cy, cx);
    }
}

}  // namespace tetsuro
