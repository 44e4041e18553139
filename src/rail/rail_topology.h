#pragma once
// Topology edits of the piece store: adding (or lengthening), splitting,
// merging, reversing and erasing pieces. Every edit that changes what a
// track position means tells the trains (RailHooks::topologyEdited).
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro::Rail {

// A new piece is acceptable: type 0..3, speed class 3..100, heights in 16
// bits, both ends within the map (0..map extent), ends apart in plan, and a
// 3D length of at most 20712 dm.
bool isValidNewPiece(int typ, int spd, int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                     int64_t tx);

// Adds a piece: a dead-end marker at one end moves to the other, then the
// piece lengthens an existing one when it continues it (extend), else it is
// stored as a new piece (add_main). The piece's number, -1 when refused.
int32_t add(int typ, int spd, int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
            int64_t tx);
// Stores a new piece in the lowest free slot with the section of its
// neighbours (getHeisoku); -1 when no slot can be made.
int32_t add_main(int typ, int spd, const RailPoint& f, const RailPoint& t);
// Lengthens the piece leaving f (or, failing with -1, the one leaving t)
// when the new piece continues it; its number or extend_main's error.
int32_t extend(int typ, int spd, const RailPoint& f, const RailPoint& t);
// Lengthens the one piece leaving p so that its end at p moves to q.
// -1 not exactly one piece leaves p; -2 it does not run on straight past p
// toward q (a piece doubling back is refused) or carries a platform
// building; -3 other type or speed class; -4 longer than 14000 dm.
// With apply false nothing changes (extend_check).
int32_t extend_main(const std::vector<int64_t>& v, int typ, int spd, const RailPoint& p,
                    const RailPoint& q, bool apply = true);
// What extend would report, changing nothing.
int32_t extend_check(int typ, int spd, const RailPoint& f, const RailPoint& t);

// Splits piece n at a plan point inside it (not an end): a new piece runs
// from the point to n's To end with n's type, class and section and takes
// n's To-end signal. The new piece's number, -1 when nothing was split.
int32_t division(int32_t n, int64_t z, int64_t y, int64_t x);
// Splits every piece on which the point lies; the number split.
int32_t division(int64_t z, int64_t y, int64_t x);
// Joins the two pieces leaving a point into the first when they continue
// each other straight, have the same type and class, the second carries no
// platform building, and the result is at most 14000 dm. The signal at the
// second piece's far end carries over. The merged piece's number or -1.
int32_t merge(int64_t z, int64_t y, int64_t x);
// Exchanges From and To with the two signals; false for an invalid piece.
bool reverse(int32_t n);
// Erases a piece (its signals are freed); its six end coordinates (From z,
// y, x, To z, y, x), null for an invalid piece.
std::vector<int32_t> erase(int32_t n);
void erase(const std::vector<int32_t>& pieces);

}  // namespace tetsuro::Rail
