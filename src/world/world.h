#pragma once
// The composition root of the game: owns one of every subsystem's controller
// and plugs them into the canvas's hooks. Subsystems stay unaware of each
// other; only this folder knows them all.
#include <memory>

#include "city/accounting_simulation.h"
#include "city/finance.h"
#include "city/finance_hooks.h"
#include "game/canvas_hooks.h"
#include "game/main_canvas.h"
#include "map/map_controller.h"
#include "map/map_view_hooks.h"
#include "trains/dia_clipboards.h"
#include "trains/train_commands.h"
#include "trains/train_running.h"
#include "trains/station_controller.h"
#include "trains/station_land_hooks.h"
#include "trains/station_rail_hooks.h"
#include "world/world_finance_hooks.h"
#include "world/world_rail_hooks.h"

namespace tetsuro {

// The per-step work of the subsystems that have landed, in the order the
// simulation step runs it. Accounting wraps this (see World).
class WorldSimulation : public SimulationHooks {
public:
    explicit WorldSimulation(TrainRunner& runner) : m_runner(runner) {}
    // The trains run and carry the clock.
    int64_t advanceTrain(MainCanvas& c, int64_t step) override;
    // Hourly: the travel counters of the city blocks decay (trip generation
    // will run here as well).
    void renewPassenger(MainCanvas& c, int hourOfDay) override;

private:
    TrainRunner& m_runner;
};

class World {
public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The hooks a canvas is constructed with.
    CanvasHooks hooks();
    // Connects the controllers to the canvas once it exists.
    void bind(MainCanvas& canvas);

    // A new free game: the map of my x mx meshes, no track, the books reset
    // and the starting funds. False when the map cannot be created (the canvas is
    // then back at the title with the out-of-memory message).
    bool startFreeGame(int my, int mx);

    Finance& finance() { return m_finance; }
    MapController& map() { return *m_map; }
    TrainController& trains() { return m_trains; }
    TrainRunner& runner() { return m_runner; }
    StationController& stations() { return *m_stations; }
    // The timetable clipboards, emptied whenever the day length changed.
    DiaClipboards& diaClipboards();

private:
    WorldFinanceHooks m_financeHooks;
    Finance m_finance;
    TrainRunner m_runner;
    WorldSimulation m_simulation;
    AccountingSimulation m_accounting;
    MapViewHooks m_view;
    WorldRailHooks m_railHooks;
    TrainController m_trains;
    std::unique_ptr<MapController> m_map;
    std::unique_ptr<StationLandHooks> m_stationHooks;
    std::unique_ptr<StationController> m_stations;
    StationRailHooks m_stationRailHooks;
    DiaClipboards m_diaClipboards;
    MainCanvas* m_canvas = nullptr;
};

}  // namespace tetsuro
