#pragma once
// The mesh index: which station a map mesh belongs to. Every mesh under a
// platform piece and every station-building mesh is registered for its
// station; each mesh names at most one station.
//
// Where two stations claim a mesh, the claim of the higher rank wins: a
// building over a piece, then the higher record number. A rebuild
// registers everything in ascending rank, so registering as things are
// built gives exactly what a rebuild gives (and a loaded game sees the same
// index as the one that was saved).
//
// Keyed by the packed (my, mx) in a hash, so registering is O(1) and a
// rebuild O(M); station_scan.h holds the literal list it is tested against.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "support/sub.h"

namespace tetsuro {

struct MeshEntry {
    int32_t my = 0;
    int32_t mx = 0;
    int32_t si = -1;
    friend bool operator==(const MeshEntry&, const MeshEntry&) = default;
};

class StationMeshIndex {
public:
    // Ranks of the claims.
    static int64_t pieceRank(int32_t fb) { return fb; }
    static int64_t buildingRank(int32_t sb) { return (int64_t{1} << 32) + sb; }

    void clear() { m_map.clear(); }
    // Registers the mesh for station si unless a claim of higher rank holds it.
    void setMesh(int32_t my, int32_t mx, int32_t si, int64_t rank);
    void setMesh(const std::vector<MeshYX>& meshes, int32_t si, int64_t rank);
    // The station registered for the mesh (0 or 1 of them), and the first or -1.
    std::vector<int32_t> search(int32_t my, int32_t mx) const;
    int32_t search0(int32_t my, int32_t mx) const;
    size_t size() const { return m_map.size(); }
    // Every entry, ordered by (my, mx).
    std::vector<MeshEntry> entries() const;

private:
    struct Claim {
        int32_t si;
        int64_t rank;
    };
    std::unordered_map<uint64_t, Claim> m_map;
};

namespace Station {

const StationMeshIndex& meshIndex();
// Registers a mesh for a station with the claim's rank.
void setMesh(int32_t my, int32_t mx, int32_t si, int64_t rank);
// All stations registered for the mesh; the first, or -1.
std::vector<int32_t> searchStIndex_myx(int32_t my, int32_t mx);
int32_t searchStIndex_myx_0(int32_t my, int32_t mx);
// The first station registered in the 3 x 3 meshes around (my, mx), row by
// row from the south-west: the station a building there joins. -1 for none.
int32_t searchStIndexNeighbor(int32_t my, int32_t mx);
// Rebuilds the index from every piece and building.
void renewMesh();
// The rebuild into a given index (for the checks).
void renewMeshInto(StationMeshIndex& index);
void clearMesh();

}  // namespace Station

}  // namespace tetsuro
