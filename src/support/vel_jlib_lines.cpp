#include "support/vel_jlib_lines.h"

#include <algorithm>

#include "support/int_math.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::VelJLib {

namespace {

struct WideLine {
    int128_t a, b, c;
};

struct WidePoint {
    int128_t d, y, x;
};

constexpr bool fits64(int128_t v) { return v >= INT64_MIN && v <= INT64_MAX; }

int128_t abs128(int128_t v) { return v < 0 ? -v : v; }

uint128_t gcd128(uint128_t a, uint128_t b) {
    while (b != 0) {
        uint128_t t = a % b;
        a = b;
        b = t;
    }
    return a;
}

WideLine lineThrough(int64_t y0, int64_t x0, int64_t y1, int64_t x1) {
    WideLine l{int128_t{x1} - x0, int128_t{y0} - y1, int128_t{x0} * y1 - int128_t{x1} * y0};
    if (l.a < 0) l = {-l.a, -l.b, -l.c};
    return l;
}

WidePoint intersect(const WideLine& p, const WideLine& q) {
    return {p.b * q.a - p.a * q.b, p.c * q.b - p.b * q.c, p.a * q.c - p.c * q.a};
}

// Narrows a homogeneous point to 64 bits without moving it: first by the
// common divisor (exact), then, only for points far beyond any map, by
// halving all three parts. Null for d = 0 or when the point itself lies
// beyond the 64-bit range.
std::optional<HomogeneousPoint> narrow(WidePoint p) {
    if (p.d == 0) return std::nullopt;
    if (!fits64(p.d) || !fits64(p.y) || !fits64(p.x)) {
        uint128_t g = gcd128(gcd128(abs128(p.d), abs128(p.y)), abs128(p.x));
        int128_t gi = static_cast<int128_t>(g);
        p = {p.d / gi, p.y / gi, p.x / gi};
        while (!fits64(p.d) || !fits64(p.y) || !fits64(p.x)) {
            p = {p.d / 2, p.y / 2, p.x / 2};
        }
        if (p.d == 0) return std::nullopt;
    }
    return HomogeneousPoint{static_cast<int64_t>(p.d), static_cast<int64_t>(p.y),
                            static_cast<int64_t>(p.x)};
}

int128_t side(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    return (int128_t{tx} - fx) * (int128_t{y} - fy) - (int128_t{ty} - fy) * (int128_t{x} - fx);
}

// Whether the integer point lies within the circle around the segment's
// integer midpoint that passes through its start (radius rounded).
bool withinSegmentCircle(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    int64_t my = static_cast<int64_t>((int128_t{fy} + ty) / 2);
    int64_t mx = static_cast<int64_t>((int128_t{fx} + tx) / 2);
    return isPointInCircle(y, x, my, mx, getLength(my, mx, fy, fx));
}

bool polygonFits(std::span<const int64_t> pyx, size_t idx, size_t len) {
    return idx <= pyx.size() && len <= (pyx.size() - idx) / 2;
}

}  // namespace

// ---- Lines and intersections -----------------------------------------------

LineEquation getLineEquation_point_yx(int64_t y0, int64_t x0, int64_t y1, int64_t x1) {
    WideLine l = lineThrough(y0, x0, y1, x1);
    return {saturate<int64_t>(l.a), saturate<int64_t>(l.b), saturate<int64_t>(l.c)};
}

LineEquation getLineEquation_slant_yx(int64_t y, int64_t x, int64_t w, int64_t v) {
    return {w, v, saturate<int64_t>(-int128_t{w} * y - int128_t{v} * x)};
}

std::optional<HomogeneousPoint> getPointOfIntersection(const LineEquation& a,
                                                       const LineEquation& b) {
    return narrow(intersect({a[0], a[1], a[2]}, {b[0], b[1], b[2]}));
}

std::optional<HomogeneousPoint> getPointOfSlant(int64_t py, int64_t px, int64_t fy, int64_t fx,
                                                int64_t ty, int64_t tx) {
    if (fy == ty && fx == tx) return std::nullopt;
    WideLine l = lineThrough(fy, fx, ty, tx);
    // The perpendicular through p has the coefficients (-B, A).
    WideLine n{-l.b, l.a, l.b * py - l.a * px};
    return narrow(intersect(l, n));
}

std::optional<HomogeneousPoint> getCrossOfSegment(int64_t fy0, int64_t fx0, int64_t ty0,
                                                  int64_t tx0, int64_t fy1, int64_t fx1,
                                                  int64_t ty1, int64_t tx1, bool po) {
    const std::array<std::array<int64_t, 4>, 4> ends{{
        {fy0, fx0, fy1, fx1},
        {fy0, fx0, ty1, tx1},
        {ty0, tx0, fy1, fx1},
        {ty0, tx0, ty1, tx1},
    }};
    for (const auto& e : ends) {
        if (e[0] == e[2] && e[1] == e[3]) {
            if (!po) return std::nullopt;
            return HomogeneousPoint{1, e[0], e[1]};
        }
    }
    WidePoint p = intersect(lineThrough(fy0, fx0, ty0, tx0), lineThrough(fy1, fx1, ty1, tx1));
    if (p.d == 0) return std::nullopt;
    int128_t cy = p.y / p.d;
    int128_t cx = p.x / p.d;
    if (!fits64(cy) || !fits64(cx)) return std::nullopt;  // far off both segments
    int64_t y = static_cast<int64_t>(cy);
    int64_t x = static_cast<int64_t>(cx);
    if (!withinSegmentCircle(y, x, fy0, fx0, ty0, tx0)) return std::nullopt;
    if (!withinSegmentCircle(y, x, fy1, fx1, ty1, tx1)) return std::nullopt;
    return narrow(p);
}

std::vector<int64_t> getCrossOfRect(int64_t rfy, int64_t rfx, int64_t rty, int64_t rtx,
                                    int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    const std::array<std::array<int64_t, 4>, 4> edges{{
        {rfy, rfx, rfy, rtx},  // y = rfy
        {rfy, rfx, rty, rfx},  // x = rfx
        {rfy, rtx, rty, rtx},  // x = rtx
        {rty, rfx, rty, rtx},  // y = rty
    }};
    std::vector<int64_t> out;
    for (const auto& e : edges) {
        if (auto p = getCrossOfSegment(fy, fx, ty, tx, e[0], e[1], e[2], e[3])) {
            out.insert(out.end(), p->begin(), p->end());
        }
    }
    return out;
}

bool isPointInCircle(int64_t y, int64_t x, int64_t cy, int64_t cx, int64_t r) {
    return getLength(y, x, cy, cx) <= r;
}

// ---- Containment ---------------------------------------------------------

bool isPointInRectangle(std::span<const int64_t> p, std::span<const int64_t> f,
                        std::span<const int64_t> t) {
    size_t n = std::min({p.size(), f.size(), t.size()});
    for (size_t i = 0; i < n; ++i) {
        if (p[i] < std::min(f[i], t[i]) || p[i] > std::max(f[i], t[i])) return false;
    }
    return true;
}

bool isPointInRectangle_yx(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty,
                           int64_t tx) {
    return y >= std::min(fy, ty) && y <= std::max(fy, ty) && x >= std::min(fx, tx) &&
           x <= std::max(fx, tx);
}

bool isPointOnLine_yx(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    if (!isPointInRectangle_yx(y, x, fy, fx, ty, tx)) return false;
    // Within the box, the foot of the perpendicular is the point itself
    // exactly when the point lies on the line.
    return side(y, x, fy, fx, ty, tx) == 0;
}

bool isPointOnLine(std::span<const int64_t> p, std::span<const int64_t> f,
                   std::span<const int64_t> t) {
    if (p.size() < 2 || f.size() < 2 || t.size() < 2) return false;
    return isPointOnLine_yx(p[0], p[1], f[0], f[1], t[0], t[1]);
}

bool isLineInRectangle_yx(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t rfy,
                          int64_t rfx, int64_t rty, int64_t rtx) {
    if (fy < rfy && ty < rfy) return false;
    if (fy > rty && ty > rty) return false;
    if (fx < rfx && tx < rfx) return false;
    if (fx > rtx && tx > rtx) return false;
    return true;
}

bool isCrossOfRectangle(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t rfy, int64_t rfx,
                        int64_t rty, int64_t rtx) {
    return !getCrossOfRect(rfy, rfx, rty, rtx, fy, fx, ty, tx).empty();
}

bool isLineInRectangle2_yx(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t rfy,
                           int64_t rfx, int64_t rty, int64_t rtx) {
    return isPointInRectangle_yx(fy, fx, rfy, rfx, rty, rtx) ||
           isPointInRectangle_yx(ty, tx, rfy, rfx, rty, rtx) ||
           isCrossOfRectangle(fy, fx, ty, tx, rfy, rfx, rty, rtx);
}

bool isPolygonInRectangle_yx(std::span<const int64_t> pyx, size_t idx, size_t len, int64_t rfy,
                             int64_t rfx, int64_t rty, int64_t rtx) {
    if (len == 0 || !polygonFits(pyx, idx, len)) return false;
    for (size_t i = 0; i < len; ++i) {
        size_t a = idx + 2 * i;
        size_t b = idx + 2 * ((i + 1) % len);
        if (isLineInRectangle2_yx(pyx[a], pyx[a + 1], pyx[b], pyx[b + 1], rfy, rfx, rty, rtx)) {
            return true;
        }
    }
    return false;
}

int64_t getCrossPointVector2(int64_t y, int64_t x, int64_t fy, int64_t fx, int64_t ty,
                             int64_t tx) {
    return saturate<int64_t>(side(y, x, fy, fx, ty, tx));
}

bool isPointInPolygon(int64_t y, int64_t x, std::span<const int64_t> pyx, size_t idx,
                      size_t len) {
    if (len == 0 || !polygonFits(pyx, idx, len)) return false;
    // Inside a convex polygon the point lies on the same side of every edge;
    // edges whose line passes through the point say nothing.
    int reference = 0;
    for (size_t i = 0; i < len; ++i) {
        size_t a = idx + 2 * i;
        size_t b = idx + 2 * ((i + 1) % len);
        int128_t s = side(y, x, pyx[a], pyx[a + 1], pyx[b], pyx[b + 1]);
        int sign = s > 0 ? 1 : (s < 0 ? -1 : 0);
        if (sign == 0) continue;
        if (reference == 0) {
            reference = sign;
        } else if (sign != reference) {
            return false;
        }
    }
    if (reference != 0) return true;
    // A flat polygon (all points on one line): inside means within its extent.
    int64_t ylo = pyx[idx], yhi = pyx[idx], xlo = pyx[idx + 1], xhi = pyx[idx + 1];
    for (size_t i = 1; i < len; ++i) {
        ylo = std::min(ylo, pyx[idx + 2 * i]);
        yhi = std::max(yhi, pyx[idx + 2 * i]);
        xlo = std::min(xlo, pyx[idx + 2 * i + 1]);
        xhi = std::max(xhi, pyx[idx + 2 * i + 1]);
    }
    return y >= ylo && y <= yhi && x >= xlo && x <= xhi;
}

}  // namespace tetsuro::VelJLib
