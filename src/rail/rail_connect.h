#pragma once
// The junction rule and its cache. Pieces join where ends coincide; at a
// point where three or more ends meet, the two successors of an arriving
// direction are the pieces leaving within 48 degrees of it, nearest first.
//
// The cache is filled lazily: an edit only marks the directions arriving at
// the points it touched as not computed (-2), and getConnect computes on
// first use.
#include <array>
#include <cstdint>

namespace tetsuro::Rail {

// The two successors of r (references leaving r's end point), without the
// cache: a dead end gives none, a single other piece is successor 0 at any
// angle, otherwise the nearest directions below 48 degrees (ties to the
// lower piece number).
std::array<int32_t, 2> computeConnect(int32_t r);

// Cached successor i (0 or 1) of r; -1 for none or an invalid reference.
int32_t getConnect(int32_t r, int i);
// Writes a cache entry; false for an invalid reference or index.
bool setConnect(int32_t r, int i, int32_t v);
// Recomputes r's successors now.
void renewConnect(int32_t r);
// The From->To direction of piece n (b false) or To->From (b true).
void renewConnect(int32_t n, bool b);
// Every direction arriving at the point.
void renewConnect(int64_t z, int64_t y, int64_t x);
// r has no successor 0.
bool isStop(int32_t r);
// Either piece of platform fo is a dead end in either direction.
bool isStopForm(int32_t fo);

// Marks the successors of every direction arriving at the plan point as not
// computed. Called by the store for every point an edit touches.
void invalidateConnectAt(int64_t y, int64_t x);

}  // namespace tetsuro::Rail
