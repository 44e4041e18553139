#pragma once
// Lookups derived from the platform pieces, kept in step by the store's
// writes (platform_store.cpp): the pieces on each rail, the pieces of each
// platform, the platforms with an end piece on each rail, and how many
// pieces cover each mesh. Running asks for the platform on a rail at every
// train event, so these answer without a scan; station_scan.h holds the
// scans they must agree with.
//
// The hashes are only looked up, never iterated, so their order plays no
// part in any result.
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "support/sub.h"

namespace tetsuro {

class PlatformIndex {
public:
    void clear();

    // A piece joined or left a platform, or moved to another rail.
    void pieceAdded(int32_t fb, int32_t fo, int32_t ri);
    void pieceRemoved(int32_t fb, int32_t fo, int32_t ri);
    void pieceMoved(int32_t fb, int32_t oldRi, int32_t newRi);

    // Pieces whose rail is ri, ascending.
    const std::vector<int32_t>& onRail(int32_t ri) const;
    // Pieces of platform fo, ascending.
    const std::vector<int32_t>& ofForm(int32_t fo) const;

    // The rails of platform fo's two end pieces (-1 for none) changed.
    void setEndRails(int32_t fo, std::array<int32_t, 2> rails);
    // Platforms with an end piece on rail ri, ascending, each once.
    const std::vector<int32_t>& formsEndingOn(int32_t ri) const;

    // Meshes under pieces: delta +1 when a piece comes, -1 when it goes.
    void cover(const std::vector<MeshYX>& meshes, int32_t delta);
    // Number of pieces whose meshes include (my, mx).
    int32_t coverage(int32_t my, int32_t mx) const;
    void clearCoverage() { m_cover.clear(); }
    size_t coveredMeshes() const { return m_cover.size(); }

private:
    std::unordered_map<int32_t, std::vector<int32_t>> m_onRail;
    std::vector<std::vector<int32_t>> m_ofForm;
    std::unordered_map<int32_t, std::vector<int32_t>> m_endsOn;
    std::vector<std::array<int32_t, 2>> m_endRails;
    std::unordered_map<uint64_t, int32_t> m_cover;
};

}  // namespace tetsuro
