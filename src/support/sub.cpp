#include "support/sub.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "support/int_math.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::Sub {

namespace {

bool insideMap(int64_t my, int64_t mx) {
    return my >= 0 && my < s_iMY && mx >= 0 && mx < s_iMX;
}

int64_t meshOf(int64_t real) { return floorDiv<int64_t>(real, m_iMS); }

int128_t floorDiv128(int128_t a, int128_t b) {
    int128_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

// An ordered list of meshes without repeats.
class MeshSet {
public:
    void add(int64_t my, int64_t mx) {
        if (!insideMap(my, mx)) return;
        if (!m_seen.insert({my, mx}).second) return;
        m_list.push_back({static_cast<int32_t>(my), static_cast<int32_t>(mx)});
    }
    void add(const MeshYX& m) { add(m.my, m.mx); }
    std::vector<MeshYX> take() { return std::move(m_list); }

private:
    std::set<std::pair<int64_t, int64_t>> m_seen;
    std::vector<MeshYX> m_list;
};

// Meshes around a point of track: the up to four meshes meeting there.
std::vector<MeshYX> meshesAroundPoint(int64_t y, int64_t x) {
    MeshSet s;
    s.add(meshOf(y), meshOf(x));
    s.add(meshOf(y), meshOf(x - 1));
    s.add(meshOf(y - 1), meshOf(x));
    s.add(meshOf(y - 1), meshOf(x - 1));
    return s.take();
}

// Every mesh that the convex polygon (integer corners) reaches into, row by
// row. Within one row band the polygon's x extent is reached at a corner in
// the band or where an edge meets the band's lower or upper line.
void addMeshesInsideConvex(const std::array<int64_t, 8>& p, MeshSet& out) {
    const int64_t ms = m_iMS;
    int64_t ymin = p[0], ymax = p[0];
    for (int i = 1; i < 4; ++i) {
        ymin = std::min(ymin, p[2 * i]);
        ymax = std::max(ymax, p[2 * i]);
    }
    const int64_t rowLo = std::max<int64_t>(0, floorDiv<int64_t>(ymin, ms));
    const int64_t rowHi = std::min<int64_t>(s_iMY - 1, floorDiv<int64_t>(ymax, ms));
    for (int64_t row = rowLo; row <= rowHi; ++row) {
        const int64_t lo = std::max(row * ms, ymin);
        const int64_t hi = std::min((row + 1) * ms, ymax);
        int64_t colMin = INT64_MAX, colMax = INT64_MIN;
        auto take = [&](int64_t col) {
            colMin = std::min(colMin, col);
            colMax = std::max(colMax, col);
        };
        for (int i = 0; i < 4; ++i) {
            const int64_t py = p[2 * i], px = p[2 * i + 1];
            if (py >= lo && py <= hi) take(floorDiv<int64_t>(px, ms));
            const int64_t qy = p[(2 * i + 2) % 8], qx = p[(2 * i + 3) % 8];
            if (py == qy) continue;
            for (int64_t yb : {lo, hi}) {
                if (yb < std::min(py, qy) || yb > std::max(py, qy)) continue;
                int128_t den = int128_t{qy} - py;
                int128_t num = int128_t{px} * den + (int128_t{qx} - px) * (int128_t{yb} - py);
                if (den < 0) {
                    den = -den;
                    num = -num;
                }
                take(static_cast<int64_t>(floorDiv128(num, den * ms)));
            }
        }
        if (colMin > colMax) continue;
        colMin = std::max<int64_t>(colMin, 0);
        colMax = std::min<int64_t>(colMax, s_iMX - 1);
        for (int64_t col = colMin; col <= colMax; ++col) out.add(row, col);
    }
}

}  // namespace

// ---- Parameters ------------------------------------------------------------

void create(int8_t* sba, int16_t* swa, int32_t* sdwa, int64_t* la) {
    m_sba = sba;
    m_swa = swa;
    m_sdwa = sdwa;
    m_la = la;
}

bool init(int32_t my, int32_t mx, int32_t ms, int32_t ts) {
    if (ms < 1 || my < 0 || mx < 0) return false;
    s_iMY = my;
    s_iMX = mx;
    m_iMS = ms;
    m_iBM = std::max(1, 800 / ms);
    m_iBY = ceilDiv(my, m_iBM);
    m_iBX = ceilDiv(mx, m_iBM);
    m_iTS = ts;
    return true;
}

void reset() {
    s_iMY = s_iMX = m_iMS = m_iBM = m_iBY = m_iBX = m_iTS = 0;
    s_sbDiaUnit = s_sbDiaLines = 0;
    randomSource().reset();
}

// ---- Powers ------------------------------------------------------------------

int64_t pow_2(int32_t n) {
    if (n <= 0) return 1;
    if (n > 62) return INT64_MAX;
    return int64_t{1} << n;
}

double pow_2f(int32_t n) { return std::ldexp(1.0, n); }

int64_t pow_2_8(int32_t n) {
    static constexpr std::array<std::array<int64_t, 2>, 8> kRatio{{
        {1, 1}, {253, 232}, {44, 37}, {83, 64}, {239, 169}, {128, 83}, {37, 22}, {255, 139}}};
    if (n < 0) n = 0;
    int64_t p = pow_2(n / 8);
    if (p > (INT64_MAX >> 17)) return INT64_MAX;  // 256 * 255 would not fit
    const auto& r = kRatio[static_cast<size_t>(n % 8)];
    return 256 * p * r[0] / r[1];
}

int64_t getTSP2() { return pow_2(m_iTS - 1); }

// ---- Random numbers ----------------------------------------------------------

RandomSource& randomSource() {
    static RandomSource source(RandomSource::Variant::Shared);
    return source;
}

int32_t RND_get(int32_t n) { return randomSource().get(n); }

std::vector<int32_t> RND_getAry(int32_t n) { return randomSource().permutation(n); }

// ---- Money, directions, lengths ------------------------------------------------

int64_t getAssets(int64_t v, int64_t l, int64_t m) {
    const int128_t months = int128_t{l} * 12;
    if (months < m) return 0;
    if (months <= 0) return v;  // here m <= 0: nothing has been used up yet
    return saturate<int64_t>(int128_t{v} - int128_t{v} * m / months);
}

int32_t getVY4(int32_t d4) {
    static constexpr std::array<int32_t, 4> kY{0, 1, 0, -1};
    return kY[static_cast<size_t>(floorMod(d4, 4))];
}

int32_t getVX4(int32_t d4) {
    static constexpr std::array<int32_t, 4> kX{1, 0, -1, 0};
    return kX[static_cast<size_t>(floorMod(d4, 4))];
}

int64_t getLength_um(int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    int64_t l = saturate<int64_t>(VelJLib::getLength_f(fy, fx, ty, tx));
    return saturate<int64_t>(int128_t{l} * 40000);
}

// ---- Grid ------------------------------------------------------------------

std::vector<MeshYX> RtoM(int64_t y, int64_t x) {
    std::vector<MeshYX> out;
    if (m_iMS < 1) return out;
    const int32_t my = saturate<int32_t>(meshOf(y));
    const int32_t mx = saturate<int32_t>(meshOf(x));
    const bool onY = y != 0 && floorMod<int64_t>(y, m_iMS) == 0;
    const bool onX = x != 0 && floorMod<int64_t>(x, m_iMS) == 0;
    out.push_back({my, mx});
    if (onY) out.push_back({my - 1, mx});
    if (onX) out.push_back({my, mx - 1});
    if (onY && onX) out.push_back({my - 1, mx - 1});
    return out;
}

std::vector<MeshYX> extendMesh9(int32_t my, int32_t mx) {
    static constexpr std::array<std::array<int32_t, 2>, 9> kStep{
        {{0, 0}, {-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}}};
    std::vector<MeshYX> out;
    for (const auto& s : kStep) {
        int64_t y = int64_t{my} + s[0];
        int64_t x = int64_t{mx} + s[1];
        if (insideMap(y, x)) out.push_back({static_cast<int32_t>(y), static_cast<int32_t>(x)});
    }
    return out;
}

std::vector<MeshYX> extendMesh9(const std::vector<MeshYX>& meshes) {
    MeshSet s;
    for (const MeshYX& m : meshes) {
        for (const MeshYX& e : extendMesh9(m.my, m.mx)) s.add(e);
    }
    return s.take();
}

std::vector<MeshYX> getUseMeshLine(int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
    std::vector<MeshYX> out;
    if (m_iMS < 1) return out;
    const int128_t dy = int128_t{ty} - fy;
    const int128_t dx = int128_t{tx} - fx;
    const int128_t n = std::max(dy < 0 ? -dy : dy, dx < 0 ? -dx : dx);
    bool any = false;
    MeshYX last{};
    for (int128_t i = 0; i < n; ++i) {
        const int64_t y = static_cast<int64_t>(fy + dy * i / n);
        const int64_t x = static_cast<int64_t>(fx + dx * i / n);
        const int64_t my = meshOf(y), mx = meshOf(x);
        if (!insideMap(my, mx)) continue;
        const MeshYX m{static_cast<int32_t>(my), static_cast<int32_t>(mx)};
        if (any && m == last) continue;
        out.push_back(m);
        last = m;
        any = true;
    }
    return out;
}

std::vector<MeshYX> getUseMeshLine_m(int32_t fy, int32_t fx, int32_t ty, int32_t tx) {
    std::vector<MeshYX> out;
    const int64_t dy = int64_t{ty} - fy;
    const int64_t dx = int64_t{tx} - fx;
    const int64_t n = std::max(dy < 0 ? -dy : dy, dx < 0 ? -dx : dx);
    if (n == 0) return out;
    auto emit = [&](int64_t y, int64_t x) {
        if (!insideMap(y, x)) return;
        const MeshYX m{static_cast<int32_t>(y), static_cast<int32_t>(x)};
        if (!out.empty() && out.back() == m) return;
        out.push_back(m);
    };
    const int64_t hy = (n / 2) * VelJLib::getSign(dy);
    const int64_t hx = (n / 2) * VelJLib::getSign(dx);
    int64_t py = fy, px = fx;
    for (int64_t i = 0; i <= n; ++i) {
        const int64_t y = fy + (dy * i + hy) / n;
        const int64_t x = fx + (dx * i + hx) / n;
        if (i > 0 && y != py && x != px) emit(py, x);
        emit(y, x);
        py = y;
        px = x;
    }
    return out;
}

std::vector<MeshYX> getUseMeshRail(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t len) {
    if (m_iMS < 1) return {};
    if (fy == ty && fx == tx) return meshesAroundPoint(fy, fx);
    const std::array<int64_t, 2> u = VelJLib::getVector_Len(ty - fy, tx - fx, len);
    const int64_t sy = fy - u[0], sx = fx - u[1];
    const int64_t ey = ty + u[0], ex = tx + u[1];
    const auto outline = VelJLib::getPolygon_LineD(sy, sx, ey, ex, len + 19);
    if (!outline) return meshesAroundPoint(sy, sx);  // shortened to nothing
    const std::array<int64_t, 8>& p = *outline;
    MeshSet s;
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        for (const MeshYX& m : getUseMeshLine(p[2 * i], p[2 * i + 1], p[2 * j], p[2 * j + 1])) {
            s.add(m);
        }
    }
    // The edges alone miss the rows in between once meshes are narrower than
    // the outline.
    addMeshesInsideConvex(p, s);
    return s.take();
}

std::vector<PointZYX> divisionMesh(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                                   int64_t tx) {
    const PointZYX end{tz, ty, tx};
    const int64_t ms = m_iMS;
    const int128_t dy = int128_t{ty} - fy;
    const int128_t dx = int128_t{tx} - fx;
    const int128_t dz = int128_t{tz} - fz;
    if (ms < 1 || (dy == 0 && dx == 0)) return {end};

    // The first mesh line strictly beyond the start in the direction of
    // travel, as a distance from the start; 0 when the component is 0.
    auto firstLine = [ms](int64_t from, int128_t d) -> int128_t {
        if (d > 0) return int128_t{floorDiv<int64_t>(from, ms) + 1} * ms - from;
        if (d < 0) return int128_t{ceilDiv<int64_t>(from, ms) - 1} * ms - from;
        return 0;
    };
    const int128_t absDy = dy < 0 ? -dy : dy;
    const int128_t absDx = dx < 0 ? -dx : dx;
    const int128_t stepY = dy < 0 ? -ms : ms;
    const int128_t stepX = dx < 0 ? -ms : ms;
    int128_t ey = firstLine(fy, dy);  // distance of the next y line
    int128_t ex = firstLine(fx, dx);
    auto yLeft = [&] { return dy != 0 && (ey < 0 ? -ey : ey) <= absDy; };
    auto xLeft = [&] { return dx != 0 && (ex < 0 ? -ex : ex) <= absDx; };

    std::vector<PointZYX> out;
    while (yLeft() || xLeft()) {
        const int128_t ay = ey < 0 ? -ey : ey;
        const int128_t ax = ex < 0 ? -ex : ex;
        // Which line comes first: compare ey/dy with ex/dx.
        int order;  // <0: y line first, 0: both (a mesh corner), >0: x line first
        if (!xLeft()) {
            order = -1;
        } else if (!yLeft()) {
            order = 1;
        } else {
            const int128_t l = ay * absDx, r = ax * absDy;
            order = l < r ? -1 : (l == r ? 0 : 1);
        }
        if (order <= 0) {
            out.push_back({static_cast<int64_t>(fz + dz * ey / dy), static_cast<int64_t>(fy + ey),
                           static_cast<int64_t>(fx + dx * ey / dy)});
            ey += stepY;
            if (order == 0) ex += stepX;
        } else {
            out.push_back({static_cast<int64_t>(fz + dz * ex / dx),
                           static_cast<int64_t>(fy + dy * ex / dx), static_cast<int64_t>(fx + ex)});
            ex += stepX;
        }
    }
    if (out.empty() || !(out.back() == end)) out.push_back(end);
    return out;
}

}  // namespace tetsuro::Sub
