#include "trains/platform_index.h"

#include <algorithm>

#include "rail/rail_types.h"

namespace tetsuro {

namespace {

const std::vector<int32_t> kNone;

void insertSorted(std::vector<int32_t>& v, int32_t x) {
    auto it = std::lower_bound(v.begin(), v.end(), x);
    if (it == v.end() || *it != x) v.insert(it, x);
}

void eraseSorted(std::vector<int32_t>& v, int32_t x) {
    auto it = std::lower_bound(v.begin(), v.end(), x);
    if (it != v.end() && *it == x) v.erase(it);
}

template <class K>
void eraseFrom(std::unordered_map<K, std::vector<int32_t>>& m, K key, int32_t x) {
    auto it = m.find(key);
    if (it == m.end()) return;
    eraseSorted(it->second, x);
    if (it->second.empty()) m.erase(it);
}

}  // namespace

void PlatformIndex::clear() {
    m_onRail.clear();
    m_ofForm.clear();
    m_endsOn.clear();
    m_endRails.clear();
    m_cover.clear();
}

void PlatformIndex::pieceAdded(int32_t fb, int32_t fo, int32_t ri) {
    if (ri >= 0) insertSorted(m_onRail[ri], fb);
    if (fo < 0) return;
    if (static_cast<size_t>(fo) >= m_ofForm.size()) m_ofForm.resize(static_cast<size_t>(fo) + 1);
    insertSorted(m_ofForm[fo], fb);
}

void PlatformIndex::pieceRemoved(int32_t fb, int32_t fo, int32_t ri) {
    if (ri >= 0) eraseFrom(m_onRail, ri, fb);
    if (fo >= 0 && static_cast<size_t>(fo) < m_ofForm.size()) eraseSorted(m_ofForm[fo], fb);
}

void PlatformIndex::pieceMoved(int32_t fb, int32_t oldRi, int32_t newRi) {
    if (oldRi == newRi) return;
    if (oldRi >= 0) eraseFrom(m_onRail, oldRi, fb);
    if (newRi >= 0) insertSorted(m_onRail[newRi], fb);
}

const std::vector<int32_t>& PlatformIndex::onRail(int32_t ri) const {
    auto it = m_onRail.find(ri);
    return it == m_onRail.end() ? kNone : it->second;
}

const std::vector<int32_t>& PlatformIndex::ofForm(int32_t fo) const {
    if (fo < 0 || static_cast<size_t>(fo) >= m_ofForm.size()) return kNone;
    return m_ofForm[fo];
}

void PlatformIndex::setEndRails(int32_t fo, std::array<int32_t, 2> rails) {
    if (fo < 0) return;
    if (static_cast<size_t>(fo) >= m_endRails.size()) m_endRails.resize(static_cast<size_t>(fo) + 1, {-1, -1});
    for (int32_t r : m_endRails[fo]) {
        if (r >= 0) eraseFrom(m_endsOn, r, fo);
    }
    m_endRails[fo] = rails;
    for (int32_t r : rails) {
        if (r >= 0) insertSorted(m_endsOn[r], fo);
    }
}

const std::vector<int32_t>& PlatformIndex::formsEndingOn(int32_t ri) const {
    auto it = m_endsOn.find(ri);
    return it == m_endsOn.end() ? kNone : it->second;
}

void PlatformIndex::cover(const std::vector<MeshYX>& meshes, int32_t delta) {
    for (const MeshYX& m : meshes) {
        const uint64_t key = planKey(m.my, m.mx);
        int32_t& c = m_cover[key];
        c += delta;
        if (c <= 0) m_cover.erase(key);
    }
}

int32_t PlatformIndex::coverage(int32_t my, int32_t mx) const {
    auto it = m_cover.find(planKey(my, mx));
    return it == m_cover.end() ? 0 : it->second;
}

}  // namespace tetsuro
