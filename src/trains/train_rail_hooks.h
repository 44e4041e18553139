#pragma once
// The trains' side of the rail core's hooks: when track under a train is
// split, merged, reversed, lengthened or erased, its car ends and path are
// re-mapped onto the new pieces (or the train is taken off); when sections
// change, the trains claim theirs again.
#include "rail/rail_hooks.h"

namespace tetsuro::Train {

// After a topology edit: every placed train standing on the edited piece is
// re-mapped, or taken off the track when the piece was erased, when its
// ends no longer fit its path, or when it now needs a section another train
// holds.
void topologyEdited(const RailEdit& e);

// Rail hooks with the trains plugged in and everything else at the rail
// core's defaults (tests and tools that run the rail core with trains).
class TrainRailHooks : public NullRailHooks {
public:
    void topologyEdited(const RailEdit& e) override;
    void renewTrainSections() override;
};

}  // namespace tetsuro::Train
