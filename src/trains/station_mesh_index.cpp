#include "trains/station_mesh_index.h"

#include <algorithm>

#include "rail/rail_types.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"

namespace tetsuro {

void StationMeshIndex::setMesh(int32_t my, int32_t mx, int32_t si, int64_t rank) {
    auto [it, fresh] = m_map.try_emplace(planKey(my, mx), Claim{si, rank});
    if (!fresh && rank >= it->second.rank) it->second = Claim{si, rank};
}

void StationMeshIndex::setMesh(const std::vector<MeshYX>& meshes, int32_t si, int64_t rank) {
    for (const MeshYX& m : meshes) setMesh(m.my, m.mx, si, rank);
}

std::vector<int32_t> StationMeshIndex::search(int32_t my, int32_t mx) const {
    auto it = m_map.find(planKey(my, mx));
    if (it == m_map.end()) return {};
    return {it->second.si};
}

int32_t StationMeshIndex::search0(int32_t my, int32_t mx) const {
    auto it = m_map.find(planKey(my, mx));
    return it == m_map.end() ? -1 : it->second.si;
}

std::vector<MeshEntry> StationMeshIndex::entries() const {
    std::vector<MeshEntry> v;
    v.reserve(m_map.size());
    for (const auto& [key, claim] : m_map) {
        v.push_back(MeshEntry{static_cast<int32_t>(key >> 32), static_cast<int32_t>(key & 0xFFFFFFFFu), claim.si});
    }
    std::sort(v.begin(), v.end(), [](const MeshEntry& a, const MeshEntry& b) {
        return a.my != b.my ? a.my < b.my : a.mx < b.mx;
    });
    return v;
}

namespace Station {

namespace {
StationMeshIndex g_mesh;
}

const StationMeshIndex& meshIndex() { return g_mesh; }

void setMesh(int32_t my, int32_t mx, int32_t si, int64_t rank) { g_mesh.setMesh(my, mx, si, rank); }

std::vector<int32_t> searchStIndex_myx(int32_t my, int32_t mx) { return g_mesh.search(my, mx); }

int32_t searchStIndex_myx_0(int32_t my, int32_t mx) { return g_mesh.search0(my, mx); }

int32_t searchStIndexNeighbor(int32_t my, int32_t mx) {
    for (int32_t dy = -1; dy <= 1; ++dy) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
            const int32_t si = g_mesh.search0(my + dy, mx + dx);
            if (si >= 0) return si;
        }
    }
    return -1;
}

void renewMeshInto(StationMeshIndex& index) {
    index.clear();
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        index.setMesh(FoBuild::getUseMesh(fb), Form::getSt(FoBuild::m_fo[fb]), StationMeshIndex::pieceRank(fb));
    }
    for (int32_t sb = 0; sb < StBuild::size(); ++sb) {
        if (!StBuild::isValid(sb)) continue;
        const auto& b = StBuild::obj[sb];
        index.setMesh(b.m_my, b.m_mx, b.m_st, StationMeshIndex::buildingRank(sb));
    }
}

void renewMesh() { renewMeshInto(g_mesh); }

void clearMesh() { g_mesh.clear(); }

}  // namespace Station

}  // namespace tetsuro
