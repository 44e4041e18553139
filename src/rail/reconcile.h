#pragma once
// Reconciling markers, signals and sections with the track at points where
// track or platforms changed, and removing pieces with what hangs on them.
//
// Removing a boundary can merge two pieces, whose far ends then need
// reconciling in turn; this runs on a work list with a visited set, so that
// long chains do not recurse and cyclic data (corrupt saves, imports)
// terminates.
#include <cstdint>
#include <vector>

namespace tetsuro::Heisoku {

// Brings the point in line with what the track needs there
// (Rail::investigateAntenna):
//  - nothing needed: the boundary (marker, signals, section split) goes,
//    and the two pieces merge where they can;
//  - a dead end: a type-0 marker and a signal at the end;
//  - a boundary of type t: the point is made a boundary (division) and its
//    marker gets type t.
void checkSignalAntennaHeisoku(int64_t z, int64_t y, int64_t x);
// At every point of a flat (z, y, x) list.
void checkSignalAntennaHeisoku(const std::vector<int32_t>& zyx);
// At both ends of a piece.
void checkSignalAntennaHeisoku_rail(int32_t ri);
// Removes the boundary at a point unless the track needs a marker there;
// true when it was removed.
bool eraseSignalAntennaHeisoku(int64_t z, int64_t y, int64_t x);
// Removes a piece: its platforms, the switches at its ends, the piece, and
// then reconciles both former end points. A section that the removal cut in
// two is split into two sections. False for an invalid piece.
bool removeRail(int32_t ri);

}  // namespace tetsuro::Heisoku
