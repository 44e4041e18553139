#pragma once
// Game-wide parameters and small game utilities: map and mesh size, time
// scale, powers of two, the shared random source, book values, direction
// steps and the meshes touched by points and segments.
//
// Coordinates: real units are decimetres, y grows north and x east; a mesh
// (my, mx) covers real y in [my * ms, (my + 1) * ms) and likewise x, so a
// point on a mesh line belongs to the mesh north or east of it. Real
// coordinates are turned into meshes by floor division: a point just south
// or west of the map lies in mesh -1, not 0.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/random_source.h"

namespace tetsuro {

struct MeshYX {
    int32_t my = 0;
    int32_t mx = 0;
    friend bool operator==(const MeshYX&, const MeshYX&) = default;
};

// A point of a 3D segment where it meets a mesh line, in real coordinates.
struct PointZYX {
    int64_t z = 0;
    int64_t y = 0;
    int64_t x = 0;
    friend bool operator==(const PointZYX&, const PointZYX&) = default;
};

namespace Sub {

// ---- Parameters ------------------------------------------------------------

inline int32_t s_iMY = 0;   // map size in meshes, north-south
inline int32_t s_iMX = 0;   // map size in meshes, east-west
inline int32_t m_iMS = 0;   // mesh size in real units
inline int32_t m_iBM = 0;   // meshes per city block side: 800 / ms
inline int32_t m_iBY = 0;   // city blocks, north-south: ceil(s_iMY / m_iBM)
inline int32_t m_iBX = 0;   // city blocks, east-west
inline int32_t m_iTS = 0;   // time-scale step
inline int8_t s_sbDiaUnit = 0;   // timetable unit (set by the timetable code)
inline int8_t s_sbDiaLines = 0;  // timetable line count (set by the timetable code)

// Sets the map size, mesh size and time scale, and derives the city-block
// counts. Refused (false, nothing changed) for a mesh size below 1 or a
// negative map size. A mesh larger than a city block still gives one mesh
// per block.
bool init(int32_t my, int32_t mx, int32_t ms, int32_t ts);

// Back to the state of a fresh start: every parameter 0 and the random
// source unseeded. For tests.
void reset();

// ---- Game-state slots --------------------------------------------------------
// The canvas's four slot arrays, so that game classes can read the clock and
// settings without a reference to the controller. The storage is fixed for
// the canvas's lifetime (loads copy into it), so the pointers stay valid.
inline int8_t* m_sba = nullptr;
inline int16_t* m_swa = nullptr;
inline int32_t* m_sdwa = nullptr;
inline int64_t* m_la = nullptr;
void create(int8_t* sba, int16_t* swa, int32_t* sdwa, int64_t* la);

// ---- Powers ------------------------------------------------------------------

// 2 to the n for n >= 0, 1 for n <= 0; saturates above 2^62.
int64_t pow_2(int32_t n);
// 2 to the n as a double, negative n included.
double pow_2f(int32_t n);
// 256 * 2^(n / 8) in integer arithmetic: 256 * pow_2(n / 8), multiplied
// for n mod 8 = 1..7 by 253/232, 44/37, 83/64, 239/169, 128/83, 37/22,
// 255/139 (multiply, then divide). Negative n give the value of 0.
int64_t pow_2_8(int32_t n);
// The time-scale factor pow_2(m_iTS - 1).
int64_t getTSP2();

// ---- Random numbers ----------------------------------------------------------

// A value in 0..n-1 from the shared source (0 for n <= 0).
int32_t RND_get(int32_t n);
// A shuffled permutation of 0..n-1 (see RandomSource::permutation).
std::vector<int32_t> RND_getAry(int32_t n);
// The shared source itself, for seeding in tests.
RandomSource& randomSource();

// ---- Money, directions, lengths ------------------------------------------------

// Book value of an asset bought for v with a life of l years, m months
// after purchase: v - v * m / (12 l), and 0 once 12 l < m. With no life
// left to spread over (l <= 0) the value is v until a month has passed.
int64_t getAssets(int64_t v, int64_t l, int64_t m);

// Unit steps (y, x) of the four directions d4: 0 east (0, 1), 1 north (1, 0),
// 2 west (0, -1), 3 south (-1, 0). d4 is taken modulo 4.
int32_t getVY4(int32_t d4);
int32_t getVX4(int32_t d4);

// The integer part of VelJLib::getLength_f, times 40000.
int64_t getLength_um(int64_t fy, int64_t fx, int64_t ty, int64_t tx);

// ---- Grid ------------------------------------------------------------------

// The meshes a real point touches: its own, then the mesh to the south when
// y lies on a mesh line other than 0, the mesh to the west when x does, and
// the south-west mesh when both do. No map bounds are applied.
std::vector<MeshYX> RtoM(int64_t y, int64_t x);

// The mesh and its eight neighbours that lie inside the map, in the order
// centre, south-west, south, south-east, west, east, north-west, north,
// north-east.
std::vector<MeshYX> extendMesh9(int32_t my, int32_t mx);
// The union over a list of meshes, each mesh once, in first-seen order.
std::vector<MeshYX> extendMesh9(const std::vector<MeshYX>& meshes);

// The meshes passed by a segment in real coordinates: with n the larger of
// |dy| and |dx|, the points f + d * i / n for i = 0..n-1 (the end itself
// excluded); each point's mesh is added when it lies inside the map and
// differs from the last one added. Empty for a zero-length segment.
std::vector<MeshYX> getUseMeshLine(int64_t fy, int64_t fx, int64_t ty, int64_t tx);

// A 4-connected raster line in mesh coordinates from f to t inclusive: with
// n the larger of |dy| and |dx|, the cells f + (d * i + (n / 2) * sign(d)) / n
// for i = 0..n; when a step changes both row and column, the cell (previous
// row, new column) comes first. Cells outside the map and repeats are
// skipped. Empty for a zero-length segment.
std::vector<MeshYX> getUseMeshLine_m(int32_t fy, int32_t fx, int32_t ty, int32_t tx);

// The meshes under a piece of track. For a point: the up to four meshes
// around it, (y, x), (y, x - 1), (y - 1, x) and (y - 1, x - 1) in real units,
// each once. For a segment: it is lengthened by len at both ends, its outline
// of width len + 19 is built (VelJLib::getPolygon_LineD), and every mesh the
// outline reaches into is returned: first those its edges pass (in the
// order of getUseMeshLine), then the ones inside, row by row. Meshes outside
// the map are left out.
std::vector<MeshYX> getUseMeshRail(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t len);

// The points at which a 3D segment in real coordinates meets mesh lines, in
// order from f, each line counted once and the start itself not at all,
// ending with t. A point on a y line has x = fx + dx * ey / dy and z =
// fz + dz * ey / dy (ey its distance from fy; integer division), and a point
// on an x line the same way; where the segment passes a mesh corner one point
// is given. A component of 0 never crosses its lines; a segment without
// plan length (or a mesh size below 1) gives just t.
std::vector<PointZYX> divisionMesh(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                                   int64_t tx);

}  // namespace Sub

}  // namespace tetsuro
