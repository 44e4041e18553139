#pragma once
// The player's station operations: station buildings, platform and yard
// pieces, their costs, land and books, and what removing them does to
// stations, trains and travellers. The records live in static stores
// (station_store.h, station_building.h, platform_store.h); this object
// brings them together with the canvas, the books, the map and the hooks of
// the later subsystems.
#include <cstdint>
#include <vector>

#include "city/finance.h"
#include "game/main_canvas.h"
#include "map/map_controller.h"
#include "rail/rail_types.h"
#include "trains/platform_links.h"
#include "trains/station_hooks.h"

namespace tetsuro {

class StationController {
public:
    // Removing a station building or a platform piece.
    static constexpr int64_t kRemovalCost = 1000;

    StationController(MainCanvas& canvas, Finance& finance, MapController& map, StationHooks& hooks)
        : m_canvas(canvas), m_finance(finance), m_map(map), m_hooks(&hooks) {}
    StationController(const StationController&) = delete;
    StationController& operator=(const StationController&) = delete;

    void setHooks(StationHooks& hooks) { m_hooks = &hooks; }
    StationHooks& hooks() { return *m_hooks; }

    // The current month index (game year x 12 + month - 1).
    int32_t yearMonth() const;

    // ---- station buildings ----
    // Vacant, paddy, grass, forest, own land, roads, houses and offices.
    static bool isBuildableLand(int32_t code);
    // Price of a building on the mesh: 300000, plus the land value unless the
    // mesh is the company's own land; -1 where no building can go.
    int64_t stationCost(int32_t my, int32_t mx) const;
    // Builds at (my, mx) for the first station registered in the 3 x 3
    // meshes around it, else a new station. The station's number; -1 off
    // the map, on land no building can go on, or when no station can be had
    // ("駅数の上限です").
    int32_t constructStation(bool yard, int32_t my, int32_t mx);
    // The same for station si (si < 0 searches as above); -1 as above or
    // when si is not a station.
    int32_t constructStation(bool yard, int32_t my, int32_t mx, int32_t si);
    // Removes the building on the mesh; false when there is none.
    bool removeStBuild(int32_t my, int32_t mx);

    // ---- platform and yard pieces ----
    // Price of a piece from f to t (3D length x 100, or x 1 for yard), -1
    // when the stretch is refused (see PlatformTrack::stretchRail).
    int64_t foBuildCost(bool yard, const RailPoint& f, const RailPoint& t) const;
    // The player's piece: refused (-1) unless the books cover its price
    // ("資金が足りません" then).
    int32_t constructFoBuild(bool yard, const RailPoint& f, const RailPoint& t);
    // The same between two plan points, at the height of the track there.
    int32_t constructFoBuild(bool yard, int64_t fy, int64_t fx, int64_t ty, int64_t tx);
    // Builds a piece for station si and platform fi (either -1 to find or
    // make one), charging its price without asking the books. The piece's
    // number; kPlatformRefused, or kPlatformStationLimit with "駅数の上限です".
    int32_t constructFoBuild(bool yard, const RailPoint& f, const RailPoint& t, int32_t si, int32_t fi);
    // 1000 when a piece contains both points, -1 otherwise.
    int64_t removeFoBuildCost(const RailPoint& f, const RailPoint& t) const;
    // Removes or shortens the piece containing both points, takes trains on
    // rails through either point off the track and charges 1000. The
    // platform's length before (dm); 0, with nothing charged, when no piece
    // contains both points.
    int64_t removeFoBuild(const RailPoint& f, const RailPoint& t);

    // ---- the rail core's platform calls ----
    // Rail n changed shape: pieces follow their rails.
    void refreshPlatformLinks(int32_t n);
    // Rail n goes: its pieces go with it; the points whose markers may change.
    std::vector<RailPoint> removePlatformsOn(int32_t n);

    // ---- panels ----
    // The station the player examines at a mesh, -1 for none.
    int32_t examineStation(int32_t my, int32_t mx) const;

    // ---- lifecycle ----
    // A new game: every station store empty.
    void newGame();
    // After a load replaced the saved arrays.
    void afterLoad();

private:
    // Which stations exist, to tell the travellers which went.
    std::vector<int8_t> validStations() const;
    // Meshes no piece covers any more go back to track land; stations that
    // went are reported.
    void finish(const PlatformChange& change, const std::vector<int8_t>& before);
    void markPieceLand(int32_t fb);

    MainCanvas& m_canvas;
    Finance& m_finance;
    MapController& m_map;
    StationHooks* m_hooks;
};

}  // namespace tetsuro
