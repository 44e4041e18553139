#include "world/world.h"

#include "city/starting_funds.h"
#include "map/block.h"
#include "rail/rail_core.h"
#include "trains/train_spec.h"

namespace tetsuro {

int64_t WorldSimulation::advanceTrain(MainCanvas&, int64_t step) { return m_runner.advanceTrain(step); }

void WorldSimulation::renewPassenger(MainCanvas&, int) { Block::restore(); }

World::World()
    : m_finance(m_financeHooks),
      m_runner(m_finance),
      m_simulation(m_runner),
      m_accounting(m_finance, &m_simulation), m_railHooks(m_finance), m_trains(m_finance) {
    // The rail tables are shared by the whole program: one world drives them.
    setRailHooks(&m_railHooks);
    m_railHooks.setTrains(&m_trains);
    m_financeHooks.setTrains(&m_trains);
}

World::~World() {
    if (&railHooks() == &m_railHooks) setRailHooks(nullptr);
    TrainSpec::setReporter({});
}

CanvasHooks World::hooks() { return CanvasHooks{&m_accounting, &m_view, nullptr}; }

void World::bind(MainCanvas& canvas) {
    m_canvas = &canvas;
    m_finance.bind(canvas);
    m_map = std::make_unique<MapController>(canvas);
    m_view.setController(m_map.get());
    m_trains.bind(canvas);
    m_runner.bind(canvas);
    // The rolling stock: a failure is shown once, in a message box.
    TrainSpec::setReporter([&canvas](const J_String& m) { canvas.host().messageBox(m.toUtf8()); });
    TrainSpec::load();
    m_stationHooks = std::make_unique<StationLandHooks>(m_finance, *m_map);
    m_stations = std::make_unique<StationController>(canvas, m_finance, *m_map, *m_stationHooks);
    m_stationRailHooks.setController(m_stations.get());
    m_railHooks.setPlatforms(&m_stationRailHooks);
}

DiaClipboards& World::diaClipboards() {
    if (!m_diaClipboards.fits()) m_diaClipboards.renew();
    return m_diaClipboards;
}

bool World::startFreeGame(int my, int mx) {
    m_canvas->startEmptyGame();
    m_diaClipboards.renew();
    if (!m_map->startGameMap(my, mx)) return false;
    RailCore::reset();
    m_trains.newGame();
    m_stations->newGame();
    m_finance.newGame();
    m_finance.setFund(startingFunds(StartMode::Free, my, mx, m_canvas->slots().m_swa[SWA_MESH_SIZE]));
    m_finance.gameStarted();
    return true;
}

}  // namespace tetsuro
