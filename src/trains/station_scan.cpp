#include "trains/station_scan.h"

#include <algorithm>

#include "rail/rail_types.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"

namespace tetsuro::StationScan {

void LiteralMeshIndex::setMesh(int32_t my, int32_t mx, int32_t si) {
    for (size_t k = 0; k < m_my.size(); ++k) {
        if (m_my[k] == my && m_mx[k] == mx) {
            m_mi[k] = si;
            return;
        }
    }
    m_my.push_back(my);
    m_mx.push_back(mx);
    m_mi.push_back(si);
}

std::vector<int32_t> LiteralMeshIndex::search(int32_t my, int32_t mx) const {
    std::vector<int32_t> v;
    for (size_t k = 0; k < m_my.size(); ++k) {
        if (m_my[k] == my && m_mx[k] == mx) v.push_back(m_mi[k]);
    }
    return v;
}

void LiteralMeshIndex::renewMesh() {
    m_my.clear();
    m_mx.clear();
    m_mi.clear();
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        for (const MeshYX& m : FoBuild::getUseMesh(fb)) setMesh(m.my, m.mx, Form::getSt(FoBuild::m_fo[fb]));
    }
    for (int32_t sb = 0; sb < StBuild::size(); ++sb) {
        if (StBuild::isValid(sb)) setMesh(StBuild::obj[sb].m_my, StBuild::obj[sb].m_mx, StBuild::obj[sb].m_st);
    }
}

std::vector<MeshEntry> LiteralMeshIndex::entries() const {
    std::vector<MeshEntry> v;
    for (size_t k = 0; k < m_my.size(); ++k) v.push_back(MeshEntry{m_my[k], m_mx[k], m_mi[k]});
    std::sort(v.begin(), v.end(), [](const MeshEntry& a, const MeshEntry& b) {
        return a.my != b.my ? a.my < b.my : a.mx < b.mx;
    });
    return v;
}

std::vector<int32_t> piecesAt(int64_t z, int64_t y, int64_t x) {
    std::vector<int32_t> v;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (FoBuild::isPointOn(fb, z, y, x)) v.push_back(fb);
    }
    return v;
}

int32_t searchIndex_ri(int32_t ri) {
    if (ri < 0) return -1;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (FoBuild::isValid(fb) && FoBuild::m_ri[fb] == RailRef::index(ri)) return FoBuild::m_fo[fb];
    }
    return -1;
}

int32_t searchIndex_rib(int32_t rib, int32_t n) {
    if (rib < 0) return -1;
    for (int32_t fi = 0; fi < Form::size(); ++fi) {
        if (fi == n || !Form::isValid(fi)) continue;
        if (Form::getRI(fi, 0) == rib || Form::getRI(fi, 1) == rib) return fi;
    }
    return -1;
}

std::vector<int32_t> piecesOnRail(int32_t ri) {
    std::vector<int32_t> v;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (FoBuild::isValid(fb) && FoBuild::m_ri[fb] == ri) v.push_back(fb);
    }
    return v;
}

std::vector<int32_t> piecesOfForm(int32_t fo) {
    std::vector<int32_t> v;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (FoBuild::isValid(fb) && FoBuild::m_fo[fb] == fo) v.push_back(fb);
    }
    return v;
}

}  // namespace tetsuro::StationScan
