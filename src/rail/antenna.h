#pragma once
// Boundary markers: at most one per track point. Types: 0 dead end, 1 block
// boundary (a platform end among others), 2 junction of three or more piece
// ends, 3 a change of speed class or a signal the player placed. A marker
// with a height other than 0 counts as elevated.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro::Antenna {

// Saved arrays; call afterLoad() after replacing them.
inline std::vector<int8_t> m_t;    // -1 free slot, else the type
inline std::vector<int16_t> m_z;
inline std::vector<int32_t> m_y;
inline std::vector<int32_t> m_x;

enum class AddStatus : int8_t { Created, Exists, Refused };

// What add() did. An existing marker is named (index) and left unchanged,
// whatever its type.
struct AddResult {
    AddStatus status = AddStatus::Refused;
    int32_t index = -1;
    bool created = false;
};

// A marker of type t (0..3) at the point, unless one stands there.
// Refused for a bad type or a height outside 16 bits.
AddResult add(int t, int64_t z, int64_t y, int64_t x);
// Removes the marker at a point / with a number; false when there is none.
bool remove(int64_t z, int64_t y, int64_t x);
bool remove(const RailPoint& p);
bool remove(int32_t n);
// Carries a dead-end marker from f to t: -1 when f has none, -2 when it is
// not of type 0, -3 when a marker stands at t (f's is removed, and t's too
// when it is of type 0); otherwise the marker's number, now at t.
int32_t move(const RailPoint& f, const RailPoint& t);
// The marker at a point, -1 when none.
int32_t searchIndex(int64_t z, int64_t y, int64_t x);
int32_t searchIndex(const RailPoint& p);
// The type, -1 for none.
int getType(int32_t n);
int getType(int64_t z, int64_t y, int64_t x);
// False for an invalid number or a type outside 0..3.
bool setType(int32_t n, int t);
bool isValid(int32_t n);
bool isElevated(int32_t n);
RailPoint point(int32_t n);
int32_t size();
int32_t count();
// Grows or shrinks the table; new slots are free.
bool resize(int32_t n);
// Entries in the point hash (for the checks).
size_t pointHashSize();
void reset();
// Rebuilds the point hash; a second marker at an occupied point is dropped.
void afterLoad();

}  // namespace tetsuro::Antenna
