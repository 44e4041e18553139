#pragma once
// The literal forms of the station lookups: a linear mesh list where
// registering again replaces, and scans over every piece and platform. The
// indexed forms (station_mesh_index.h, platform_index.h) must answer
// exactly as these do; the tests and the benchmark hold them side by side.
#include <cstdint>
#include <vector>

#include "trains/station_mesh_index.h"

namespace tetsuro::StationScan {

// The mesh index as three parallel lists: entry k says mesh (m_my[k],
// m_mx[k]) belongs to station m_mi[k]; registering a listed mesh replaces
// its station, so every registration scans the list.
class LiteralMeshIndex {
public:
    void setMesh(int32_t my, int32_t mx, int32_t si);
    std::vector<int32_t> search(int32_t my, int32_t mx) const;
    // The rebuild from every piece, then every building, in record order.
    void renewMesh();
    std::vector<MeshEntry> entries() const;
    size_t size() const { return m_my.size(); }

private:
    std::vector<int32_t> m_my, m_mx, m_mi;
};

// Pieces through a point (height z, or any), ascending, over every record.
std::vector<int32_t> piecesAt(int64_t z, int64_t y, int64_t x);
// The platform of the first piece on rail ri (direction ignored).
int32_t searchIndex_ri(int32_t ri);
// The first platform other than n with an end reference equal to rib.
int32_t searchIndex_rib(int32_t rib, int32_t n);
// Pieces on rail ri, ascending; pieces of platform fo, ascending.
std::vector<int32_t> piecesOnRail(int32_t ri);
std::vector<int32_t> piecesOfForm(int32_t fo);

}  // namespace tetsuro::StationScan
