#pragma once
// The drawing list: twelve values per valid piece touching the area in view
// (type, speed class, section, FZ, FY, FX, TZ, TY, TX, length, signal at the
// From end, signal at the To end); all non-elevated pieces first, then the
// elevated ones, each group in descending piece number.
//
// Edits only mark it out of date (dropping the cached 3D meshes built from
// it); it is rebuilt once, on the next read, from the grid buckets.
#include <cstdint>
#include <vector>

namespace tetsuro::Rail {

inline constexpr int kPutListStride = 12;

inline std::vector<int32_t> m_iaPutList;

// Marks the list out of date; the first mark after a rebuild also drops
// the cached 3D meshes.
void markPutListDirty();
bool isPutListDirty();
// After a change of the visible area: the same as markPutListDirty.
void renewPutList();
// The current list, rebuilt first when out of date.
const std::vector<int32_t>& getPutList();
// A fresh list, from the indexes or (literal) from every slot.
std::vector<int32_t> buildPutList(bool literal);

}  // namespace tetsuro::Rail
