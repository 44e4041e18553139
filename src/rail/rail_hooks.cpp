#include "rail/rail_hooks.h"

#include "game/game_clock.h"
#include "game/slots.h"
#include "support/sub.h"

namespace tetsuro {

namespace {

NullRailHooks g_null;
RailHooks* g_hooks = nullptr;

int32_t diaUnit() { return Sub::s_sbDiaUnit > 0 ? Sub::s_sbDiaUnit : 10; }

}  // namespace

RailViewRect RailHooks::viewRect() {
    return RailViewRect{0, 0, int64_t{Sub::s_iMY} * Sub::m_iMS, int64_t{Sub::s_iMX} * Sub::m_iMS};
}

int32_t RailHooks::diaCount() { return 1440 / diaUnit(); }

int32_t RailHooks::diaIndex() {
    if (Sub::m_la == nullptr) return 0;
    int64_t minutes = Sub::m_la[LA_CLOCK] / kTicksPerMinute;
    int64_t slot = minutes / diaUnit();
    int64_t n = diaCount();
    return static_cast<int32_t>(((slot % n) + n) % n);
}

RailHooks& railHooks() { return g_hooks != nullptr ? *g_hooks : g_null; }

void setRailHooks(RailHooks* hooks) { g_hooks = hooks; }

NullRailHooks& nullRailHooks() { return g_null; }

}  // namespace tetsuro
