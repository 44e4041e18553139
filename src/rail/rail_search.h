#pragma once
// Searches over the pieces. They answer exactly what a scan over every
// valid piece would (rail_scan.h holds those scans; a randomised test holds
// the two equal) but look only at the pieces the indexes name.
//
// Orders: getAll_StartEnd ascending piece number; everything else
// descending piece number. Null (empty) when nothing is found.
#include <cstdint>
#include <vector>

namespace tetsuro::Rail {

// Pieces on which the 3D / plan point lies.
std::vector<int32_t> getAll_RZYX(int64_t z, int64_t y, int64_t x);
std::vector<int32_t> getAll_RYX(int64_t y, int64_t x);
// References leaving the point: n when it is n's From end, n + 2^30 when
// it is n's To end.
std::vector<int32_t> getAll_StartEnd(int64_t z, int64_t y, int64_t x);
std::vector<int32_t> getAll_StartEnd(int64_t y, int64_t x);
// References arriving at the point: n + 2^30 when it is n's From end, n
// when it is n's To end.
std::vector<int32_t> searchRailEnd(int64_t z, int64_t y, int64_t x);
// The other piece at the end of r, arriving there: -2 when r is invalid or
// nothing else ends there, -1 when two or more others do.
int32_t searchNext(int32_t r);
// A piece on which both points lie (the highest-numbered); -1 when none.
int32_t searchIndex(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty, int64_t tx);
// The same, turned round when it runs from the second point toward the first.
int32_t getIndex(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty, int64_t tx);

// Pieces crossing a plan segment at a height within lo..hi.
std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                  int64_t hi);
// Pieces crossing a plan segment; `point` false ignores pieces that only
// share an end point with it.
std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, bool point);
// Level pieces at the height of a level segment that cross it; null unless
// fz == tz.
std::vector<int32_t> getAll_CrossZYX(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                                     int64_t tx);
// Pieces crossing at least two edges of the rectangle at a height in lo..hi.
std::vector<int32_t> getAll_Region(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                   int64_t hi);
// Pieces crossing the border of mesh (my, mx) twice, with both crossings at
// a height in lo..hi, or with elevated flag be.
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int64_t lo, int64_t hi);
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int be);
// Pieces with elevated flag be on a plan point / touching a rectangle (an
// end inside or an edge crossed).
std::vector<int32_t> getAllR(int64_t y, int64_t x, int be);
std::vector<int32_t> getAllR(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int be);
// The distinct plan directions (reduced (y, x) pairs, flattened) leaving the
// point along the pieces on it, both ways for a piece passing through.
std::vector<int64_t> getAllDVYX(int64_t z, int64_t y, int64_t x);
// Among the pieces on the point (descending): the reversed reference of the
// first whose plan direction is (w, v), or the plain one of the first whose
// direction is (-w, -v); -1 when none.
int32_t getRB_ryxwv(int64_t y, int64_t x, int64_t w, int64_t v);
int32_t getRB_rzyxwv(int64_t z, int64_t y, int64_t x, int64_t w, int64_t v);

}  // namespace tetsuro::Rail
