#include "rail/rail_hooks.h"

#include "game/game_clock.h"
#include "game/slots.h"
#include "support/sub.h"
#include "support/sub_dia.h"

namespace tetsuro {

namespace {

NullRailHooks g_null;
RailHooks* g_hooks = nullptr;

}  // namespace

RailViewRect RailHooks::viewRect() {
    return RailViewRect{0, 0, int64_t{Sub::s_iMY} * Sub::m_iMS, int64_t{Sub::s_iMX} * Sub::m_iMS};
}

int32_t RailHooks::diaCount() { return Sub::getDiaCount(); }

int32_t RailHooks::diaIndex() { return Sub::getDiaIndex(); }

RailHooks& railHooks() { return g_hooks != nullptr ? *g_hooks : g_null; }

void setRailHooks(RailHooks* hooks) { g_hooks = hooks; }

NullRailHooks& nullRailHooks() { return g_null; }

}  // namespace tetsuro
