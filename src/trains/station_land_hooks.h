#pragma once
// The station hooks of a world that has the map and the books but no land
// trade, roads, trains or travellers yet: a station building's mesh is
// bought at its block's land value into the land book and becomes company
// land. The land trade replaces this when it lands.
#include <cstdint>

#include "city/finance.h"
#include "map/map_controller.h"
#include "trains/station_hooks.h"

namespace tetsuro {

class StationLandHooks : public StationHooks {
public:
    StationLandHooks(Finance& finance, MapController& map) : m_finance(finance), m_map(map) {}

    void acquireLand(int32_t my, int32_t mx) override;

private:
    Finance& m_finance;
    MapController& m_map;
};

}  // namespace tetsuro
