#pragma once
// Generated railways for benchmarks and large tests: a world description of
// a given size that the world builder lays out like any world file.
//
// The railway is a set of separate rings, each a double-track line closed
// at both ends (a long thin loop), stacked in rows and columns. Every train
// on a ring runs the same way round, so trains only ever queue behind each
// other. Stations stand between the two tracks of a ring, one platform on
// each track, and every platform stops every train for 10 s in every slot
// of the day, so the trains stop and go all day.
//
// The pieces of a side zigzag by 2 m so that neighbours never continue each
// other straight: laying them would otherwise lengthen one piece instead of
// adding the next, and the piece count would not be the one asked for. The
// only block boundaries are the platform ends: each platform is a block
// section, and so is the track between two platforms.
#include <cstdint>
#include <string>

#include "world/world_file.h"

namespace tetsuro {

struct RailwayRequest {
    int32_t pieces = 1000;  // track pieces, at least kMinRailwayPieces
    int32_t trains = 10;    // 8-car trains of catalogue type 0
    uint64_t seed = 1;      // piece lengths, speed classes, colours
};

struct GeneratedRailway {
    bool ok = false;
    std::string error;  // why the request cannot be met
    WorldSpec world;
    int32_t rings = 0;
    int32_t stations = 0;
    int32_t platforms = 0;
};

inline constexpr int32_t kMinRailwayPieces = 10;
inline constexpr int32_t kRailwayCars = 8;

// The same request always gives the same description.
GeneratedRailway generateRailway(const RailwayRequest& request);

// The most trains a railway of that many pieces takes: one for every
// platform, and each train starts alone on its own platform. 0 below the
// smallest railway.
int32_t maxRailwayTrains(int32_t pieces);

}  // namespace tetsuro
