#include "trains/station_controller.h"

#include <algorithm>

#include "game/game_clock.h"
#include "map/land_codes.h"
#include "rail/rail_commands.h"
#include "rail/rail_store.h"
#include "support/shift_jis.h"
#include "trains/platform_store.h"
#include "trains/platform_track.h"
#include "trains/station_building.h"
#include "trains/station_core.h"
#include "trains/station_mesh_index.h"
#include "trains/station_store.h"

namespace tetsuro {

namespace {

const J_String& limitMessage() { return SJ(u8"駅数の上限です"); }
constexpr int kLimitMessageMs = 2000;

bool insideMap(int32_t my, int32_t mx) { return my >= 0 && mx >= 0 && my < Sub::s_iMY && mx < Sub::s_iMX; }

}  // namespace

int32_t StationController::yearMonth() const {
    const GameDateTime t = clockToDateTime(m_canvas.clock());
    return static_cast<int32_t>(t.gameYear() * 12 + t.month);
}

// ---- station buildings ----

bool StationController::isBuildableLand(int32_t code) {
    return (code >= LAND_OWNED && code <= LAND_FOREST) || LandCodes::isRoad(code) || LandCodes::isHouse(code) ||
           LandCodes::isOffice(code);
}

int64_t StationController::stationCost(int32_t my, int32_t mx) const {
    if (!insideMap(my, mx)) return -1;
    const int32_t code = m_map.getMapTyp(my, mx);
    if (!isBuildableLand(code)) return -1;
    return StBuild::kCost + (code == LAND_OWNED ? 0 : m_map.getLandValue_myx(my, mx));
}

int32_t StationController::constructStation(bool yard, int32_t my, int32_t mx) {
    return constructStation(yard, my, mx, -1);
}

int32_t StationController::constructStation(bool yard, int32_t my, int32_t mx, int32_t si) {
    // The checks the command makes before it asks, made here as well: files
    // and generators call this directly.
    if (stationCost(my, mx) < 0) return -1;
    int32_t created = -1;
    if (si < 0) {
        si = Station::searchStIndexNeighbor(my, mx);
        if (si < 0) {
            const int32_t before = Station::count();
            si = Station::add(yard, my, mx);
            if (si < 0) {
                m_canvas.putMsg(limitMessage(), kLimitMessageMs);
                return -1;
            }
            if (Station::count() > before) created = si;
        }
    } else if (!Station::isValid(si)) {
        return -1;
    }
    const bool repHasBuilding = StBuild::searchIndex_myx(Station::m_y[si], Station::m_x[si]) >= 0;
    const int32_t sb = StBuild::add(si, my, mx, yearMonth());
    if (sb < 0) {
        if (created >= 0) Station::remove(created);
        m_canvas.putMsg(limitMessage(), kLimitMessageMs);
        return -1;
    }
    if (!repHasBuilding) {
        Station::m_y[si] = static_cast<int16_t>(my);
        Station::m_x[si] = static_cast<int16_t>(mx);
    }
    Station::setMesh(my, mx, si, StationMeshIndex::buildingRank(sb));

    m_hooks->acquireLand(my, mx);
    m_map.setMapTyp(my, mx, LAND_STATION_BUILDING);
    m_map.clearGroundID_myx(my, mx);
    m_finance.buyAssets(AssetBook::Station, StBuild::kCost);

    // Roads grow from the side away from the track.
    auto isTrack = [&](int32_t y, int32_t x) { return LandCodes::isTrain(m_map.getMapTyp(y, x)); };
    int32_t ry = my, rx = mx;
    if (isTrack(my + 1, mx)) {
        ry = my - 1;
    } else if (isTrack(my - 1, mx)) {
        ry = my + 1;
    } else if (isTrack(my, mx + 1)) {
        rx = mx - 1;
    } else if (isTrack(my, mx - 1)) {
        rx = mx + 1;
    }
    m_hooks->startRoadGrowth(sb, ry, rx);
    return si;
}

bool StationController::removeStBuild(int32_t my, int32_t mx) {
    const int32_t sb = StBuild::searchIndex_myx(my, mx);
    if (sb < 0) return false;
    const auto before = validStations();
    const int32_t si = StBuild::obj[sb].m_st;
    const bool wasRep = Station::m_y[si] == my && Station::m_x[si] == mx;
    StBuild::remove(sb);
    // The index first: a station still counts as registered at its mesh
    // while the building's claim is listed.
    Station::renewMesh();
    if (wasRep) Station::examine(si);
    m_hooks->stopRoadGrowth(sb);
    m_map.setMapTyp(my, mx, LAND_OWNED);
    m_map.clearGroundID_myx(my, mx);
    m_finance.addFund(-kRemovalCost);
    finish(PlatformChange{}, before);
    return true;
}

// ---- platform and yard pieces ----

int64_t StationController::foBuildCost(bool yard, const RailPoint& f, const RailPoint& t) const {
    if (PlatformTrack::stretchRail(f, t) < 0) return -1;
    return FoBuild::getCost(yard, FoBuild::getLength(f, t));
}

int32_t StationController::constructFoBuild(bool yard, const RailPoint& f, const RailPoint& t) {
    const int64_t cost = foBuildCost(yard, f, t);
    if (cost < 0 || !m_finance.checkCost(cost)) return kPlatformRefused;
    return constructFoBuild(yard, f, t, -1, -1);
}

int32_t StationController::constructFoBuild(bool yard, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    const int32_t fz = RailCommands::trackHeightAt(fy, fx);
    const int32_t tz = RailCommands::trackHeightAt(ty, tx);
    if (fz < 0 || tz < 0) return kPlatformRefused;
    return constructFoBuild(yard, RailPoint{fz, static_cast<int32_t>(fy), static_cast<int32_t>(fx)},
                            RailPoint{tz, static_cast<int32_t>(ty), static_cast<int32_t>(tx)});
}

int32_t StationController::constructFoBuild(bool yard, const RailPoint& f, const RailPoint& t, int32_t si,
                                            int32_t fi) {
    PlatformChange change;
    const int32_t fb = Heisoku::addFoBuild(yard, f, t, si, fi, yearMonth(), change);
    if (fb == kPlatformStationLimit) m_canvas.putMsg(limitMessage(), kLimitMessageMs);
    if (fb < 0) return fb;
    markPieceLand(fb);
    m_finance.buyAssets(AssetBook::Station, FoBuild::getCost(fb));
    return fb;
}

void StationController::markPieceLand(int32_t fb) {
    const int32_t code = FoBuild::isYard(fb) ? LAND_YARD : LAND_PLATFORM;
    for (const MeshYX& m : FoBuild::getUseMesh(fb)) {
        // Only the company's track land: roads, water, buildings and land
        // the company does not own keep what they are.
        const int32_t now = m_map.getMapTyp(m.my, m.mx);
        if (now != LAND_TRACK && now != LAND_OWNED) continue;
        m_map.setMapTyp(m.my, m.mx, code);
        m_map.clearGroundID_myx(m.my, m.mx);
    }
}

int64_t StationController::removeFoBuildCost(const RailPoint& f, const RailPoint& t) const {
    if (f.y == t.y && f.x == t.x) return -1;
    return FoBuild::searchIndex(f, t) >= 0 ? kRemovalCost : -1;
}

int64_t StationController::removeFoBuild(const RailPoint& f, const RailPoint& t) {
    if (removeFoBuildCost(f, t) < 0) return 0;
    const auto before = validStations();
    PlatformChange change;
    const int64_t length = Heisoku::removeFoBuild(f, t, change);
    m_hooks->takeTrainsOff(f, t);
    m_finance.addFund(-kRemovalCost);
    finish(change, before);
    return length;
}

// ---- the rail core's calls ----

void StationController::refreshPlatformLinks(int32_t n) {
    PlatformChange change;
    Rail::renewFoBuildRI_rail(n, change);
    Rail::renewFormRIRP_rail(n);
    if (change.piecesChanged) Station::renewMesh();
    if (!change.freedMeshes.empty()) finish(change, validStations());
}

std::vector<RailPoint> StationController::removePlatformsOn(int32_t n) {
    if (platformIndex().onRail(n).empty()) return {};
    const auto before = validStations();
    PlatformChange change;
    Rail::removeFoBuild_rail(n, change);
    finish(change, before);
    return change.points;
}

// ---- panels ----

int32_t StationController::examineStation(int32_t my, int32_t mx) const {
    return Station::searchStIndex_myx_0(my, mx);
}

// ---- lifecycle ----

void StationController::newGame() { StationCore::reset(); }

void StationController::afterLoad() { StationCore::afterLoad(); }

// ---- helpers ----

std::vector<int8_t> StationController::validStations() const {
    std::vector<int8_t> v(static_cast<size_t>(Station::size()), 0);
    for (int32_t si = 0; si < Station::size(); ++si) v[si] = Station::isValid(si) ? 1 : 0;
    return v;
}

void StationController::finish(const PlatformChange& change, const std::vector<int8_t>& before) {
    std::vector<MeshYX> meshes = change.freedMeshes;
    std::sort(meshes.begin(), meshes.end(),
              [](const MeshYX& a, const MeshYX& b) { return a.my != b.my ? a.my < b.my : a.mx < b.mx; });
    meshes.erase(std::unique(meshes.begin(), meshes.end()), meshes.end());
    for (const MeshYX& m : meshes) {
        const int32_t code = m_map.getMapTyp(m.my, m.mx);
        if ((code != LAND_PLATFORM && code != LAND_YARD) || FoBuild::coverage(m.my, m.mx) > 0) continue;
        m_map.setMapTyp(m.my, m.mx, LAND_TRACK);
        m_map.clearGroundID_myx(m.my, m.mx);
    }
    std::vector<int32_t> gone;
    for (int32_t si = 0; si < static_cast<int32_t>(before.size()); ++si) {
        if (before[si] && !Station::isValid(si)) gone.push_back(si);
    }
    if (!gone.empty()) m_hooks->stationsRemoved(gone);
}

}  // namespace tetsuro
