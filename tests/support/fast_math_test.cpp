#include "support/fast_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tetsuro {
namespace {

constexpr double kH2 = 0.70710678118654757;  // sqrt(2)/2
constexpr double kH3 = 0.86602540378443865;  // sqrt(3)/2

// Multiples of 30 and 45 degrees must be exact: callers truncate products
// such as 100 * sin(30) and a plain library sine of pi/6 is 0.49999999999999994.
TEST(FastMath, SpecialAnglesAreExact) {
    struct Case {
        double deg, sin, cos;
    };
    const Case cases[] = {
        {0, 0, 1},        {30, 0.5, kH3},    {45, kH2, kH2},     {60, kH3, 0.5},
        {90, 1, 0},       {120, kH3, -0.5},  {135, kH2, -kH2},   {150, 0.5, -kH3},
        {180, 0, -1},     {210, -0.5, -kH3}, {225, -kH2, -kH2},  {240, -kH3, -0.5},
        {270, -1, 0},     {300, -kH3, 0.5},  {315, -kH2, kH2},   {330, -0.5, kH3},
        {360, 0, 1},      {-30, -0.5, kH3},  {-90, -1, 0},       {390, 0.5, kH3},
        {-720 + 60, kH3, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deg);
        EXPECT_EQ(FastMath::sin(c.deg), c.sin);
        EXPECT_EQ(FastMath::cos(c.deg), c.cos);
    }
    EXPECT_EQ(static_cast<int>(100 * FastMath::sin(30)), 50);
    EXPECT_EQ(static_cast<int>(100 * FastMath::cos(60)), 50);
    EXPECT_FALSE(std::signbit(FastMath::sin(180)));  // 0, not -0
}

TEST(FastMath, OtherAnglesFollowTheLibraryAndKeepSymmetry) {
    for (double d : {1.0, 10.0, 22.5, 77.7, 89.9, 123.4, 200.5, 359.5, -45.5}) {
        SCOPED_TRACE(d);
        EXPECT_NEAR(FastMath::sin(d), std::sin(d * Math::PI / 180), 1e-15);
        EXPECT_NEAR(FastMath::cos(d), std::cos(d * Math::PI / 180), 1e-15);
    }
    // Exactly half a turn apart (the sums are exact): exactly opposite.
    for (double d : {1.0, 10.0, 22.5, 200.5, 359.5, -45.5, 1000.25}) {
        EXPECT_EQ(FastMath::sin(d + 180), -FastMath::sin(d)) << d;
        EXPECT_EQ(FastMath::cos(d + 180), -FastMath::cos(d)) << d;
    }
    EXPECT_TRUE(std::isnan(FastMath::sin(INFINITY)));
}

TEST(FastMath, ArcFunctionsInDegrees) {
    EXPECT_EQ(FastMath::asin(0.5), 30.0);
    EXPECT_EQ(FastMath::asin(-1.0), -90.0);
    EXPECT_EQ(FastMath::acos(0.0), 90.0);
    EXPECT_EQ(FastMath::acos(0.5), 60.0);
    EXPECT_EQ(FastMath::acos(-1.0), 180.0);
    EXPECT_EQ(FastMath::acos(kH2), 45.0);
    EXPECT_NEAR(FastMath::asin(0.3), std::asin(0.3) * 180 / Math::PI, 1e-12);
    EXPECT_NEAR(FastMath::acos(-0.7), std::acos(-0.7) * 180 / Math::PI, 1e-12);
}

// atan2(a, b) takes x first, and converts with pi = 3.14159265.
TEST(FastMath, Atan2TakesXFirstAndTheShortPi) {
    EXPECT_EQ(FastMath::atan2(1, 0), 0.0);
    EXPECT_DOUBLE_EQ(FastMath::atan2(0, 1), 90.0 * Math::PI / 3.14159265);
    EXPECT_GT(FastMath::atan2(0, 1), 90.0);
    EXPECT_LT(FastMath::atan2(0, -1), -90.0);
    EXPECT_NEAR(FastMath::atan2(-1, 0), 180.0, 1e-6);
}

TEST(Math, IntegerRootsRoundByTruncation) {
    EXPECT_EQ(Math::sqrt(int32_t{25}), 5.5);
    EXPECT_EQ(static_cast<int>(Math::sqrt(int32_t{30})), 5);  // 5.48
    EXPECT_EQ(static_cast<int>(Math::sqrt(int32_t{31})), 6);  // 5.57
    EXPECT_EQ(static_cast<int64_t>(Math::sqrt(int64_t{10000000000})), 100000);
    EXPECT_EQ(Math::sqrt(int32_t{-4}), 0.5);
    EXPECT_EQ(Math::sqrt(2.25), 1.5);
    EXPECT_EQ(Math::sqrt(2.25f), 1.5f);
}

}  // namespace
}  // namespace tetsuro
