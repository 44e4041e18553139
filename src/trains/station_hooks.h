#pragma once
// Where the station operations call into subsystems that land later: land
// and buildings, roads, trains and travellers. The defaults describe a
// world without them (nothing to buy, no roads, no trains, nobody waiting).
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro {

class StationHooks {
public:
    virtual ~StationHooks() = default;

    // A station building goes up on the mesh: whatever stands there is
    // removed and, unless it is the company's own land, the mesh is bought.
    virtual void acquireLand(int32_t /*my*/, int32_t /*mx*/) {}
    // Road growth starts from the mesh in front of building sb, and stops
    // when the building is removed.
    virtual void startRoadGrowth(int32_t /*sb*/, int32_t /*my*/, int32_t /*mx*/) {}
    virtual void stopRoadGrowth(int32_t /*sb*/) {}
    // Every train with a car on a rail through either point is taken off the
    // track with its passengers.
    virtual void takeTrainsOff(const RailPoint& /*a*/, const RailPoint& /*b*/) {}
    // These stations no longer exist: travellers waiting there or for them go.
    virtual void stationsRemoved(const std::vector<int32_t>& /*stations*/) {}
    // Travellers waiting at a station.
    virtual int64_t waitingCount(int32_t /*si*/) { return 0; }
};

}  // namespace tetsuro
