#pragma once
// Switches: one per junction point where a train must choose between two
// successors. Each switch holds one setting per timetable slot of the day:
// bit 0 set = diverging (successor 1), clear = straight (successor 0); the
// other bits belong to the timetable editor.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro::Bunki {

inline constexpr int32_t kDefaultMax = 4096;

// Saved arrays; call afterLoad() after replacing them.
inline std::vector<int16_t> m_z;
inline std::vector<int32_t> m_y;   // -1 free slot
inline std::vector<int32_t> m_x;
inline std::vector<int16_t> m_my;  // mesh that shows the switch
inline std::vector<int16_t> m_mx;
inline std::vector<int8_t> m_sbaDia;  // diaCount() settings per switch
inline int32_t m_max = kDefaultMax;

// The lowest free slot add() would take; -1 when m_max switches exist.
int32_t addIndex();
// A switch at a point for a branch leaving in direction d (degrees), all
// settings straight; its number, or -1 at the limit or when one stands there.
int32_t add(int64_t z, int64_t y, int64_t x, double d);
// Whether a new piece leaving the point in direction d, with (w, v) a plan
// point a little way along it, makes the point a switch.
bool isSet(int64_t z, int64_t y, int64_t x, double d, int64_t w, int64_t v);
// Frees the switch at a point / at both ends of a piece.
bool remove(int64_t z, int64_t y, int64_t x);
void remove_rail(int32_t ri);
// The switch at a point, -1 when none.
int32_t searchIndex(int64_t z, int64_t y, int64_t x);
int32_t searchIndexRZYX(const std::vector<int32_t>& zyx);
// All switches at a plan point, ascending.
std::vector<int32_t> searchIndex(int64_t y, int64_t x);
std::vector<int32_t> searchIndex(const std::vector<int32_t>& yx);
// The first switch at a plan point whose elevated flag (height != 0) is be.
// (Named apart from searchIndex(z, y, x), which three ints would otherwise
// silently call.)
int32_t searchIndex_be(int64_t y, int64_t x, int be);
// All switches shown on a mesh, ascending.
std::vector<int32_t> searchIndex_myx(int64_t my, int64_t mx);

// Setting of switch n for slot dt; -1 for an invalid switch or slot.
int32_t getDia(int32_t n, int32_t dt);
bool setDia(int32_t n, int32_t dt, int32_t v);
bool isStraight(int32_t n, int32_t dt);
// For the current slot.
bool isStraight(int32_t n);
// The switch at the end point of r.
bool isStraight_rail(int32_t r);
// The successor a train takes at the end of r: -1 at a dead end, the only
// successor, or the switch's choice (successor 1 where no switch stands).
int32_t getRailConnect(int32_t r);
// All settings of a switch to and from a buffer of diaCount() bytes.
bool copyDia(int32_t n, std::vector<int8_t>& buf);
bool pasteDia(int32_t n, const std::vector<int8_t>& buf);

bool isValid(int32_t n);
bool isElevated(int32_t n);
int32_t size();
int32_t count();
// Settings per switch (timetable slots per day, fixed when the store is emptied).
int32_t diaCount();
// Sets the limit and empties the store.
void init(int32_t m);
// Grows or shrinks the table; new slots are free.
bool resize(int32_t n);
// Entries in the point hash (for the checks).
size_t pointHashSize();
void reset();
void afterLoad();

}  // namespace tetsuro::Bunki
