#include "trains/train_running.h"

#include "game/main_canvas.h"
#include "game/slots.h"

namespace tetsuro {

namespace {
RunningHooks g_noHooks;
}

void TrainRunner::setHooks(RunningHooks* hooks) { m_hooks = hooks; }

RunningHooks& TrainRunner::hooks() { return m_hooks != nullptr ? *m_hooks : g_noHooks; }

// Placeholder until the stepper lands: the clock only.
int64_t TrainRunner::advanceTrain(int64_t cnt) {
    if (cnt <= 0) return 0;
    m_canvas->slots().m_la[LA_CLOCK] += cnt;
    return cnt;
}

int64_t TrainRunner::advanceTrain_nextCount(int64_t cnt) { return advanceTrain(cnt); }

}  // namespace tetsuro
