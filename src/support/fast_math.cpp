#include "support/fast_math.h"

#include <cmath>

namespace tetsuro {

namespace {

constexpr double kRadiansPerDegree = Math::PI / 180.0;
// sqrt(2)/2 and sqrt(3)/2, correctly rounded.
constexpr double kHalfRoot2 = 0.70710678118654757;
constexpr double kHalfRoot3 = 0.86602540378443865;

// Sine and cosine of an angle in [0, 90), with the table values exact.
double sinQuarter(double r) {
    if (r == 0.0) return 0.0;
    if (r == 30.0) return 0.5;
    if (r == 45.0) return kHalfRoot2;
    if (r == 60.0) return kHalfRoot3;
    return std::sin(r * kRadiansPerDegree);
}

double cosQuarter(double r) {
    if (r == 0.0) return 1.0;
    if (r == 30.0) return kHalfRoot3;
    if (r == 45.0) return kHalfRoot2;
    if (r == 60.0) return 0.5;
    return std::cos(r * kRadiansPerDegree);
}

// Splits an angle into its quadrant (0..3) and the rest in [0, 90). The
// subtractions are exact (both operands lie within a factor of two).
int quadrant(double degrees, double& rest) {
    double r = std::fmod(degrees, 360.0);
    if (r < 0.0) r += 360.0;
    if (r >= 360.0) r = 0.0;  // a tiny negative angle rounded up to 360
    int q = static_cast<int>(r / 90.0);
    if (q > 3) q = 3;
    rest = r - 90.0 * q;
    if (rest >= 90.0) {  // guards r / 90 rounding just below a boundary
        rest -= 90.0;
        q = (q + 1) & 3;
    }
    return q;
}

// The arc sine in degrees of the values whose angle is a table entry.
bool exactAsin(double v, double& degrees) {
    double a = std::fabs(v);
    double d;
    if (a == 0.0) {
        d = 0.0;
    } else if (a == 0.5) {
        d = 30.0;
    } else if (a == kHalfRoot2) {
        d = 45.0;
    } else if (a == kHalfRoot3) {
        d = 60.0;
    } else if (a == 1.0) {
        d = 90.0;
    } else {
        return false;
    }
    degrees = v < 0.0 ? -d : d;
    return true;
}

}  // namespace

namespace FastMath {

double sin(double degrees) {
    if (!std::isfinite(degrees)) return std::nan("");
    double rest;
    switch (quadrant(degrees, rest)) {
        case 0: return sinQuarter(rest) + 0.0;
        case 1: return cosQuarter(rest) + 0.0;
        case 2: return -sinQuarter(rest) + 0.0;  // + 0.0 turns -0 into 0
        default: return -cosQuarter(rest) + 0.0;
    }
}

double cos(double degrees) {
    if (!std::isfinite(degrees)) return std::nan("");
    double rest;
    switch (quadrant(degrees, rest)) {
        case 0: return cosQuarter(rest) + 0.0;
        case 1: return -sinQuarter(rest) + 0.0;
        case 2: return -cosQuarter(rest) + 0.0;
        default: return sinQuarter(rest) + 0.0;
    }
}

double asin(double v) {
    double d;
    if (exactAsin(v, d)) return d;
    return std::asin(v) * 180.0 / Math::PI;
}

double acos(double v) {
    double d;
    if (exactAsin(v, d)) return 90.0 - d;
    return std::acos(v) * 180.0 / Math::PI;
}

double atan2(double a, double b) { return std::atan2(b, a) * 180.0 / 3.14159265; }

double abs(double v) { return std::fabs(v); }

double sqrt(double v) { return std::sqrt(v); }

}  // namespace FastMath

namespace Math {

float sqrt(float v) { return std::sqrt(v); }
double sqrt(double v) { return std::sqrt(v); }
double sqrt(int32_t v) { return v <= 0 ? 0.5 : std::sqrt(static_cast<double>(v)) + 0.5; }
double sqrt(int64_t v) { return v <= 0 ? 0.5 : std::sqrt(static_cast<double>(v)) + 0.5; }
double sin(double radians) { return std::sin(radians); }
double cos(double radians) { return std::cos(radians); }

}  // namespace Math

}  // namespace tetsuro
