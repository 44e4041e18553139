#pragma once
// How a train reads the track. Every part that moves trains goes through
// these few rules, so they are written down once, here.
//
// A car end stands on a directed rail reference whose *start* is the piece
// end the car is heading for, and its position is the number of track units
// still to run to that start: it counts down as the train moves and reaches
// 0 at the piece end. The rail core's references point the other way round
// (a reference travels from its start to its end), hence:
//
//   travel(ref)        the rail core's reference for the car's direction of
//                      travel; this is what goes to Rail::getConnect and
//                      Bunki::getRailConnect.
//   onto(successor)    a successor (a reference leaving the piece end) as the
//                      car's reference on the next piece.
//   entrySignalSpeed   the signal a train passes when it enters rb stands at
//                      rb's entry end, the start of travel(rb).
//   platformMatches    a platform end reference points into the platform
//                      from that end, in the direction of a train entering
//                      there: a head on rib enters it when rib is its flip.
//   turned             a car end seen facing the other way on the same piece.
#include <array>
#include <cstdint>

#include "rail/bunki.h"
#include "rail/rail_connect.h"
#include "rail/rail_geometry.h"
#include "rail/rail_signals.h"
#include "rail/rail_types.h"

namespace tetsuro::TrainDirection {

constexpr int32_t travel(int32_t ref) { return RailRef::flip(ref); }
constexpr int32_t onto(int32_t successor) { return RailRef::flip(successor); }

// Successor i (0 or 1) of the piece end ahead, as the car's next reference;
// -1 for none.
inline int32_t successor(int32_t ref, int i) { return onto(Rail::getConnect(travel(ref), i)); }
// The piece the train takes at the end ahead (through the switch there);
// -1 at a dead end.
inline int32_t nextRail(int32_t ref) { return onto(Bunki::getRailConnect(travel(ref))); }
// Position on the next piece of an end that ran `overrun` (<= 0) past the
// end of its piece.
inline int64_t entryPosition(int32_t next, int64_t overrun) { return Rail::length_um(next) + overrun; }

// 9 when the signal at rb's entry shows caution, else 100.
inline int32_t entrySignalSpeed(int32_t rb) { return Rail::getSignalSP(travel(rb)); }

constexpr bool platformMatches(int32_t rib, int32_t platformRef) {
    return rib >= 0 && platformRef >= 0 && rib == RailRef::flip(platformRef);
}

struct End {
    int32_t ref = -1;
    int64_t pos = 0;
    friend bool operator==(const End&, const End&) = default;
};

// The same point facing the other way: direction flag flipped, position
// measured from the other piece end.
inline End turned(const End& e) { return End{RailRef::flip(e.ref), Rail::length_um(e.ref) - e.pos}; }

// Real coordinates (z, y, x) of an end.
inline std::array<double, 3> point(const End& e) { return Rail::getPosRZYXf_um(e.ref, e.pos); }

}  // namespace tetsuro::TrainDirection
