#include "support/vel_jlib_geometry.h"

#include <algorithm>
#include <cmath>

#include "support/fast_math.h"
#include "support/int_math.h"
#include "support/int_root.h"

namespace tetsuro::VelJLib {

namespace {

int64_t componentOr0(std::span<const int64_t> v, size_t i) { return i < v.size() ? v[i] : 0; }

// Angle of a non-zero vector from east toward north in [0, 360). Axis and
// diagonal vectors are the only integer vectors whose angle is a whole
// degree; they are answered exactly so that truncation never drops a degree.
double angle360(double y, double x) {
    if (y == 0.0) return x > 0.0 ? 0.0 : 180.0;
    if (x == 0.0) return y > 0.0 ? 90.0 : 270.0;
    if (std::fabs(y) == std::fabs(x)) {
        if (y > 0.0) return x > 0.0 ? 45.0 : 135.0;
        return x < 0.0 ? 225.0 : 315.0;
    }
    double a = std::atan2(y, x) * 180.0 / Math::PI;
    if (a < 0.0) a += 360.0;
    // An angle just below 360 may round up to it.
    if (a >= 360.0) a = std::nextafter(360.0, 0.0);
    return a;
}

}  // namespace

// ---- Rounding and signs ----------------------------------------------------

int64_t sisyagonyu(double f) {
    double t = std::trunc(f);
    double r = f - t;
    if (r >= 0.5) {
        t += 1.0;
    } else if (r <= -0.5) {
        t -= 1.0;
    }
    return saturate<int64_t>(t);
}

int getSign(double f) {
    if (f > 0.01) return 1;
    if (f < -0.01) return -1;
    return 0;
}

double abs(double f) { return std::fabs(f); }

int64_t sqrti_sqw_up(int64_t a) {
    if (a <= 0) return 0;
    uint64_t r = isqrtFloor(static_cast<uint128_t>(a));
    if (static_cast<uint128_t>(r) * r < static_cast<uint128_t>(a)) ++r;
    return static_cast<int64_t>(r);
}

int64_t getGCD(int64_t a, int64_t b) {
    // Magnitudes in unsigned arithmetic so that the most negative value has one.
    uint64_t x = a < 0 ? 0 - static_cast<uint64_t>(a) : static_cast<uint64_t>(a);
    uint64_t y = b < 0 ? 0 - static_cast<uint64_t>(b) : static_cast<uint64_t>(b);
    if (x == 0 && y == 0) return 1;
    while (y != 0) {
        uint64_t t = x % y;
        x = y;
        y = t;
    }
    return saturate<int64_t>(x);
}

int64_t getGCD(std::span<const int64_t> v) {
    // getGCD(a, 0) is |a|, so a zero element leaves the divisor unchanged;
    // only an all-zero start has to be kept from turning into 1 too early.
    int64_t g = 0;
    for (size_t i = 0; i < v.size() && i < 3; ++i) {
        if (v[i] == 0) continue;
        g = g == 0 ? getGCD(v[i], 0) : getGCD(g, v[i]);
    }
    return g == 0 ? 1 : g;
}

void reduction(std::span<int64_t> v) {
    int64_t g = getGCD(v);
    if (g <= 1) return;
    for (int64_t& e : v) e /= g;
}

int compareVector(std::span<int64_t> a, std::span<int64_t> b) {
    reduction(a);
    reduction(b);
    bool equal = true;
    bool opposite = true;
    for (size_t i = 0; i < 3; ++i) {
        int64_t p = componentOr0(a, i);
        int64_t q = componentOr0(b, i);
        if (p != q) equal = false;
        if (static_cast<int128_t>(p) != -static_cast<int128_t>(q)) opposite = false;
    }
    if (equal) return 2;
    return opposite ? 1 : 0;
}

// ---- Angles ----------------------------------------------------------------

double getAngle(double w, double v) {
    if (w == 0.0) return v > 0.0 ? 0.0 : 180.0;
    return angle360(w, v);
}

double getAngle(double y0, double x0, double y1, double x1) { return getAngle(y1 - y0, x1 - x0); }

double getAngleRd(double w, double v) {
    if (w == 0.0) return v > 0.0 ? 0.0 : Math::PI;
    double a = std::atan2(w, v);
    if (a < 0.0) a += 2.0 * Math::PI;
    if (a >= 2.0 * Math::PI) a = std::nextafter(2.0 * Math::PI, 0.0);
    return a;
}

double getAngleYX360f(double y, double x) {
    if (y == 0.0 && x == 0.0) return -1.0;
    return angle360(y, x);
}

double getAngleYX360fInteger(int64_t y, int64_t x) {
    if (y == 0 && x == 0) return -1.0;
    // Reduced vectors convert to double without loss for longer.
    int64_t g = getGCD(y, x);
    return angle360(static_cast<double>(y / g), static_cast<double>(x / g));
}

int getAngleYX360(double y, double x) { return static_cast<int>(getAngleYX360f(y, x)); }

int getAngle16from360(int d) {
    return saturate<int>((static_cast<int64_t>(d) + 11) * 16 / 360);
}

int diffAngle360(int a, int b) {
    int64_t lo = std::min(a, b);
    int64_t hi = std::max(a, b);
    int64_t direct = hi - lo;
    int64_t around = lo + 360 - hi;
    if (around < 0) around = -around;
    return saturate<int>(std::min(direct, around));
}

double diffAngle360(double a, double b) {
    double lo = std::min(a, b);
    double hi = std::max(a, b);
    return std::min(hi - lo, std::fabs(lo + 360.0 - hi));
}

int diffAngle90(int a, int b) {
    int d = diffAngle360(a, b) % 180;
    return std::min(d, 180 - d);
}

double diffAngle90(double a, double b) {
    double d = diffAngle360(a, b);
    if (d >= 180.0) d -= 180.0;
    return std::min(d, 180.0 - d);
}

// ---- Lengths and vectors ---------------------------------------------------

int64_t getLength(int64_t y0, int64_t x0, int64_t y1, int64_t x1) {
    uint128_t s = square(int128_t{y1} - y0) + square(int128_t{x1} - x0);
    return saturate<int64_t>(static_cast<int128_t>(isqrtRound(s)));
}

int64_t getLength(int64_t z0, int64_t y0, int64_t x0, int64_t z1, int64_t y1, int64_t x1) {
    int64_t l = getLength(y0, x0, y1, x1);
    uint128_t s = square(int128_t{z1} - z0) + square(l);
    return saturate<int64_t>(static_cast<int128_t>(isqrtRound(s)));
}

double getLength_f(int64_t y0, int64_t x0, int64_t y1, int64_t x1) {
    int128_t dy = int128_t{y1} - y0;
    int128_t dx = int128_t{x1} - x0;
    if (dy == 0) return static_cast<double>(dx < 0 ? -dx : dx);
    if (dx == 0) return static_cast<double>(dy < 0 ? -dy : dy);
    return rootOf(square(dy) + square(dx)) + 0.5;
}

double getLength_f(int64_t z0, int64_t y0, int64_t x0, int64_t z1, int64_t y1, int64_t x1) {
    double l = getLength_f(y0, x0, y1, x1);
    double dz = static_cast<double>(int128_t{z1} - z0);
    return std::sqrt(dz * dz + l * l);
}

double getLength_f(std::span<const double> a, std::span<const double> b) {
    double s = 0.0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        double d = b[i] - a[i];
        s += d * d;
    }
    return std::sqrt(s);
}

double getLength_f(std::span<const int64_t> a, std::span<const int64_t> b) {
    uint128_t s = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) s += square(int128_t{b[i]} - a[i]);
    return rootOf(s);
}

std::array<int64_t, 2> getVector_Len(int64_t y, int64_t x, int64_t l) {
    if (y == 0 && x == 0) return {0, 0};
    uint128_t s = square(y) + square(x);
    uint128_t ll = square(l);
    auto component = [&](int64_t c) -> int64_t {
        if (c == 0 || l == 0) return 0;
        uint64_t r;
        constexpr int64_t kExact = int64_t{1} << 31;  // c^2 * l^2 stays below 2^124
        if (c > -kExact && c < kExact && l > -kExact && l < kExact) {
            r = isqrtFloor(square(c) * ll / s);
        } else {
            long double v = std::fabs(static_cast<long double>(c)) *
                            std::fabs(static_cast<long double>(l)) /
                            std::sqrt(static_cast<long double>(s));
            r = static_cast<uint64_t>(std::min<long double>(v, 9.2e18L));
        }
        int64_t m = saturate<int64_t>(static_cast<int128_t>(r));
        return getSign(c) * getSign(l) < 0 ? -m : m;
    };
    return {component(y), component(x)};
}

std::vector<double> getVector_Len_f(std::span<const int64_t> v, double l) {
    std::vector<double> out(v.size(), 0.0);
    uint128_t s = 0;
    for (int64_t c : v) s += square(c);
    if (s == 0) return out;
    double len = rootOf(s);
    for (size_t i = 0; i < v.size(); ++i) out[i] = static_cast<double>(v[i]) * l / len;
    return out;
}

std::vector<int64_t> getVector_Len(std::span<const int64_t> v, double l) {
    std::vector<double> f = getVector_Len_f(v, l);
    std::vector<int64_t> out(f.size());
    for (size_t i = 0; i < f.size(); ++i) out[i] = sisyagonyu(f[i]);
    return out;
}

std::array<int64_t, 3> getVector_Len(int64_t vz, int64_t vy, int64_t vx, double l) {
    double len = getLength_f(0, 0, 0, vz, vy, vx);
    if (len == 0.0) return {0, 0, 0};
    return {sisyagonyu(static_cast<double>(vz) * l / len),
            sisyagonyu(static_cast<double>(vy) * l / len),
            sisyagonyu(static_cast<double>(vx) * l / len)};
}

std::vector<int64_t>& addVector(std::vector<int64_t>& p, std::span<const int64_t> v) {
    for (size_t i = 0; i < p.size() && i < v.size(); ++i) p[i] += v[i];
    return p;
}

std::vector<int64_t> addVector(std::vector<int64_t> p, std::span<const int64_t> v, double l) {
    if (p.empty() || v.empty()) return {};
    std::vector<int64_t> u = getVector_Len(v, l);
    addVector(p, u);
    return p;
}

std::array<int64_t, 3> addVector(int64_t pz, int64_t py, int64_t px, int64_t vz, int64_t vy,
                                 int64_t vx, double l) {
    std::array<int64_t, 3> u = getVector_Len(vz, vy, vx, l);
    return {pz + u[0], py + u[1], px + u[2]};
}

std::vector<double> addVector_f(std::span<const int64_t> p, std::span<const int64_t> v,
                                double l) {
    if (p.empty() || v.empty()) return {};
    std::vector<double> u = getVector_Len_f(v, l);
    std::vector<double> out(p.size());
    for (size_t i = 0; i < p.size(); ++i) {
        out[i] = static_cast<double>(p[i]) + (i < u.size() ? u[i] : 0.0);
    }
    return out;
}

std::vector<int64_t>& subVector(std::vector<int64_t>& a, std::span<const int64_t> b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) a[i] -= b[i];
    return a;
}

std::array<double, 2> getCenter(std::span<const int64_t> a, std::span<const int64_t> b) {
    return {(static_cast<double>(componentOr0(a, 0)) + static_cast<double>(componentOr0(b, 0))) / 2.0,
            (static_cast<double>(componentOr0(a, 1)) + static_cast<double>(componentOr0(b, 1))) / 2.0};
}

std::array<int64_t, 4> getLine_CenterVectorLen(int64_t y, int64_t x, int64_t w, int64_t v,
                                               int64_t l) {
    std::array<int64_t, 2> u = getVector_Len(w, v, l);
    return {y + u[0], x + u[1], y - u[0], x - u[1]};
}

std::optional<std::array<int64_t, 8>> getPolygon_LineD(int64_t y0, int64_t x0, int64_t y1,
                                                       int64_t x1, int64_t d) {
    const int64_t dy = y1 - y0;
    const int64_t dx = x1 - x0;
    if (dy == 0 && dx == 0) return std::nullopt;
    const double len = std::sqrt(static_cast<double>(dy) * static_cast<double>(dy) +
                                 static_cast<double>(dx) * static_cast<double>(dx));
    // Half the width, perpendicular to the segment: (dy, dx) turned a
    // quarter to the left is (dx, -dy).
    const double oy = static_cast<double>(dx) * static_cast<double>(d) / len / 2.0;
    const double ox = -static_cast<double>(dy) * static_cast<double>(d) / len / 2.0;
    // Near side rounded up, the far side one rounded full width away, and the
    // end corners one exact segment vector on: both sides are the same width
    // apart and the outline is a true parallelogram.
    const int64_t by = saturate<int64_t>(std::ceil(static_cast<double>(y0) - oy));
    const int64_t bx = saturate<int64_t>(std::ceil(static_cast<double>(x0) - ox));
    const int64_t wy = saturate<int64_t>(std::floor(2.0 * oy + 0.5));
    const int64_t wx = saturate<int64_t>(std::floor(2.0 * ox + 0.5));
    const int64_t ay = by + wy, ax = bx + wx;
    return std::array<int64_t, 8>{ay, ax, by, bx, by + dy, bx + dx, ay + dy, ax + dx};
}

std::optional<std::array<int64_t, 8>> getPolygon_CenterVectorLenD(int64_t y, int64_t x,
                                                                  int64_t w, int64_t v,
                                                                  int64_t l, int64_t d) {
    std::array<int64_t, 4> s = getLine_CenterVectorLen(y, x, w, v, l);
    return getPolygon_LineD(s[0], s[1], s[2], s[3], d);
}

}  // namespace tetsuro::VelJLib
