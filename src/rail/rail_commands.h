#pragma once
// The player's commands on the rail core: switches, signals, and laying one
// piece with its switches, section and boundaries (the part of track
// construction that belongs to the rail core; costs and land are the
// construction tool's).
#include <cstdint>

#include "rail/rail_types.h"

namespace tetsuro::RailCommands {

// The price of a signal the player places.
inline constexpr int64_t kSignalCost = 1000;

// A switch at a point for a branch leaving in direction d (degrees): the
// pieces there are split, the point becomes a section boundary and the
// switch is created. Its number, or -1 when 4096 switches exist (the track
// is then built without one).
int32_t addPoint(int64_t z, int64_t y, int64_t x, double d);
// A player signal: the point becomes a boundary of type 3 and 1000 is
// charged. Nothing happens and nothing is charged at a dead end, where no
// track passes, where a boundary already stands, or when the company cannot
// afford it. True when the signal was placed.
bool setSignal(int64_t z, int64_t y, int64_t x);
// Removes a boundary where the track does not require one. Refused (false)
// while two different trains hold sections meeting there: joining them
// would put two trains in one section.
bool eraseSignal(int64_t z, int64_t y, int64_t x);
// The same at a plan point, at the height of the first piece there.
bool setSignalAt(int64_t y, int64_t x);
bool eraseSignalAt(int64_t y, int64_t x);
// Height of the first piece through a plan point, -1 when none.
int32_t trackHeightAt(int64_t y, int64_t x);
// Lays one piece from f to t: a switch at each end where the new piece
// branches off (Bunki::isSet), the piece with its section
// (Heisoku::addRail), then both ends reconciled. The piece's number or -1.
int32_t layPiece(int typ, int spd, const RailPoint& f, const RailPoint& t);

}  // namespace tetsuro::RailCommands
