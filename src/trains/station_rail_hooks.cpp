#include "trains/station_rail_hooks.h"

#include <algorithm>

#include "rail/rail_search.h"
#include "trains/platform_links.h"
#include "trains/platform_store.h"
#include "trains/station_controller.h"
#include "trains/station_mesh_index.h"

namespace tetsuro {

bool StationRailHooks::hasPlatformBuilding(int32_t n) { return !platformIndex().onRail(n).empty(); }

bool StationRailHooks::hasPlatform(int32_t n) { return Form::searchIndex_ri(n) >= 0; }

int StationRailHooks::platformMarker(const RailPoint& p) {
    std::vector<int32_t> at;
    for (int32_t ri : Rail::getAll_RZYX(p.z, p.y, p.x)) {
        for (int32_t fb : platformIndex().onRail(ri)) {
            if (FoBuild::isPointOn(fb, p.z, p.y, p.x) && std::find(at.begin(), at.end(), fb) == at.end()) {
                at.push_back(fb);
            }
        }
    }
    if (at.size() == 1) return 1;
    if (at.size() == 2 && FoBuild::m_fo[at[0]] != FoBuild::m_fo[at[1]]) return 1;
    return -1;
}

std::array<int32_t, 2> StationRailHooks::platformPieces(int32_t fo) { return {Form::getRI(fo, 0), Form::getRI(fo, 1)}; }

void StationRailHooks::refreshPlatformLinks(int32_t n) {
    if (m_controller != nullptr) {
        m_controller->refreshPlatformLinks(n);
        return;
    }
    PlatformChange change;
    Rail::renewFoBuildRI_rail(n, change);
    Rail::renewFormRIRP_rail(n);
    if (change.piecesChanged) Station::renewMesh();
}

void StationRailHooks::detachPiece(int32_t n) { removePlatformsOn(n); }

std::vector<RailPoint> StationRailHooks::removePlatformsOn(int32_t n) {
    if (platformIndex().onRail(n).empty()) return {};
    if (m_controller != nullptr) return m_controller->removePlatformsOn(n);
    PlatformChange change;
    Rail::removeFoBuild_rail(n, change);
    return change.points;
}

}  // namespace tetsuro
