#include "trains/train_hooks.h"

#include "rail/rail_geometry.h"
#include "trains/train_cars.h"
#include "trains/train_store.h"

namespace tetsuro {

namespace {
TrainHooks g_default;
TrainHooks* g_hooks = nullptr;
}  // namespace

void TrainHooks::searchForm(int32_t ti) {
    if (!Train::isPlaced(ti)) return;
    const size_t i = static_cast<size_t>(ti);
    if (Train::m_NF[i] != Train::kNoPlatform && Train::m_NP[i] > 0) return;
    Train::m_NF[i] = Train::kNoPlatform;
    Train::m_NP[i] = Rail::length_um(Train_rs::m_ari[2 * static_cast<size_t>(Train::headCar(ti))]);
}

TrainHooks& trainHooks() { return g_hooks != nullptr ? *g_hooks : g_default; }

void setTrainHooks(TrainHooks* hooks) { g_hooks = hooks; }

}  // namespace tetsuro
