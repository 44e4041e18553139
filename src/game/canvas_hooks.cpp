#include "game/canvas_hooks.h"

#include "game/main_canvas.h"

namespace tetsuro {

int64_t SimulationHooks::advanceTrain(MainCanvas& c, int64_t step) {
    c.slots().m_la[LA_CLOCK] += step;
    return step;
}

}  // namespace tetsuro
