#pragma once
// Plane geometry of the game, part one: rounding and signs, angles in
// degrees, lengths, vectors and the outline of a thick segment.
//
// Points and vectors are given y first, (y, x) or (z, y, x); real
// coordinates grow north (y) and east (x). Integer geometry is done in 64
// bits, with 128-bit intermediates where squares of squares appear. Angles
// are double degrees unless a name ends in "Rd".
//
// Results that used to be handed out in shared scratch arrays (the segment of
// getLine_CenterVectorLen, the outline of getPolygon_LineD) are returned by
// value as std::array: no allocation, and a second call no longer changes
// the result of the first.
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace tetsuro::VelJLib {

// ---- Rounding and signs ----------------------------------------------------

// Rounded half away from zero: 2.5 gives 3, -2.5 gives -3. Clamped to the
// 64-bit range; NaN gives 0.
int64_t sisyagonyu(double f);

template <std::integral T>
constexpr int getSign(T n) {
    return n > 0 ? 1 : (n < 0 ? -1 : 0);
}
// Float sign with a dead band: 1 above 0.01, -1 below -0.01, else 0.
int getSign(double f);

// Absolute value; the one value without a positive counterpart (the most
// negative integer) gives the largest one instead of staying negative.
template <std::integral T>
constexpr T abs(T n) {
    if (n >= 0) return n;
    if (n == std::numeric_limits<T>::min()) return std::numeric_limits<T>::max();
    return T(-n);
}
double abs(double f);

// The smallest r >= 0 with r * r >= a (0 for a <= 0).
int64_t sqrti_sqw_up(int64_t a);

// Greatest common divisor of |a| and |b| (Euclid). 1 when both are 0, the
// other value when one is 0.
int64_t getGCD(int64_t a, int64_t b);
// Of the first two (or three) elements; zeros do not count, and 1 when all
// of them are 0.
int64_t getGCD(std::span<const int64_t> v);

// Divides every element by getGCD(v), so the direction is kept and an axis
// vector becomes a unit vector: (6, 0) gives (1, 0), (0, 0, -4) gives
// (0, 0, -1), (3, 0, 6) gives (1, 0, 2). A zero vector stays zero.
void reduction(std::span<int64_t> v);

// Reduces both vectors in place and compares their first three components
// (missing ones count as 0): 2 when equal, 1 when opposite, 0 otherwise.
int compareVector(std::span<int64_t> a, std::span<int64_t> b);

// ---- Angles ----------------------------------------------------------------

// Angle of the vector (y = w, x = v) from east toward north, in [0, 360).
// A vector with w = 0 gives 0 when v > 0 and 180 otherwise, the zero vector
// included.
double getAngle(double w, double v);
double getAngle(double y0, double x0, double y1, double x1);
// The same in radians, [0, 2 pi); pi for the zero vector.
double getAngleRd(double w, double v);

// Angle of (y, x) from east toward north in [0, 360); -1 for the zero
// vector. Vectors along an axis or a diagonal give exact multiples of 45.
double getAngleYX360f(double y, double x);
double getAngleYX360fInteger(int64_t y, int64_t x);
// Integer vectors are reduced by their GCD first.
template <std::integral Y, std::integral X>
double getAngleYX360f(Y y, X x) {
    return getAngleYX360fInteger(static_cast<int64_t>(y), static_cast<int64_t>(x));
}
// The integer part of getAngleYX360f; -1 for the zero vector.
int getAngleYX360(double y, double x);
template <std::integral Y, std::integral X>
int getAngleYX360(Y y, X x) {
    return static_cast<int>(getAngleYX360f(y, x));
}

// One of 16 direction sectors of 22.5 degrees: ((d + 11) * 16) / 360. 0..11
// degrees give 0, and 349..359 give 16, not 0 (callers wrap it).
int getAngle16from360(int d);

// Difference of two angles around the circle: the smaller of |a - b| and the
// difference after adding 360 to the smaller angle.
int diffAngle360(int a, int b);
double diffAngle360(double a, double b);
// Angle between two undirected lines (0..90): d = diffAngle360 mod 180, then
// min(d, 180 - d). The float form takes 180 off d when d >= 180.
int diffAngle90(int a, int b);
double diffAngle90(double a, double b);

// ---- Lengths and vectors ---------------------------------------------------

// Euclidean length rounded to the nearest integer (exact).
int64_t getLength(int64_t y0, int64_t x0, int64_t y1, int64_t x1);
// The rounded root of dz^2 + L^2, L being the rounded plane length.
int64_t getLength(int64_t z0, int64_t y0, int64_t x0, int64_t z1, int64_t y1, int64_t x1);
// |dx| when dy = 0, |dy| when dx = 0, otherwise the square root plus 0.5
// (not truncated: a 3-4 vector gives 5.5).
double getLength_f(int64_t y0, int64_t x0, int64_t y1, int64_t x1);
// The root of dz^2 + L^2, L from the plane form above.
double getLength_f(int64_t z0, int64_t y0, int64_t x0, int64_t z1, int64_t y1, int64_t x1);
// Plain Euclidean distance over the components both points have.
double getLength_f(std::span<const double> a, std::span<const double> b);
double getLength_f(std::span<const int64_t> a, std::span<const int64_t> b);

// A plane vector of length l in the direction of (y, x): each component is
// sign(c) * sign(l) * floor(sqrt(c^2 * l^2 / (y^2 + x^2))), exact for
// components and lengths below 2^31. The zero vector gives (0, 0).
std::array<int64_t, 2> getVector_Len(int64_t y, int64_t x, int64_t l);
// Each component * l / length, rounded with sisyagonyu; the length is the
// plain distance. Same size as v; zeros for a zero vector.
std::vector<int64_t> getVector_Len(std::span<const int64_t> v, double l);
// (vz, vy, vx) * l / length, rounded with sisyagonyu; the length is the
// six-value getLength_f from the origin.
std::array<int64_t, 3> getVector_Len(int64_t vz, int64_t vy, int64_t vx, double l);
// getVector_Len(v, l) without the rounding.
std::vector<double> getVector_Len_f(std::span<const int64_t> v, double l);

// Adds v into p (over the components both have) and returns p.
std::vector<int64_t>& addVector(std::vector<int64_t>& p, std::span<const int64_t> v);
// p plus getVector_Len(v, l); empty (null) when p or v is empty.
std::vector<int64_t> addVector(std::vector<int64_t> p, std::span<const int64_t> v, double l);
// A new point: p plus getVector_Len(vz, vy, vx, l).
std::array<int64_t, 3> addVector(int64_t pz, int64_t py, int64_t px, int64_t vz, int64_t vy,
                                 int64_t vx, double l);
// A new float point: p plus getVector_Len_f(v, l); empty when p or v is.
std::vector<double> addVector_f(std::span<const int64_t> p, std::span<const int64_t> v,
                                double l);
// Subtracts b from a (over the components both have) and returns a.
std::vector<int64_t>& subVector(std::vector<int64_t>& a, std::span<const int64_t> b);
// Float midpoint of two (y, x) points.
std::array<double, 2> getCenter(std::span<const int64_t> a, std::span<const int64_t> b);

// The segment centred on (y, x) along (w, v) with half-length l: with
// u = getVector_Len(w, v, l), the values (y + u_y, x + u_x, y - u_y, x - u_x).
std::array<int64_t, 4> getLine_CenterVectorLen(int64_t y, int64_t x, int64_t w, int64_t v,
                                               int64_t l);

// The outline of the segment (y0, x0)-(y1, x1) drawn d wide, as the corners
// A, B, C, D in order around it: (A_y, A_x, B_y, B_x, C_y, C_x, D_y, D_x).
// B and C lie on one side of the segment (at its start and end), A and D on
// the other; A - B = D - C is the same rounded perpendicular of length about
// d, so the outline is a parallelogram. Null for a zero-length segment.
std::optional<std::array<int64_t, 8>> getPolygon_LineD(int64_t y0, int64_t x0, int64_t y1,
                                                       int64_t x1, int64_t d);
// The outline of a car body of half-length l and width d centred on (y, x)
// along (w, v): getPolygon_LineD of getLine_CenterVectorLen.
std::optional<std::array<int64_t, 8>> getPolygon_CenterVectorLenD(int64_t y, int64_t x,
                                                                  int64_t w, int64_t v,
                                                                  int64_t l, int64_t d);

}  // namespace tetsuro::VelJLib
