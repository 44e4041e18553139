#include "trains/station_land_hooks.h"

#include "map/land_codes.h"

namespace tetsuro {

void StationLandHooks::acquireLand(int32_t my, int32_t mx) {
    if (m_map.getMapTyp(my, mx) == LAND_OUTSIDE || m_map.getMapTyp(my, mx) == LAND_OWNED) return;
    // Bought at the value the land book carries it at, so the book and the
    // block's land value stay in step.
    m_finance.buyAssetsL(m_map.getLandValue_myx(my, mx));
    m_map.setMapTyp(my, mx, LAND_OWNED);
}

}  // namespace tetsuro
