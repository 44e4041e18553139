#pragma once
// Degree-based trigonometry (FastMath) and the plain maths helpers (Math).
// All arguments and results are double. Angles that are whole multiples of
// 30 or 45 degrees give exact values (sin 30 is exactly 0.5, cos 90 exactly
// 0), because callers truncate the products to integers and a result of
// 0.49999999999999994 would land one unit short.
#include <cstdint>

namespace tetsuro {

namespace FastMath {

double sin(double degrees);
double cos(double degrees);
// Arc sine and arc cosine in degrees; arguments outside -1..1 give NaN.
double asin(double v);
double acos(double v);
// The angle in degrees (-180..180) of the vector whose x component is a and
// y component is b. The radian-to-degree factor uses pi = 3.14159265, so a
// quarter turn comes out as 90.00000006: kept, the stored angles of saved
// games were made with it.
double atan2(double a, double b);
double abs(double v);
double sqrt(double v);

}  // namespace FastMath

namespace Math {

inline constexpr double PI = 3.141592653589793;

// Plain square roots.
float sqrt(float v);
double sqrt(double v);
// Square root plus 0.5, so that truncating the result gives the nearest
// integer root. Negative values have no root; they give 0.5 (as 0 does)
// so that the truncation stays defined.
double sqrt(int32_t v);
double sqrt(int64_t v);

// Radians.
double sin(double radians);
double cos(double radians);

}  // namespace Math

}  // namespace tetsuro
