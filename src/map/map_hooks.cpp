#include "map/map_hooks.h"

namespace tetsuro {

namespace {
MapHooks g_defaultHooks;
MapHooks* g_hooks = &g_defaultHooks;
}  // namespace

MapHooks& mapHooks() { return *g_hooks; }

void setMapHooks(MapHooks* hooks) { g_hooks = hooks ? hooks : &g_defaultHooks; }

}  // namespace tetsuro
