#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "support/fast_math.h"
#include "support/int_math.h"
#include "support/vel_jlib_geometry.h"
#include "support/vel_jlib_lines.h"

namespace tetsuro {
namespace {

using namespace VelJLib;
using V = std::vector<int64_t>;

// ---- Rounding, signs, divisors ----------------------------------------------

TEST(Geometry, RoundingAndSigns) {
    struct Case {
        double f;
        int64_t rounded;
    };
    for (Case c : {Case{2.5, 3}, {-2.5, -3}, {2.49, 2}, {-2.49, -2}, {0.5, 1}, {-0.4, 0},
                   {1e30, INT64_MAX}}) {
        EXPECT_EQ(sisyagonyu(c.f), c.rounded) << c.f;
    }
    EXPECT_EQ(sisyagonyu(NAN), 0);
    // The float sign has a dead band of 0.01.
    EXPECT_EQ(getSign(0.01), 0);
    EXPECT_EQ(getSign(0.011), 1);
    EXPECT_EQ(getSign(-0.011), -1);
    EXPECT_EQ(getSign(-7), -1);
    EXPECT_EQ(getSign(int64_t{0}), 0);
    EXPECT_EQ(VelJLib::abs(INT32_MIN), INT32_MAX);
    EXPECT_EQ(VelJLib::abs(int64_t{-5}), 5);
}

TEST(Geometry, SqrtRoundedUp) {
    struct Case {
        int64_t a, r;
    };
    for (Case c : {Case{10, 4}, {9, 3}, {0, 0}, {-5, 0}, {1, 1}, {2, 2}, {17, 5},
                   {int64_t{1} << 62, int64_t{1} << 31}, {(int64_t{1} << 62) + 1, (int64_t{1} << 31) + 1},
                   {INT64_MAX, 3037000500}}) {
        EXPECT_EQ(sqrti_sqw_up(c.a), c.r) << c.a;
    }
}

TEST(Geometry, GreatestCommonDivisor) {
    struct Case {
        int64_t a, b, g;
    };
    for (Case c : {Case{0, 0, 1}, {0, 5, 5}, {-7, 0, 7}, {-12, 18, 6}, {17, 5, 1},
                   // Repeated subtraction would take 2^63 steps here.
                   {INT64_MAX, 1, 1}, {INT64_MAX - 1, 2, 2}}) {
        EXPECT_EQ(getGCD(c.a, c.b), c.g) << c.a << "," << c.b;
    }
    EXPECT_EQ(getGCD(V{12, 18, 8}), 2);
    EXPECT_EQ(getGCD(V{0, 0, 6}), 6);
    EXPECT_EQ(getGCD(V{0, 0, 0}), 1);
    EXPECT_EQ(getGCD(V{}), 1);
}

TEST(Geometry, ReductionKeepsTheDirection) {
    struct Case {
        V in, out;
    };
    const Case cases[] = {
        {{6, 0}, {1, 0}},       {{-4, 0}, {-1, 0}},     {{0, 9}, {0, 1}},
        {{4, -6}, {2, -3}},     {{0, 0, -4}, {0, 0, -1}}, {{6, 0, 0}, {1, 0, 0}},
        {{3, 0, 6}, {1, 0, 2}}, {{0, 0}, {0, 0}},       {{-2, 4, 6}, {-1, 2, 3}},
    };
    for (const Case& c : cases) {
        V v = c.in;
        reduction(v);
        EXPECT_EQ(v, c.out);
    }
}

TEST(Geometry, CompareVectorReducesBoth) {
    V a{2, 4, 6}, b{1, 2, 3};
    EXPECT_EQ(compareVector(a, b), 2);
    EXPECT_EQ(a, (V{1, 2, 3}));  // reduced in place
    V c{-3, -6, -9}, d{1, 2, 3};
    EXPECT_EQ(compareVector(c, d), 1);
    // Not collinear, though both have a 0 in the middle.
    V e{3, 0, 6}, f{1, 0, 3};
    EXPECT_EQ(compareVector(e, f), 0);
}

// ---- Angles ----------------------------------------------------------------

TEST(Geometry, AnglesFromEastTowardNorth) {
    struct Case {
        double w, v, deg;
    };
    for (Case c : {Case{1, 0, 90}, {0, -5, 180}, {0, 0, 180}, {0, 3, 0}, {-1, 0, 270},
                   {1, 1, 45}, {-1, 1, 315}, {2, -2, 135}}) {
        EXPECT_EQ(getAngle(c.w, c.v), c.deg) << c.w << "," << c.v;
    }
    EXPECT_EQ(getAngle(10, 10, 10, 5), 180.0);
    EXPECT_NEAR(getAngle(1, 2), 26.565051177, 1e-9);
    EXPECT_EQ(getAngleRd(0, 0), Math::PI);
    EXPECT_DOUBLE_EQ(getAngleRd(-1, 0), 1.5 * Math::PI);
    double tiny = getAngle(-1e-300, 1);  // just below a full turn, not 360
    EXPECT_LT(tiny, 360.0);
    EXPECT_GT(tiny, 359.0);
}

TEST(Geometry, Angle360AndItsIntegerPart) {
    EXPECT_EQ(getAngleYX360f(0, 0), -1.0);
    EXPECT_EQ(getAngleYX360f(0.0, 0.0), -1.0);
    EXPECT_EQ(getAngleYX360(0, 0), -1);
    struct Case {
        int64_t y, x;
        int deg;
    };
    // Diagonals truncate to the right degree on every side.
    for (Case c : {Case{-1, 0, 270}, {1, 0, 90}, {0, -1, 180}, {0, 7, 0}, {-1, 1, 315},
                   {-300, 300, 315}, {1, -1, 135}, {-5, -5, 225}, {1, 2, 26}, {-1, 2, 333},
                   {-400000, -1, 269}}) {
        EXPECT_EQ(getAngleYX360(c.y, c.x), c.deg) << c.y << "," << c.x;
        EXPECT_EQ(getAngleYX360(static_cast<double>(c.y), static_cast<double>(c.x)), c.deg);
    }
}

TEST(Geometry, SixteenDirectionSectors) {
    struct Case {
        int d, sector;
    };
    for (Case c : {Case{0, 0}, {11, 0}, {12, 1}, {33, 1}, {34, 2}, {90, 4}, {348, 15}, {349, 16},
                   {359, 16}}) {
        EXPECT_EQ(getAngle16from360(c.d), c.sector) << c.d;
    }
}

TEST(Geometry, AngleDifferences) {
    struct Case {
        int a, b, d360, d90;
    };
    for (Case c : {Case{10, 350, 20, 20}, {0, 180, 180, 0}, {45, 135, 90, 90}, {30, 200, 170, 10},
                   {90, 90, 0, 0}, {0, 270, 90, 90}}) {
        EXPECT_EQ(diffAngle360(c.a, c.b), c.d360) << c.a << "," << c.b;
        EXPECT_EQ(diffAngle90(c.a, c.b), c.d90) << c.a << "," << c.b;
        EXPECT_EQ(diffAngle360(double(c.a), double(c.b)), c.d360);
        EXPECT_EQ(diffAngle90(double(c.a), double(c.b)), c.d90);
    }
    EXPECT_DOUBLE_EQ(diffAngle90(10.5, 190.0), 0.5);
}

// ---- Lengths and vectors ---------------------------------------------------

TEST(Geometry, Lengths) {
    EXPECT_EQ(getLength(0, 0, 3, 4), 5);
    EXPECT_EQ(getLength(0, 0, 1, 1), 1);  // 1.41
    EXPECT_EQ(getLength(0, 0, 1, 2), 2);  // 2.24
    EXPECT_EQ(getLength(5, 5, 7, 8), 4);  // 3.61
    EXPECT_EQ(getLength(0, 0, 0, 12, 3, 4), 13);
    EXPECT_EQ(getLength(0, 0, 0, 2, 1, 4), 4);  // L = 4 first: sqrt(20), not sqrt(21)
    // The squares pass 2^63.
    EXPECT_EQ(getLength(0, 0, 3000000000, 4000000000), 5000000000);
    EXPECT_EQ(getLength(-3000000000, 0, 3000000000, 8000000000), 10000000000);

    EXPECT_EQ(getLength_f(0, 0, 3, 4), 5.5);
    EXPECT_EQ(getLength_f(0, 0, 0, 4), 4.0);
    EXPECT_EQ(getLength_f(0, 9, 0, 4), 5.0);
    EXPECT_EQ(getLength_f(7, 0, 4, 0), 3.0);
    EXPECT_EQ(getLength_f(0, 0, 0, 12, 3, 4), std::sqrt(144 + 5.5 * 5.5));
    EXPECT_EQ(getLength_f(std::vector<double>{0, 0, 0}, std::vector<double>{2, 3, 6}), 7.0);
    EXPECT_EQ(getLength_f(V{1, 1}, V{4, 5}), 5.0);
}

TEST(Geometry, VectorOfLength) {
    struct Case {
        int64_t y, x, l, ry, rx;
    };
    for (Case c : {Case{3, 4, 10, 6, 8}, {-3, 4, 10, -6, 8}, {3, 4, -10, -6, -8}, {1, 1, 10, 7, 7},
                   {0, -5, 3, 0, -3}, {0, 0, 10, 0, 0},
                   // c^2 * l^2 passes 2^64.
                   {300000, 400000, 500000, 300000, 400000},
                   {-3000000, 4000000, 1000000, -600000, 800000}}) {
        std::array<int64_t, 2> r = getVector_Len(c.y, c.x, c.l);
        EXPECT_EQ(r[0], c.ry) << c.y << "," << c.x << "," << c.l;
        EXPECT_EQ(r[1], c.rx) << c.y << "," << c.x << "," << c.l;
    }
    EXPECT_EQ(getVector_Len(V{3, 4}, 7), (V{4, 6}));  // 4.2, 5.6
    EXPECT_EQ(getVector_Len(V{0, 0}, 7), (V{0, 0}));
    // The three-value form measures with getLength_f, whose plane part is 5.5.
    EXPECT_EQ(getVector_Len(0, 3, 4, 11), (std::array<int64_t, 3>{0, 6, 8}));
    std::vector<double> f = getVector_Len_f(V{3, 4}, 7);
    EXPECT_DOUBLE_EQ(f[0], 4.2);
    EXPECT_DOUBLE_EQ(f[1], 5.6);
}

TEST(Geometry, AddAndSubtractVectors) {
    V p{1, 2};
    addVector(p, V{10, 20});
    EXPECT_EQ(p, (V{11, 22}));
    subVector(p, V{1, 2});
    EXPECT_EQ(p, (V{10, 20}));
    EXPECT_EQ(addVector(V{100, 100}, V{3, 4}, 10), (V{106, 108}));
    EXPECT_TRUE(addVector(V{}, V{3, 4}, 10).empty());
    EXPECT_TRUE(addVector(V{1, 1}, V{}, 10).empty());
    EXPECT_EQ(addVector(1, 2, 3, 0, 3, 4, 11), (std::array<int64_t, 3>{1, 8, 11}));
    std::vector<double> q = addVector_f(V{1, 1}, V{0, 2}, 0.5);
    EXPECT_EQ(q, (std::vector<double>{1.0, 1.5}));
    EXPECT_EQ(getCenter(V{0, 1}, V{3, 4}), (std::array<double, 2>{1.5, 2.5}));
    EXPECT_EQ(getLine_CenterVectorLen(10, 10, 3, 4, 10), (std::array<int64_t, 4>{16, 18, 4, 2}));
}

// ---- Thick-segment outline -------------------------------------------------

int128_t cross(int64_t ay, int64_t ax, int64_t by, int64_t bx) {
    return int128_t{ax} * by - int128_t{ay} * bx;
}

// The outline must be a convex parallelogram around the segment, the full
// width d across, with A and D on one side and B and C on the other.
TEST(Geometry, OutlineIsAPerpendicularParallelogram) {
    struct Case {
        int64_t y0, x0, y1, x1, d;
    };
    const Case cases[] = {
        {0, 0, 100, 100, 20}, {0, 0, 0, 100, 20},   {0, 0, 100, 0, 19},  {5, 7, 8, 257, 13},
        {100, 100, 0, 0, 20}, {-50, 30, -250, -170, 38}, {0, 0, 1000, 1, 6}, {0, 0, 3, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y0 << "," << c.x0 << " -> " << c.y1 << "," << c.x1
                                        << " d=" << c.d);
        auto o = getPolygon_LineD(c.y0, c.x0, c.y1, c.x1, c.d);
        ASSERT_TRUE(o.has_value());
        const auto& p = *o;
        const int64_t ay = p[0], ax = p[1], by = p[2], bx = p[3], cy = p[4], cx = p[5],
                      dy = p[6], dx = p[7];
        // Same rounded width on both sides; sides parallel to the segment.
        EXPECT_EQ(ay - by, dy - cy);
        EXPECT_EQ(ax - bx, dx - cx);
        EXPECT_EQ(cy - by, c.y1 - c.y0);
        EXPECT_EQ(cx - bx, c.x1 - c.x0);
        const double width = std::hypot(double(ay - by), double(ax - bx));
        EXPECT_NEAR(width, double(c.d), 1.0);
        // Perpendicular: the width vector has (almost) no part along the segment.
        const double len = std::hypot(double(c.y1 - c.y0), double(c.x1 - c.x0));
        const double along = (double(ay - by) * (c.y1 - c.y0) + double(ax - bx) * (c.x1 - c.x0)) / len;
        EXPECT_LE(std::fabs(along), 1.0);
        // A and D on one side of the centre line, B and C on the other.
        auto sideOf = [&](int64_t y, int64_t x) {
            return getSign(getCrossPointVector2(y, x, c.y0, c.x0, c.y1, c.x1));
        };
        EXPECT_EQ(sideOf(ay, ax), sideOf(dy, dx));
        EXPECT_EQ(sideOf(by, bx), sideOf(cy, cx));
        if (c.d >= 6) {
            EXPECT_NE(sideOf(ay, ax), sideOf(by, bx));
        }
        // Convex winding: every turn A->B->C->D->A goes the same way.
        const int64_t q[] = {ay, ax, by, bx, cy, cx, dy, dx};
        int turn = 0;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4, k = (i + 2) % 4;
            int128_t t = cross(q[2 * j] - q[2 * i], q[2 * j + 1] - q[2 * i + 1],
                               q[2 * k] - q[2 * j], q[2 * k + 1] - q[2 * j + 1]);
            ASSERT_NE(t, 0);
            int s = t > 0 ? 1 : -1;
            if (turn == 0) turn = s;
            EXPECT_EQ(s, turn) << "corner " << j;
        }
        // The segment's midpoint lies inside its outline.
        EXPECT_TRUE(isPointInPolygon((c.y0 + c.y1) / 2, (c.x0 + c.x1) / 2, q, 0, 4));
    }
    EXPECT_FALSE(getPolygon_LineD(5, 5, 5, 5, 20).has_value());
}

TEST(Geometry, CarBodyOutline) {
    // Half-length 10 along east, width 6, centred on (0, 0).
    auto o = getPolygon_CenterVectorLenD(0, 0, 0, 1, 10, 6);
    ASSERT_TRUE(o.has_value());
    EXPECT_EQ(*o, (std::array<int64_t, 8>{-3, 10, 3, 10, 3, -10, -3, -10}));
    EXPECT_FALSE(getPolygon_CenterVectorLenD(0, 0, 0, 0, 10, 6).has_value());
}

// ---- Lines and intersections -----------------------------------------------

TEST(Lines, EquationsAndIntersections) {
    EXPECT_EQ(getLineEquation_point_yx(0, 0, 1, 2), (LineEquation{2, -1, 0}));
    // Negated so that A >= 0.
    EXPECT_EQ(getLineEquation_point_yx(0, 2, 0, 0), (LineEquation{2, 0, 0}));
    EXPECT_EQ(getLineEquation_slant_yx(2, 3, 1, -1), (LineEquation{1, -1, 1}));

    auto p = getPointOfIntersection(getLineEquation_point_yx(0, 0, 10, 10),
                                    getLineEquation_point_yx(0, 10, 10, 0));
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ((*p)[1] / (*p)[0], 5);
    EXPECT_EQ((*p)[2] / (*p)[0], 5);
}

// Parallel lines have no crossing, whatever Y and X come to.
TEST(Lines, ParallelLinesGiveNull) {
    const LineEquation y0{1, 0, 0}, y5{1, 0, -5}, x3{0, 1, -3}, x7{0, 2, -14}, diag{1, -1, 0};
    EXPECT_FALSE(getPointOfIntersection(y0, y5).has_value());    // Y = 0, X != 0
    EXPECT_FALSE(getPointOfIntersection(x3, x7).has_value());    // X = 0
    EXPECT_FALSE(getPointOfIntersection(diag, diag).has_value());  // the same line
    EXPECT_TRUE(getPointOfIntersection(y5, x3).has_value());
}

TEST(Lines, LongSegmentsIntersectExactly) {
    // A crossing point far out, on segments of millions of units: the products
    // of the coefficients pass 2^63.
    const int64_t py = 3000123, px = 2999877;
    const int64_t ay = 3000000, ax = 2999000, by = -2000000, bx = 2500001;
    auto p = getCrossOfSegment(py - ay, px - ax, py + ay, px + ax, py - by, px - bx, py + by,
                               px + bx);
    ASSERT_TRUE(p.has_value());
    const auto& [d, Y, X] = *p;
    ASSERT_NE(d, 0);
    EXPECT_EQ(Y % d, 0);
    EXPECT_EQ(X % d, 0);
    EXPECT_EQ(Y / d, py);
    EXPECT_EQ(X / d, px);

    auto f = getPointOfSlant(7000001, -4000003, -3000000, -3000000, 5000000, 4000000);
    ASSERT_TRUE(f.has_value());
    // The foot lies on the line and the offset to it is perpendicular.
    long double fy = (long double)(*f)[1] / (*f)[0], fx = (long double)(*f)[2] / (*f)[0];
    long double dot = (fy - 7000001) * 8000000 + (fx + 4000003) * 7000000;
    EXPECT_NEAR((double)(dot / 1e13), 0.0, 1e-6);
    long double crossv = (fy + 3000000) * 7000000 - (fx + 3000000) * 8000000;
    EXPECT_NEAR((double)(crossv / 1e13), 0.0, 1e-6);
}

TEST(Lines, SegmentCrossing) {
    auto at = [](const std::optional<HomogeneousPoint>& p) {
        return std::array<int64_t, 2>{(*p)[1] / (*p)[0], (*p)[2] / (*p)[0]};
    };
    auto x = getCrossOfSegment(0, 0, 10, 10, 0, 10, 10, 0);
    ASSERT_TRUE(x.has_value());
    EXPECT_EQ(at(x), (std::array<int64_t, 2>{5, 5}));
    // The lines cross at (5, 5), beyond the first segment's end.
    EXPECT_FALSE(getCrossOfSegment(0, 0, 4, 4, 0, 10, 10, 0).has_value());
    EXPECT_FALSE(getCrossOfSegment(0, 0, 10, 0, 5, 0, 15, 0).has_value());  // collinear

    // Touching at an end point: the point itself, unless po is false.
    auto t = getCrossOfSegment(0, 0, 10, 10, 10, 10, 20, 0);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(*t, (HomogeneousPoint{1, 10, 10}));
    EXPECT_FALSE(getCrossOfSegment(0, 0, 10, 10, 10, 10, 20, 0, false).has_value());
    // A T-junction on the middle of the other segment is a crossing either way.
    EXPECT_TRUE(getCrossOfSegment(0, 0, 0, 10, 0, 5, 10, 5, false).has_value());
    // The same segment reversed: start against end is tested before end against start.
    EXPECT_EQ(*getCrossOfSegment(0, 0, 10, 10, 10, 10, 0, 0), (HomogeneousPoint{1, 0, 0}));
}

TEST(Lines, RectangleCrossings) {
    // A segment crossing the west and east edges of (0,0)-(10,10).
    std::vector<int64_t> c = getCrossOfRect(0, 0, 10, 10, 5, -5, 5, 15);
    ASSERT_EQ(c.size(), 6u);
    EXPECT_EQ(c[1] / c[0], 5);
    EXPECT_EQ(c[2] / c[0], 0);  // x = rfx first
    EXPECT_EQ(c[4] / c[3], 5);
    EXPECT_EQ(c[5] / c[3], 10);
    EXPECT_TRUE(getCrossOfRect(0, 0, 10, 10, 2, 2, 8, 8).empty());
    EXPECT_FALSE(isCrossOfRectangle(2, 2, 8, 8, 0, 0, 10, 10));
    EXPECT_TRUE(isLineInRectangle2_yx(2, 2, 8, 8, 0, 0, 10, 10));  // wholly inside
    EXPECT_TRUE(isLineInRectangle2_yx(5, -5, 5, 15, 0, 0, 10, 10));
    // Beside a corner: the bounding boxes overlap, the segment misses.
    EXPECT_TRUE(isLineInRectangle_yx(13, 8, 8, 13, 0, 0, 10, 10));
    EXPECT_FALSE(isLineInRectangle2_yx(13, 8, 8, 13, 0, 0, 10, 10));
    EXPECT_TRUE(isLineInRectangle2_yx(12, 8, 8, 12, 0, 0, 10, 10));  // through the corner
    EXPECT_FALSE(isLineInRectangle_yx(11, 0, 12, 10, 0, 0, 10, 10));

    const V poly{20, 20, 20, 30, 30, 30, 30, 20};
    EXPECT_FALSE(isPolygonInRectangle_yx(poly, 0, 4, 0, 0, 10, 10));
    EXPECT_TRUE(isPolygonInRectangle_yx(poly, 0, 4, 25, 25, 40, 40));
    EXPECT_FALSE(isPolygonInRectangle_yx(poly, 2, 4, 25, 25, 40, 40));  // runs past the end
}

// ---- Containment ---------------------------------------------------------

TEST(Containment, PointOnSegment) {
    EXPECT_TRUE(isPointOnLine_yx(5, 5, 0, 0, 10, 10));
    EXPECT_TRUE(isPointOnLine_yx(10, 10, 0, 0, 10, 10));
    EXPECT_FALSE(isPointOnLine_yx(15, 15, 0, 0, 10, 10));  // on the line, past the end
    EXPECT_FALSE(isPointOnLine_yx(5, 6, 0, 0, 10, 10));
    EXPECT_FALSE(isPointOnLine_yx(1, 1, 0, 0, 3, 4));       // foot not integral
    EXPECT_TRUE(isPointOnLine_yx(7, 7, 7, 7, 7, 7));        // f = t: only that point
    EXPECT_FALSE(isPointOnLine_yx(7, 8, 7, 7, 7, 7));
    EXPECT_TRUE(isPointOnLine(V{6, 8}, V{0, 0}, V{3000000, 4000000}));
    EXPECT_TRUE(isPointInRectangle(V{5, 5, 5}, V{0, 10, 0}, V{10, 0, 5}));
    EXPECT_FALSE(isPointInRectangle(V{5, 5, 6}, V{0, 10, 0}, V{10, 0, 5}));
    EXPECT_TRUE(isPointInCircle(3, 4, 0, 0, 5));
    EXPECT_FALSE(isPointInCircle(3, 5, 0, 0, 5));
}

TEST(Containment, ConvexPolygon) {
    const V ccw{0, 0, 0, 10, 10, 10, 10, 0};
    const V cw{10, 0, 10, 10, 0, 10, 0, 0};
    const V offset{99, 99, 0, 0, 0, 10, 10, 10, 10, 0};
    struct Case {
        int64_t y, x;
        bool inside;
    };
    for (Case c : {Case{5, 5, true}, {0, 5, true}, {10, 10, true}, {11, 5, false}, {-1, -1, false},
                   // On the line of an edge, but outside the square.
                   {0, 20, false}, {20, 0, false}, {-5, 10, false}}) {
        EXPECT_EQ(isPointInPolygon(c.y, c.x, ccw, 0, 4), c.inside) << c.y << "," << c.x;
        EXPECT_EQ(isPointInPolygon(c.y, c.x, cw, 0, 4), c.inside) << c.y << "," << c.x;
        EXPECT_EQ(isPointInPolygon(c.y, c.x, offset, 2, 4), c.inside) << c.y << "," << c.x;
    }
    EXPECT_FALSE(isPointInPolygon(5, 5, ccw, 2, 4));  // runs past the end
    EXPECT_FALSE(isPointInPolygon(5, 5, ccw, 0, 0));
    // Left of the directed line is positive.
    EXPECT_GT(getCrossPointVector2(1, 0, 0, 0, 0, 1), 0);
    EXPECT_LT(getCrossPointVector2(-1, 0, 0, 0, 0, 1), 0);
}

}  // namespace
}  // namespace tetsuro
