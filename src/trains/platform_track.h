#pragma once
// Building and removing platform pieces on the track: the checks a stretch
// of track must pass, splitting the track at a piece's ends, registering the
// piece with its station, and reconciling the block boundaries at the
// platform's ends. Money, land and travellers are the controller's.
#include <cstdint>

#include "rail/rail_types.h"
#include "trains/platform_links.h"

namespace tetsuro {

// Results of the building operations besides a piece number.
inline constexpr int32_t kPlatformRefused = -1;
inline constexpr int32_t kPlatformStationLimit = -2;

namespace PlatformTrack {

// The rail a piece from f to t would lie on, or -1 when the stretch is
// refused: both points inside the map and apart in plan, one rail through
// both (at their heights) that carries no piece yet, no switch at either
// point, and no other rail crossing the segment between them.
int32_t stretchRail(const RailPoint& f, const RailPoint& t);

}  // namespace PlatformTrack

namespace Station {

// Registers a piece from f to t on rail ri. The station: platform fi's when
// it is valid; else si when it is not negative (it must be valid); else the
// first station registered under the piece's meshes and their neighbours;
// else a new one (a yard for yard track) at the midpoint mesh. The piece
// joins a platform as Form::addFoBuild says, and its meshes are registered
// for its platform's station. The piece number, kPlatformRefused (si not a
// station), or kPlatformStationLimit when no station, platform or piece
// record can be had.
int32_t addFoBuild(bool yard, int32_t si, int32_t fi, int32_t ri, const RailPoint& f, const RailPoint& t,
                   int32_t gym);

}  // namespace Station

namespace Heisoku {

// Checks the stretch, splits the track at f and t, registers the piece
// (Station::addFoBuild), renews its platform's ends and reconciles the
// boundaries at f, t and the platform's old and new ends. The piece number
// or a negative result (nothing built; the track is as it was).
int32_t addFoBuild(bool yard, const RailPoint& f, const RailPoint& t, int32_t si, int32_t fi, int32_t gym,
                   PlatformChange& out);
// Removes the piece containing f and t: the whole piece when f and t are
// its ends or either is shared with another piece or neither is an end;
// otherwise it is shortened to the part beyond the inner point. The
// stations are settled, the boundaries at f, t, the piece's old ends and
// every affected end are reconciled, pieces left without a section get
// one, and joints the pieces alone kept apart are merged again. The
// platform's total length before the removal (dm), 0 when no piece contains
// both points.
int64_t removeFoBuild(const RailPoint& f, const RailPoint& t, PlatformChange& out);

}  // namespace Heisoku

}  // namespace tetsuro
