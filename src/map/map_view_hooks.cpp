#include "map/map_view_hooks.h"

#include "map/map_controller.h"

namespace tetsuro {

bool MapViewHooks::setPutArea(MainCanvas&) { return m_controller && m_controller->setPutArea(); }

bool MapViewHooks::renewPutArea(MainCanvas&) { return !m_controller || m_controller->renewPutArea(); }

bool MapViewHooks::renewBlockSize(MainCanvas&, int a) { return m_controller && m_controller->renewBlockSize(a); }

}  // namespace tetsuro
