#pragma once
// Putting trains on the track and taking them off, and the cached real
// coordinates of their car ends.
#include <cstdint>

namespace tetsuro::Train {

// Places train ti centred on the point (y, x) of rail rb, heading for rb's
// start (train_direction.h): the head car's front end lies L / 2 - 1 ahead
// of the point, every car's rear end L - 2 behind its front end, and each
// car's front end L behind the one before; all ends start on rb. The train
// holds rb's section, stands (speed and phase 0, no passengers), looks for
// the next platform and refreshes its coordinates. A placed train is taken
// off first. False, with nothing changed, for an invalid train or rail, a
// point off the rail, or rb's section held by another train.
bool setRail(int32_t ti, int64_t y, int64_t x, int32_t rb);
// The same with the rail looked up by point and plan direction of travel
// (w, v) (Rail::getRB_rzyxwv / getRB_ryxwv).
bool setRail(int32_t ti, int64_t z, int64_t y, int64_t x, int64_t w, int64_t v);
bool setRail(int32_t ti, int64_t y, int64_t x, int64_t w, int64_t v);

// Takes train ti off the track: its riders get off, it frees every section
// it holds, m_NP 0, m_NF -3, no passengers, car outlines erased.
void setNonPlacement(int32_t ti);
// Takes off every train standing on piece `rail` (a car end on it, or a car
// spanning it).
void setNonPlacement_Rail(int32_t rail);
// Takes off every placed train whose type the catalogue no longer has (it
// can shrink when reloaded); the number taken off.
int32_t setNonPlacement_MissingType();

// Recomputes the real coordinates of every car end; false (the rest left
// as they were) when an end lies on a rail that no longer exists.
bool renewRZYX(int32_t ti);

}  // namespace tetsuro::Train
