#pragma once
// Platforms as the track sees them: the end pieces of each platform, the
// rail under each piece, removing pieces with the platform rules, and
// settling a station after something of it went. The record stores are in
// platform_store.h; what the map and the money make of a change is the
// controller's (station_controller.h).
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"
#include "support/sub.h"

namespace tetsuro {

// What a platform operation did, for the caller to finish.
struct PlatformChange {
    // Meshes that were under removed or shortened pieces (duplicates possible).
    std::vector<MeshYX> freedMeshes;
    // Points whose markers may have to change: ends of pieces that went or
    // moved, and the platforms' new ends.
    std::vector<RailPoint> points;
    // Stations that lost something (examined afterwards).
    std::vector<int32_t> stations;
    // A piece changed shape or number, so the mesh index must be rebuilt.
    bool piecesChanged = false;
};

namespace Rail {

// The two end pieces of platform fo: a single piece is both ends (the
// second flagged); otherwise the first two pieces, ascending, with exactly
// one neighbour, flagged when the free end is the piece's end point. A ring
// or a branch lacks such pieces: the missing ends are the lowest remaining
// pieces. Nothing for a free record.
void renewFormRIRP(int32_t fo);
// Every platform (after a load).
void renewFormRIRP();
// Every platform with an end piece on rail n.
void renewFormRIRP_rail(int32_t n);
// Puts piece fb on the rail holding both its ends (the highest-numbered);
// a piece across a rail end is cut there first, the rest becoming a new
// piece of the same platform. The piece's rail, -1 when none holds it.
int32_t renewFoBuildRI_fb(int32_t fb, PlatformChange& out);
// The same for every piece on rail n (highest piece first); then the ends
// of their platforms are renewed.
void renewFoBuildRI_rail(int32_t n, PlatformChange& out);
// Rail ri is going: every piece on it goes as a whole piece, the stations
// are settled and the platforms' ends renewed.
void removeFoBuild_rail(int32_t ri, PlatformChange& out);

}  // namespace Rail

namespace PlatformLinks {

// Removes a whole piece: with two or more neighbours its whole platform
// goes; a platform left without pieces is freed.
void removeWholePiece(int32_t fb, PlatformChange& out);
// Frees a platform and its pieces.
void removeForm(int32_t fo, PlatformChange& out);
// Rebuilds the mesh index, then settles every station in out.stations.
void settleStations(const PlatformChange& out);

}  // namespace PlatformLinks

namespace Station {

// After a removal: a station still registered at its representative mesh
// stays; otherwise it moves to its first building, else to the midpoint
// mesh of its first piece; a station with neither is removed. The mesh
// index must be current.
void examine(int32_t si);
// The mesh of the midpoint of two points.
MeshYX midpointMesh(const RailPoint& f, const RailPoint& t);

}  // namespace Station

}  // namespace tetsuro
