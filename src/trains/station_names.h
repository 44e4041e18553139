#pragma once
// Automatic station names. The map is cut into 8 x 8 sectors, each with a
// place name; a station takes the first free name among the place name, a
// direction from the sector's centre with the place name, the place name
// with one of eight affixes in a random order, and the place name with a
// block number ("丁目").
#include <cstdint>

#include "support/j_string.h"

namespace tetsuro::StationNames {

inline constexpr int kSectors = 8;

// Sector row (0 the south) and column of a mesh, held to 0..7 so that a mesh
// outside the map still names a sector.
int32_t sectorRow(int32_t my);
int32_t sectorColumn(int32_t mx);
// The place-name table (row 0 the northern edge) and the affixes.
const J_String& placeName(int32_t index);
const J_String& affix(int32_t index);
// The place name of the sector holding the mesh.
const J_String& placeNameAt(int32_t my, int32_t mx);

// Names station si after the mesh (my, mx), as described above; the yard
// form ("操車場") is only tried first.
void setNameAuto(int32_t si, int32_t my, int32_t mx);

}  // namespace tetsuro::StationNames
