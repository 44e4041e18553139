#pragma once
// Plane geometry of the game, part two: lines, intersections and
// containment tests, in exact integer arithmetic.
//
// A line is three coefficients (A, B, C) with A*y + B*x + C = 0. A crossing
// point is returned homogeneously as (d, Y, X), meaning y = Y / d and
// x = X / d, so that no precision is lost before the caller decides how to
// round. The work is done in 128 bits. A result whose parts do not fit in 64
// bits (coordinates in the millions) is divided by their common divisor
// first, which keeps the point exact; only when that is not enough are all
// three parts halved until they fit, which keeps the point to within
// rounding.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tetsuro::VelJLib {

using LineEquation = std::array<int64_t, 3>;    // (A, B, C)
using HomogeneousPoint = std::array<int64_t, 3>;  // (d, Y, X)

// ---- Lines and intersections -----------------------------------------------

// The line through two points: A = x1 - x0, B = y0 - y1,
// C = x0*y1 - x1*y0, all negated when A < 0 so that A >= 0.
LineEquation getLineEquation_point_yx(int64_t y0, int64_t x0, int64_t y1, int64_t x1);
// The line through (y, x) with the coefficients (w, v): (w, v, -w*y - v*x).
LineEquation getLineEquation_slant_yx(int64_t y, int64_t x, int64_t w, int64_t v);

// d = aB*bA - aA*bB, Y = aC*bB - aB*bC, X = aA*bC - aC*bA. Null whenever
// d = 0: parallel lines have no single crossing, the same line included.
std::optional<HomogeneousPoint> getPointOfIntersection(const LineEquation& a,
                                                       const LineEquation& b);

// The foot of the perpendicular from (py, px) onto the line through f and t.
// Null when f and t are the same point.
std::optional<HomogeneousPoint> getPointOfSlant(int64_t py, int64_t px, int64_t fy, int64_t fx,
                                                int64_t ty, int64_t tx);

// The crossing of segment 0 (fy0, fx0)-(ty0, tx0) with segment 1:
// 1. Shared end points are the answer, as (1, y, x), tested in the order
//    start0 = start1, start0 = end1, end0 = start1, end0 = end1; with po
//    false they do not count as a crossing and give null.
// 2. Otherwise the lines' intersection (d, Y, X), null when d = 0, counts when
//    the point (Y / d, X / d), divided as integers, lies within the circle
//    around each segment's integer midpoint whose radius is the rounded
//    distance from that midpoint to the segment's start.
std::optional<HomogeneousPoint> getCrossOfSegment(int64_t fy0, int64_t fx0, int64_t ty0,
                                                  int64_t tx0, int64_t fy1, int64_t fx1,
                                                  int64_t ty1, int64_t tx1, bool po = true);

// The crossings of a segment with the edges y = rfy, x = rfx, x = rtx and
// y = rty of the rectangle with corners (rfy, rfx) and (rty, rtx), in that
// order, concatenated as (d, Y, X) triples; empty (null) when there are none.
std::vector<int64_t> getCrossOfRect(int64_t rfy, int64_t rfx, int64_t rty, int64_t rtx,
                                    int64_t fy, int64_t fx, int64_t ty, int64_t tx);

// getLength from (y, x) to the centre (cy, cx) <= r.
bool isPointInCircle(int64_t y, int64_t x, int64_t cy, int64_t cx, int64_t r);

// ---- Containment ---------------------------------------------------------

// For every component both have, min(f, t) <= p <= max(f, t), edges included.
bool isPointInRectangle(std::span<const int64_t> p, std::span<const int64_t> f,
                        std::span<const int64_t> t);
bool isPointInRectangle_yx(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty, int64_t tx);

// (y, x) lies exactly on the segment f-t (end points included). When f and
// t are the same point, only that point is on it.
bool isPointOnLine_yx(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty, int64_t tx);
// The same for (y, x) arrays.
bool isPointOnLine(std::span<const int64_t> p, std::span<const int64_t> f,
                   std::span<const int64_t> t);

// Bounding-box test for a rectangle with rfy <= rty and rfx <= rtx: false
// when both ends lie beyond the same side, true otherwise.
bool isLineInRectangle_yx(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t rfy,
                          int64_t rfx, int64_t rty, int64_t rtx);
// The segment crosses one of the rectangle's four edges.
bool isCrossOfRectangle(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t rfy, int64_t rfx,
                        int64_t rty, int64_t rtx);
// An end point lies in the rectangle, or the segment crosses an edge.
bool isLineInRectangle2_yx(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t rfy,
                           int64_t rfx, int64_t rty, int64_t rtx);
// Some edge of the closed polygon of len (y, x) points starting at element
// idx of pyx satisfies isLineInRectangle2_yx. False when the points do not
// all lie inside pyx.
bool isPolygonInRectangle_yx(std::span<const int64_t> pyx, size_t idx, size_t len, int64_t rfy,
                             int64_t rfx, int64_t rty, int64_t rtx);

// (tx - fx)(y - fy) - (ty - fy)(x - fx): positive when (y, x) lies to the left
// of the directed line f->t (y north, x east), negative to the right, 0 on
// it. Clamped to 64 bits, which keeps the sign.
int64_t getCrossPointVector2(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty,
                             int64_t tx);

// (y, x) lies inside or on the convex polygon of len (y, x) points starting at
// element idx of pyx, taken in either winding. A point on the line of an edge
// but outside the polygon is outside. False when the points do not all lie
// inside pyx or len is 0.
bool isPointInPolygon(int64_t y, int64_t x, std::span<const int64_t> pyx, size_t idx,
                      size_t len);

}  // namespace tetsuro::VelJLib
