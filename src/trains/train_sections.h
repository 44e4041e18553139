#pragma once
// The block sections a placed train holds: those of the rails its car ends
// stand on (a car spanning a short rail in between does not claim that
// rail's section). Each train keeps the list of what it holds, so releasing
// and claiming again costs O(cars) and never scans the section table.
#include <cstdint>

namespace tetsuro::Train {

// The section of piece ref is free or already held by train ti.
bool sectionFreeFor(int32_t ti, int32_t ref);
// Every section under the train's car ends is free or its own.
bool sectionsFree(int32_t ti);
// Holds exactly the sections under the car ends, renewing the signals of
// the sections that changed hands. A section another train holds is left
// to that train.
void claimSections(int32_t ti);
// Frees everything train ti holds and renews those signals.
void releaseSections(int32_t ti);
// After a track change: every section held by a placed train is freed and
// the trains claim again in record order; a train that finds one of its
// sections taken by an earlier train is taken off the track.
void renewHeisoku();

}  // namespace tetsuro::Train
