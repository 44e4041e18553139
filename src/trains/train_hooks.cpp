#include "trains/train_hooks.h"

#include "trains/train_run_rules.h"

namespace tetsuro {

namespace {
TrainHooks g_default;
TrainHooks* g_hooks = nullptr;
}  // namespace

void TrainHooks::searchForm(int32_t ti) { Train::searchForm(ti); }

TrainHooks& trainHooks() { return g_hooks != nullptr ? *g_hooks : g_default; }

void setTrainHooks(TrainHooks* hooks) { g_hooks = hooks; }

}  // namespace tetsuro
