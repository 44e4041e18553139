#pragma once
// Platforms (Form) and platform pieces (FoBuild): parallel arrays indexed by
// record number. A piece lies along one rail between two points of it; a
// platform is the chain of pieces that touch end to end. Records are reused
// lowest first.
//
// Every write goes through the functions here, which keep the lookups of
// platform_index.h in step. Loads replace the saved arrays whole and call
// StationCore::afterLoad().
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "rail/rail_types.h"
#include "support/sub.h"
#include "trains/platform_index.h"

namespace tetsuro {

// The lookups of the pieces in use.
const PlatformIndex& platformIndex();
PlatformIndex& mutablePlatformIndex();

namespace FoBuild {

// A platform stores its end pieces with the flag in bit 14, so piece
// numbers stay below it.
inline constexpr int32_t kMax = 16383;
inline constexpr int32_t kEndFlag = 0x4000;
// "Any height" for searchIndex.
inline constexpr int64_t kAnyZ = std::numeric_limits<int32_t>::min();
// Meshes under a piece are found with this widening.
inline constexpr int64_t kMeshWidth = 19;

// ---- saved arrays ----
inline std::vector<int8_t> m_typ;    // 0 yard track, 1 passenger platform
inline std::vector<int16_t> m_fo;    // its platform; -1 free record
inline std::vector<int32_t> m_ri;    // the rail it lies along
inline std::vector<int16_t> m_fz;    // start point
inline std::vector<int32_t> m_fy;
inline std::vector<int32_t> m_fx;
inline std::vector<int16_t> m_tz;    // end point
inline std::vector<int32_t> m_ty;
inline std::vector<int32_t> m_tx;
inline std::vector<int16_t> m_gym;   // year-month built

int32_t size();
int32_t count();
bool isValid(int32_t fb);
// The record add() would take, -1 at the limit.
int32_t peekFree();

RailPoint from(int32_t fb);
RailPoint to(int32_t fb);
bool isYard(int32_t fb);

// A new piece of platform fo on rail ri. -1 when an identical piece (same
// rail, same two end points in either order) exists, when the ends meet in
// plan, or when kMax pieces exist.
int32_t add(bool yard, int32_t fo, int32_t ri, const RailPoint& from, const RailPoint& to, int32_t gym);
// Frees a piece. The caller renews its platform's ends.
void remove(int32_t fb);
// Moves a piece to another rail.
void setRI(int32_t fb, int32_t ri);
// Moves a piece's end points (shortening, splitting).
void setEnds(int32_t fb, const RailPoint& from, const RailPoint& to);

// Pieces passing exactly through the plan point whose height there is z
// (any height for kAnyZ), ascending.
std::vector<int32_t> searchIndex(int64_t z, int64_t y, int64_t x);
// A piece containing both points (the lowest-numbered), -1 when none.
int32_t searchIndex(const RailPoint& f, const RailPoint& t);
// The platform of the first piece through the point, -1 when none.
int32_t searchFoIndex(int64_t z, int64_t y, int64_t x);

// The meshes under the piece (kept with the piece), and under any stretch
// (worked out).
const std::vector<MeshYX>& getUseMesh(int32_t fb);
std::vector<MeshYX> getUseMesh(const RailPoint& f, const RailPoint& t);
// Number of pieces whose meshes include (my, mx).
int32_t coverage(int32_t my, int32_t mx);
// Height at a plan point of the piece, interpolated between its end heights
// and rounded half away from zero.
int32_t getZ(int32_t fb, int64_t y, int64_t x);
// The point lies on the piece (in plan, and at height z unless kAnyZ).
bool isPointOn(int32_t fb, int64_t z, int64_t y, int64_t x);
bool isEnd(int32_t fb, const RailPoint& p);
// 3D length in real units, rounded.
int64_t getLength(int32_t fb);
int64_t getLength(const RailPoint& f, const RailPoint& t);

// Neighbours: pieces of the same platform sharing an end point with fb.
int32_t getNeighborCount(int32_t fb);
// A neighbour with an end at fb's start (end) point, -1 when none.
int32_t getNeighbor_F(int32_t fb);
int32_t getNeighbor_T(int32_t fb);

// Price when built: length x 100 for a platform, x 1 for yard track.
int64_t getCost(bool yard, int64_t length);
int64_t getCost(int32_t fb);
// Book value at month index ym (40-year life).
int64_t getValue(int32_t fb, int64_t ym);

}  // namespace FoBuild

namespace Form {

// m_no is a signed byte: at most 127 platforms per station, numbered 0..126.
inline constexpr int32_t kMaxNo = 126;
// m_st is 16 bits.
inline constexpr int32_t kMax = 32767;

// ---- saved arrays ----
inline std::vector<int16_t> m_st;               // its station; -1 free record
inline std::vector<int8_t> m_no;                // platform number ("0番線" first)
inline std::vector<std::vector<int8_t>> m_DD;   // stop rule per timetable slot
inline std::vector<int16_t> m_afb;              // two end pieces per record (bit 14 flag), -1 unset

int32_t size();
int32_t count();
bool isValid(int32_t fi);

// Timetable slots of a day for the current unit, and the stop rules of a
// new platform: wait overnight (2), leave at 4:00 (2 with the departure
// mark, 34), then stop 10 s (3).
int32_t diaCount();
std::vector<int8_t> defaultRules();

// A new platform of station si in the first free record, numbered one above
// the station's highest; -1 for an invalid station, past kMaxNo, or at kMax.
int32_t add(int32_t si);
// Frees the record (its pieces must be gone).
void remove(int32_t fi);

// Adds a piece: -1 when si is -1. With fi < 0 the piece joins the platform
// of a piece through its start point, else through its end point, else a
// new platform of si. The piece number, or -1 (nothing added; a platform
// made for it is freed again).
int32_t addFoBuild(bool yard, int32_t si, int32_t fi, int32_t ri, const RailPoint& from, const RailPoint& to,
                   int32_t gym);

// The pieces of the platform, ascending.
const std::vector<int32_t>& pieces(int32_t fi);
int32_t getSt(int32_t fi);
// End piece p (0 or 1) without its flag, -1 when unset.
int32_t getFB(int32_t fi, int p);
bool isEndFlag(int32_t fi, int p);
// Writes both ends (with their flags).
void setAFB(int32_t fi, int32_t a, int32_t b);
// The reference on the rail of end piece p that leaves the platform's free
// end p into the platform (a train travelling along it enters there); -1
// when unset.
int32_t getRI(int32_t fi, int p);
// Yard when its first piece is yard track.
bool isYard(int32_t fi);
// Sum of its pieces' lengths: real units, track units.
int64_t getLength(int32_t fi);
int64_t getLength_um(int32_t fi);
int64_t getValue(int32_t fi, int64_t ym);
// The earliest year-month of its pieces, -1 for none.
int32_t getGYM(int32_t fi);
// Rail ri carries an end piece of the platform.
bool isUseRail(int32_t fi, int32_t ri);

// Running's lookups. The platform of the first piece on rail ri (direction
// ignored), -1 when none.
int32_t searchIndex_ri(int32_t ri);
// The first platform other than n with an end p for which getRI(fi, p) is
// rib: a train travelling along rib enters it there. -1 when none.
int32_t searchIndex_rib(int32_t rib, int32_t n);

}  // namespace Form

namespace PlatformStore {
// Every platform and piece gone.
void reset();
// After the saved arrays were replaced: lengths made equal, references to
// missing records dropped, the lookups rebuilt.
void afterLoad();
}  // namespace PlatformStore

}  // namespace tetsuro
