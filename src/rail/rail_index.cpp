#include "rail/rail_index.h"

#include <algorithm>

namespace tetsuro {

namespace {

const std::vector<int32_t> kNone;

void insertSorted(std::vector<int32_t>& v, int32_t ref) {
    auto it = std::lower_bound(v.begin(), v.end(), ref, [](int32_t a, int32_t b) {
        return RailRef::index(a) < RailRef::index(b);
    });
    v.insert(it, ref);
}

void eraseValue(std::vector<int32_t>& v, int32_t value) {
    auto it = std::find(v.begin(), v.end(), value);
    if (it != v.end()) v.erase(it);
}

}  // namespace

void RailIndex::reset() {
    m_ends.clear();
    m_cells.clear();
    m_secNext.clear();
    m_secPrev.clear();
    m_secHead.clear();
    m_secCount.clear();
}

void RailIndex::insertPiece(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    insertSorted(m_ends[planKey(fy, fx)], n);
    insertSorted(m_ends[planKey(ty, tx)], RailRef::make(n, true));
    forEachCell(fy, fx, ty, tx, [&](int64_t cy, int64_t cx) { m_cells[cellKey(cy, cx)].push_back(n); });
}

void RailIndex::erasePiece(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    auto dropEnd = [&](int64_t y, int64_t x, int32_t ref) {
        auto it = m_ends.find(planKey(y, x));
        if (it == m_ends.end()) return;
        eraseValue(it->second, ref);
        if (it->second.empty()) m_ends.erase(it);
    };
    dropEnd(fy, fx, n);
    dropEnd(ty, tx, RailRef::make(n, true));
    forEachCell(fy, fx, ty, tx, [&](int64_t cy, int64_t cx) {
        auto it = m_cells.find(cellKey(cy, cx));
        if (it == m_cells.end()) return;
        auto& v = it->second;
        auto p = std::find(v.begin(), v.end(), n);
        if (p != v.end()) {
            *p = v.back();
            v.pop_back();
        }
        if (v.empty()) m_cells.erase(it);
    });
}

const std::vector<int32_t>& RailIndex::endsAt(int64_t y, int64_t x) const {
    auto it = m_ends.find(planKey(y, x));
    return it == m_ends.end() ? kNone : it->second;
}

const std::vector<int32_t>& RailIndex::cell(int64_t cy, int64_t cx) const {
    auto it = m_cells.find(cellKey(cy, cx));
    return it == m_cells.end() ? kNone : it->second;
}

const std::vector<int32_t>& RailIndex::piecesNear(int64_t y, int64_t x) const {
    int64_t cy = y / kCell - ((y % kCell != 0 && y < 0) ? 1 : 0);
    int64_t cx = x / kCell - ((x % kCell != 0 && x < 0) ? 1 : 0);
    return cell(cy, cx);
}

std::vector<int32_t> RailIndex::piecesInRect(int64_t fy, int64_t fx, int64_t ty, int64_t tx,
                                             int pad) const {
    auto fl = [](int64_t v) { return v / kCell - ((v % kCell != 0 && v < 0) ? 1 : 0); };
    int64_t cy0 = fl(std::min(fy, ty)) - pad, cy1 = fl(std::max(fy, ty)) + pad;
    int64_t cx0 = fl(std::min(fx, tx)) - pad, cx1 = fl(std::max(fx, tx)) + pad;
    std::vector<int32_t> out;
    // A rectangle wider than the listed cells: walk the cells that exist.
    const int64_t area = (cy1 - cy0 + 1) * (cx1 - cx0 + 1);
    if (area > static_cast<int64_t>(m_cells.size())) {
        for (const auto& [key, pieces] : m_cells) {
            int64_t cy = static_cast<int32_t>(key >> 32);
            int64_t cx = static_cast<int32_t>(key & 0xFFFFFFFFu);
            if (cy >= cy0 && cy <= cy1 && cx >= cx0 && cx <= cx1) {
                out.insert(out.end(), pieces.begin(), pieces.end());
            }
        }
    } else {
        for (int64_t cy = cy0; cy <= cy1; ++cy) {
            for (int64_t cx = cx0; cx <= cx1; ++cx) {
                const auto& v = cell(cy, cx);
                out.insert(out.end(), v.begin(), v.end());
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<int32_t> RailIndex::piecesAlong(int64_t fy, int64_t fx, int64_t ty, int64_t tx) const {
    std::vector<int32_t> out;
    forEachCell(fy, fx, ty, tx, [&](int64_t cy, int64_t cx) {
        for (int64_t ny = cy - 1; ny <= cy + 1; ++ny) {
            for (int64_t nx = cx - 1; nx <= cx + 1; ++nx) {
                const auto& v = cell(ny, nx);
                out.insert(out.end(), v.begin(), v.end());
            }
        }
    });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// ---- sections ----

void RailIndex::resizePieces(int32_t n) {
    m_secNext.resize(static_cast<size_t>(n), -1);
    m_secPrev.resize(static_cast<size_t>(n), -1);
}

void RailIndex::sectionInsert(int32_t n, int32_t s) {
    if (s < 0 || n < 0) return;
    if (static_cast<size_t>(n) >= m_secNext.size()) resizePieces(n + 1);
    if (static_cast<size_t>(s) >= m_secHead.size()) {
        m_secHead.resize(static_cast<size_t>(s) + 1, -1);
        m_secCount.resize(static_cast<size_t>(s) + 1, 0);
    }
    int32_t head = m_secHead[s];
    m_secNext[n] = head;
    m_secPrev[n] = -1;
    if (head >= 0) m_secPrev[head] = n;
    m_secHead[s] = n;
    ++m_secCount[s];
}

void RailIndex::sectionErase(int32_t n, int32_t s) {
    if (s < 0 || n < 0 || static_cast<size_t>(s) >= m_secHead.size() ||
        static_cast<size_t>(n) >= m_secNext.size()) {
        return;
    }
    int32_t next = m_secNext[n];
    int32_t prev = m_secPrev[n];
    if (prev >= 0) {
        m_secNext[prev] = next;
    } else {
        m_secHead[s] = next;
    }
    if (next >= 0) m_secPrev[next] = prev;
    m_secNext[n] = m_secPrev[n] = -1;
    --m_secCount[s];
}

int32_t RailIndex::sectionCount(int32_t s) const {
    if (s < 0 || static_cast<size_t>(s) >= m_secCount.size()) return 0;
    return m_secCount[s];
}

std::vector<int32_t> RailIndex::sectionPieces(int32_t s) const {
    std::vector<int32_t> out;
    if (s < 0 || static_cast<size_t>(s) >= m_secHead.size()) return out;
    for (int32_t n = m_secHead[s]; n >= 0; n = m_secNext[n]) out.push_back(n);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace tetsuro
