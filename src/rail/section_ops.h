#pragma once
// Building sections: adding track with its section and markers, making a
// point a section boundary, joining sections, and giving a section to
// pieces left without one. Operations that change which sections pieces
// belong to tell the trains afterwards (RailHooks::renewTrainSections).
#include <cstdint>
#include <vector>

namespace tetsuro::Heisoku {

// Adds a piece (Rail::add; it may lengthen an existing piece). A piece
// without a section gets a new one and dead-end markers at both ends where
// none stands; a signal is placed at each end whose marker has a type above
// 0. The piece's number, or -1 (also when no section can be made for it).
int32_t addRail(int typ, int spd, int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                int64_t tx);
// Makes the point a section boundary: pieces through it are split there
// first; then a marker (type 1 when new) stands there, every reference
// leaving the point has a signal at its start, and every one of them that
// shared a section with an earlier one is flooded with a new section. The
// marker's number; -1 at a dead end, where nothing passes, or when the
// sections or signals needed cannot be made (nothing changes then, apart
// from the split).
int32_t division(int64_t z, int64_t y, int64_t x);
int32_t division(const std::vector<int32_t>& zyx);
// division, then the marker gets type t; true when the type was set.
bool addSignalAntennaHeisoku(int64_t z, int64_t y, int64_t x, int t);
// Joins every section meeting at the point into the first reference's.
void merge(int64_t z, int64_t y, int64_t x);
// Joins the section of piece rf into that of piece rt.
void merge(int32_t rf, int32_t rt);
// Gives a section to every valid piece without one, flooding both ways.
void checkRail();

}  // namespace tetsuro::Heisoku
