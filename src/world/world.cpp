#include "world/world.h"

#include "city/starting_funds.h"
#include "map/block.h"

namespace tetsuro {

void WorldSimulation::renewPassenger(MainCanvas&, int) { Block::restore(); }

World::World() : m_finance(m_financeHooks), m_accounting(m_finance, &m_simulation) {}

CanvasHooks World::hooks() { return CanvasHooks{&m_accounting, &m_view, nullptr}; }

void World::bind(MainCanvas& canvas) {
    m_canvas = &canvas;
    m_finance.bind(canvas);
    m_map = std::make_unique<MapController>(canvas);
    m_view.setController(m_map.get());
}

bool World::startFreeGame(int my, int mx) {
    m_canvas->startEmptyGame();
    if (!m_map->startGameMap(my, mx)) return false;
    m_finance.newGame();
    m_finance.setFund(startingFunds(StartMode::Free, my, mx, m_canvas->slots().m_swa[SWA_MESH_SIZE]));
    m_finance.gameStarted();
    return true;
}

}  // namespace tetsuro
