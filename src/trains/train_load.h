#pragma once
// Bringing the trains in step after a load replaced their saved arrays (or
// the catalogue changed under them).
#include <cstdint>

namespace tetsuro::Train {

// After the saved arrays of Train and Train_rs were replaced (and the rail
// core loaded): arrays of unequal length are cut; a train whose chain of
// cars is broken is dropped with its cars, and car records no train owns
// are freed; a placed train of a type the catalogue no longer has, or whose
// car ends cannot be joined along the track into the path its head took, is
// taken off the track; the trains then claim their sections again and
// refresh their coordinates.
void afterLoad();

// Rebuilds the path of a placed train from its car ends, searching the
// track between consecutive ends; false when no way along the track joins
// them at the distance the cars keep.
bool rebuildPath(int32_t ti);

}  // namespace tetsuro::Train
