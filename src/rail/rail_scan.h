#pragma once
// The literal linear scans over every slot that the indexed searches
// replace. Kept as the reference the indexes are tested against (and for
// the invariant checker); never used on a hot path.
#include <cstdint>
#include <vector>

namespace tetsuro::Rail::Scan {

std::vector<int32_t> getAll_RZYX(int64_t z, int64_t y, int64_t x);
std::vector<int32_t> getAll_RYX(int64_t y, int64_t x);
std::vector<int32_t> getAll_StartEnd(int64_t z, int64_t y, int64_t x);
std::vector<int32_t> getAll_StartEnd(int64_t y, int64_t x);
std::vector<int32_t> searchRailEnd(int64_t z, int64_t y, int64_t x);
std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                  int64_t hi);
std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, bool point);
std::vector<int32_t> getAll_CrossZYX(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                                     int64_t tx);
std::vector<int32_t> getAll_Region(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                   int64_t hi);
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int64_t lo, int64_t hi);
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int be);
std::vector<int32_t> getAllR(int64_t y, int64_t x, int be);
std::vector<int32_t> getAllR(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int be);
// Pieces of section s in descending number.
std::vector<int32_t> sectionPieces(int32_t s);
// Number of valid pieces.
int32_t count();

}  // namespace tetsuro::Rail::Scan
