#include "trains/station_core.h"

#include "trains/platform_links.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"
#include "trains/station_mesh_index.h"
#include "trains/station_store.h"

namespace tetsuro::StationCore {

void reset() {
    Station::reset();
    StBuild::reset();
    PlatformStore::reset();
    Station::clearMesh();
}

void afterLoad() {
    Station::afterLoad();
    StBuild::afterLoad();
    PlatformStore::afterLoad();
    // Pieces whose rail is gone or does not hold them move to the rail that
    // does; pieces no rail holds are dropped.
    PlatformChange change;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        if (Rail::renewFoBuildRI_fb(fb, change) < 0) PlatformLinks::removeWholePiece(fb, change);
    }
    Rail::renewFormRIRP();
    PlatformLinks::settleStations(change);
}

}  // namespace tetsuro::StationCore
