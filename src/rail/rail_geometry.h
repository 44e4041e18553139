#pragma once
// Geometric accessors of pieces: end points, vectors, angles, lengths,
// heights and positions along a piece. r is a directed reference, n a piece
// number. An invalid reference gives -1 for coordinates and lengths, 0 for
// vector components and positions, and null (empty) for arrays.
//
// Lengths are in decimetres (the "cm" in the names is historical); the
// track unit is 1/103680 dm. Divisions by a length guard against 0.
#include <array>
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro::Rail {

// ---- end points ----
int32_t getSZ(int32_t r);
int32_t getSY(int32_t r);
int32_t getSX(int32_t r);
int32_t getEZ(int32_t r);
int32_t getEY(int32_t r);
int32_t getEX(int32_t r);
// (z, y, x) of the start / end; null for an invalid piece.
std::vector<int32_t> getStartZYX(int32_t r);
std::vector<int32_t> getStartRZYX(int32_t r);
std::vector<int32_t> getEndZYX(int32_t r);
std::vector<int32_t> getEndRZYX(int32_t r);
// (y, x) of the start; null for an invalid piece. The packed form holds x in
// the low and y in the high half, -1 for an invalid piece.
std::vector<int32_t> getStartRYX(int32_t r);
int64_t getStartRYXq(int32_t r);

// ---- vectors (end - start) ----
int64_t getVectorZ(int32_t r);
int64_t getVectorY(int32_t r);
int64_t getVectorX(int32_t r);
std::array<int64_t, 2> getVectorYX(int32_t r);
std::array<int64_t, 3> getVectorZYX(int32_t r);
// The vector of piece n pointing away from the given end (reversed when
// the point is its To end).
std::array<int64_t, 2> getVectorYX(int32_t n, int64_t y, int64_t x);
std::array<int64_t, 3> getVectorZYX(int32_t n, int64_t z, int64_t y, int64_t x);

// ---- angles (degrees from east toward north) ----
double getAngle(int32_t r);
int getAngleYX360(int32_t r);
double getAngleYX360f(int32_t r);
// Piece n leaving the plan point (y, x).
int getAngleYX360(int32_t n, int64_t y, int64_t x);
double getAngleYX360f(int32_t n, int64_t y, int64_t x);
// The climb: getAngle of (height difference, length).
double getAngleZ(int32_t r);
int diffAngleYX360(int a, int b);
// Between the direction of the vector (y, x) and reference r.
int diffAngleYX360(int64_t y, int64_t x, int32_t r);

// ---- ends ----
bool isStart(int32_t n, int64_t z, int64_t y, int64_t x);
bool isEnd(int32_t n, int64_t z, int64_t y, int64_t x);
bool isStartEnd(int32_t n, int64_t z, int64_t y, int64_t x);
bool isStart(int32_t n, int64_t y, int64_t x);
bool isEnd(int32_t n, int64_t y, int64_t x);
bool isStartEnd(int32_t n, int64_t y, int64_t x);

// Plan point on the piece; 3D point on it (height as getZ).
bool isPointOnLine(int32_t n, int64_t y, int64_t x);
bool isPointOnLine(int32_t n, int64_t z, int64_t y, int64_t x);

// ---- type and speed ----
bool isElevated(int32_t n);
int getElevated(int32_t n);
int32_t getSpd(int32_t r);
// False for an invalid piece or a class outside 3..100.
bool setSpd(int32_t n, int32_t v);
// The limit in tenths of km/h: class x 50.
int32_t getMaxSP_km(int32_t r);
// Price factor of a speed class: cls x cls.
int64_t getCost(int64_t cls);

// ---- lengths ----
// 3D length rounded to the nearest dm, cached.
int32_t length_cm(int32_t r);
// Plan length.
int32_t length_h_cm(int32_t r);
// Length in track units.
int64_t length_um(int32_t n);
// Sets the cache (0 forces a recomputation); false for an invalid piece.
bool setLenC(int32_t n, int32_t v);

// ---- heights and positions ----
// Height of piece n at a plan point: the linear height rounded half away
// from zero; -1 for an invalid piece.
int32_t getZ(int32_t n, int64_t y, int64_t x);
// Height of piece a where a and b cross in plan; -1 when they do not.
int32_t getZ(int32_t a, int32_t b);
// start + vector x l / length, l in dm along r (3D length).
int64_t getPosRZ(int32_t r, int64_t l);
int64_t getPosRY(int32_t r, int64_t l);
int64_t getPosRX(int32_t r, int64_t l);
double getPosRZf(int32_t r, double l);
double getPosRYf(int32_t r, double l);
double getPosRXf(int32_t r, double l);
// The plan point at plan distance l along r.
std::vector<int64_t> getPosRYX(int32_t r, double l);
std::vector<double> getPosRYXf(int32_t r, double l);
// The 3D point at track position p (p / 103680 dm along r).
std::array<double, 3> getPosRZYXf_um(int32_t r, int64_t p);
double getPosRZf_um(int32_t r, int64_t p);
// 3D distance from the start of r to a point; the _yx form takes the height
// from getZ. -1 for an invalid piece.
int64_t getPos_cm(int32_t r, int64_t z, int64_t y, int64_t x);
int64_t getPos_cm_yx(int32_t r, int64_t y, int64_t x);
int64_t getPos_h_cm(int32_t r, int64_t y, int64_t x);

// ---- crossings ----
// Plan crossing point (y, x) of piece n with a segment or another piece;
// null when none.
std::vector<int64_t> getCrossOfSegment(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx,
                                       bool point = true);
std::vector<int64_t> getCrossOfSegment(int32_t a, int32_t b);
// The two points (y0, x0, y1, x1) where piece n crosses the border of mesh
// (my, mx); null unless it crosses it in exactly two distinct points.
std::vector<int64_t> getCrossM(int32_t n, int64_t my, int64_t mx);

}  // namespace tetsuro::Rail
