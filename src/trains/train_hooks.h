#pragma once
// Where train handling calls into subsystems that land later: passengers
// (riders get off when a train leaves the track). The platform search is
// running's own and is a hook only so that tests can watch it.
#include <cstdint>

namespace tetsuro {

class TrainHooks {
public:
    virtual ~TrainHooks() = default;
    // Train ti is about to be taken off the track: its riders leave it first.
    virtual void takeOffRiders(int32_t /*ti*/) {}
    // Looks for the next platform ahead of train ti (acts when m_NF is -1 or
    // m_NP <= 0): Train::searchForm.
    virtual void searchForm(int32_t ti);
};

// The hooks in use (shared defaults when none are set).
TrainHooks& trainHooks();
// Installs hooks (null restores the defaults); the caller keeps them alive.
void setTrainHooks(TrainHooks* hooks);

}  // namespace tetsuro
