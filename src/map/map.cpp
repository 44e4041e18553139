#include "map/map.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "map/map_hooks.h"
#include "support/int_math.h"
#include "support/run_length.h"
#include "support/vel_jlib_array.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro {

namespace {

// Releases a vector's storage now (clear() keeps the capacity).
template <class T>
void release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

}  // namespace

void Map::reset() {
    release(m_aTyp);
    release(m_aSLv);
    release(m_aTyC);
    release(m_aSLC);
    setSizes(0, 0, 100, 50);
    m_rfy = m_rfx = 0;
    m_rty = m_rtx = -1;
    // A 0 x 0 map still has its one corner vertex.
    m_aSLv.assign(1, kNewElevation);
}

void Map::setSizes(int32_t my, int32_t mx, int32_t ms, int32_t gs) {
    m_my = my;
    m_mx = mx;
    m_ms = ms;
    m_bms = std::max(1, 800 / ms);
    m_puy = (my + 7) / 8;
    m_pux = (mx + 7) / 8;
    init_gs(gs);
}

void Map::init_gs(int32_t gs) {
    m_gs = std::max(1, gs);
    m_gy = saturate<int32_t>(int64_t(m_my) * m_ms / m_gs + 1);
    m_gx = saturate<int32_t>(int64_t(m_mx) * m_ms / m_gs + 1);
}

bool Map::fitsBudget(int64_t my, int64_t mx) {
    const uint64_t bytes = uint64_t(my * mx) + uint64_t((my + 1) * (mx + 1)) * sizeof(int16_t);
    return bytes <= s_maxArrayBytes;
}

bool Map::init(int32_t my, int32_t mx, int32_t ms, int32_t gs) {
    if (my < 0 || mx < 0 || my > kMaxSide || mx > kMaxSide || ms < 1 || gs < 1) return false;
    // The old map goes first: the largest one is 300 MB, and two of them
    // need not fit at once.
    release(m_aTyp);
    release(m_aSLv);
    release(m_aTyC);
    release(m_aSLC);
    try {
        if (!fitsBudget(my, mx)) throw std::bad_alloc();
        m_aTyp.assign(std::size_t(my) * std::size_t(mx), int8_t(LAND_SEA));
        m_aSLv.assign((std::size_t(my) + 1) * (std::size_t(mx) + 1), kNewElevation);
    } catch (const std::bad_alloc&) {
        release(m_aTyp);
        release(m_aSLv);
        setSizes(0, 0, ms, gs);
        m_aSLv.assign(1, kNewElevation);
        return false;
    }
    setSizes(my, mx, ms, gs);
    return true;
}

bool Map::extend(int32_t dy, int32_t dx) {
    if (dy < 0 || dx < 0) return false;
    const int64_t ny = int64_t(m_my) + dy, nx = int64_t(m_mx) + dx;
    if (ny > kMaxSide || nx > kMaxSide) return false;
    if (dy == 0 && dx == 0) return true;
    if (!fitsBudget(ny, nx)) return false;
    try {
        std::vector<int8_t> typ(std::size_t(ny * nx), int8_t(LAND_PADDY));
        std::vector<int16_t> slv(std::size_t((ny + 1) * (nx + 1)), kNewElevation);
        const std::size_t oldMX = std::size_t(m_mx);
        for (std::size_t y = 0; y < std::size_t(m_my); ++y)
            std::copy_n(m_aTyp.begin() + std::ptrdiff_t(y * oldMX), oldMX, typ.begin() + std::ptrdiff_t(y * nx));
        for (std::size_t y = 0; y <= std::size_t(m_my); ++y)
            std::copy_n(m_aSLv.begin() + std::ptrdiff_t(y * (oldMX + 1)), oldMX + 1,
                        slv.begin() + std::ptrdiff_t(y * (nx + 1)));
        // The old arrays end up in the temporaries and go with them.
        m_aTyp.swap(typ);
        m_aSLv.swap(slv);
    } catch (const std::bad_alloc&) {
        return false;
    }
    setSizes(int32_t(ny), int32_t(nx), m_ms, m_gs);
    return true;
}

void Map::setTyp(std::span<const int32_t> list, int32_t v) {
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) setTyp(list[i], list[i + 1], v);
}

void Map::setSLvBlend(int32_t sy, int32_t sx, int32_t v, int32_t bef, int32_t now) {
    if (bef == 0) {
        setSLv(sy, sx, v);
        return;
    }
    if (!isSYX(sy, sx)) return;
    int16_t& z = m_aSLv[vertexIndex(sy, sx)];
    if (z == v || int64_t(bef) + now == 0) return;
    const double blended = (double(z) * bef + double(v) * now) / (double(bef) + double(now));
    z = saturate<int16_t>(blended);
}

double Map::getZ_RY(int32_t y, int32_t gx) {
    if (y < 0 || y > getRYMax() || uint32_t(gx) > uint32_t(m_mx)) return kOutsideZ;
    const int32_t y0 = y / m_ms, ry = y - y0 * m_ms;
    const double z0 = m_aSLv[vertexIndex(y0, gx)];
    if (ry == 0) return z0;
    return z0 + (double(m_aSLv[vertexIndex(y0 + 1, gx)]) - z0) * ry / m_ms;
}

double Map::getZ_RX(int32_t gy, int32_t x) {
    if (x < 0 || x > getRXMax() || uint32_t(gy) > uint32_t(m_my)) return kOutsideZ;
    const int32_t x0 = x / m_ms, rx = x - x0 * m_ms;
    const double z0 = m_aSLv[vertexIndex(gy, x0)];
    if (rx == 0) return z0;
    return z0 + (double(m_aSLv[vertexIndex(gy, x0 + 1)]) - z0) * rx / m_ms;
}

double Map::getZ_RYX(int32_t y, int32_t x) {
    if (y < 0 || x < 0 || y > getRYMax() || x > getRXMax()) return kOutsideZ;
    const int32_t ms = m_ms;
    const int32_t y0 = y / ms, x0 = x / ms;
    const int32_t ry = y - y0 * ms, rx = x - x0 * ms;
    const int16_t* row = m_aSLv.data() + vertexIndex(y0, x0);
    const double z00 = row[0];
    // On a mesh line the next vertex is not read: at getRYMax() it would be
    // the row beyond the map.
    const double zy = ry == 0 ? z00 : z00 + (double(row[std::size_t(m_mx) + 1]) - z00) * ry / ms;
    const double zx = rx == 0 ? z00 : z00 + (double(row[1]) - z00) * rx / ms;
    return z00 + (zy - z00) + (zx - z00);
}

double Map::getZ_RYX(double y, double x) {
    // Anything past the int range is off every map; NaN fails both tests.
    if (!(y > -2147483648.0 && y < 2147483648.0 && x > -2147483648.0 && x < 2147483648.0)) return kOutsideZ;
    return getZ_RYX(int32_t(y), int32_t(x));
}

int64_t Map::getZAngle(int32_t my, int32_t mx, int32_t vy, int32_t vx) {
    if (!isMYX(my, mx)) return 0;
    const int64_t z00 = getZ(my, mx), z01 = getZ(my, mx + 1), z10 = getZ(my + 1, mx), z11 = getZ(my + 1, mx + 1);
    return ((z10 + z11) - (z00 + z01)) * vy + ((z01 + z11) - (z00 + z10)) * vx;
}

int32_t Map::getNeighborHigh(int32_t sy, int32_t sx) {
    int32_t high = kNoLand;
    static constexpr int32_t kStep[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (const auto& s : kStep) {
        const int32_t y = sy + s[0], x = sx + s[1];
        if (isSYX(y, x)) high = std::max(high, getZ(y, x));
    }
    return high;
}

bool Map::isHorizontal(int32_t my, int32_t mx) {
    if (!isMYX(my, mx)) return false;
    const int32_t z = getZ(my, mx);
    return getZ(my, mx + 1) == z && getZ(my + 1, mx) == z && getZ(my + 1, mx + 1) == z;
}

int64_t Map::checkTypSea() {
    const std::size_t w = std::size_t(m_mx);
    int64_t changed = 0;
    for (std::size_t y = 0; y < std::size_t(m_my); ++y) {
        const int16_t* s = m_aSLv.data() + y * (w + 1);
        const int16_t* n = s + (w + 1);
        int8_t* t = m_aTyp.data() + y * w;
        for (std::size_t x = 0; x < w; ++x) {
            const bool sea = (s[x] == kNoLand) & (s[x + 1] == kNoLand) & (n[x] == kNoLand) & (n[x + 1] == kNoLand);
            changed += sea & (t[x] != LAND_SEA);
            t[x] = sea ? int8_t(LAND_SEA) : t[x];
        }
    }
    return changed;
}

void Map::compress() {
    m_aTyC = VelJLib::compressSB(m_aTyp);
    m_aSLC = VelJLib::compressSW(m_aSLv);
}

void Map::decompress() {
    try {
        VelJLib::decompressSB(m_aTyC, std::span<int8_t>(m_aTyp));
        VelJLib::decompressSW(m_aSLC, std::span<int16_t>(m_aSLv));
    } catch (...) {
        std::fill(m_aTyp.begin(), m_aTyp.end(), int8_t(LAND_SEA));
        std::fill(m_aSLv.begin(), m_aSLv.end(), kNewElevation);
        freeCompressArea();
        throw;
    }
    freeCompressArea();
}

void Map::freeCompressArea() {
    release(m_aTyC);
    release(m_aSLC);
}

// ---- roads ---------------------------------------------------------------------

int32_t Map::getRoadD4(int32_t my, int32_t mx, int32_t st) {
    const int32_t mask = LandCodes::roadMask(getTyp(my, mx));
    for (int32_t d = std::max(st, 0); d < 4; ++d)
        if (mask & (1 << d)) return d;
    return -1;
}

int32_t Map::searchRoadNei4(int32_t my, int32_t mx, int32_t d4) {
    static constexpr int32_t kVY[4] = {0, 1, 0, -1}, kVX[4] = {1, 0, -1, 0};
    for (int32_t d = std::max(d4, 0); d < 4; ++d)
        if (isRoad(my + kVY[d], mx + kVX[d])) return d;
    return -1;
}

int32_t Map::getRoadNextD4(int32_t my, int32_t mx, int32_t d4) {
    const int32_t mask = LandCodes::roadMask(getTyp(my, mx));
    const int32_t back = floorMod(d4 + 2, 4);
    for (int32_t d = 0; d < 4; ++d)
        if (d != back && (mask & (1 << d))) return d;
    return -1;
}

int32_t Map::getRoadD(int32_t my, int32_t mx) {
    switch (getTyp(my, mx)) {
        case 16: return 0;
        case 17:
        case 20: return 45;
        case 21: return 90;
        default: return 135;
    }
}

int32_t Map::getRoadNextD360(int32_t my, int32_t mx, int32_t d) {
    const int32_t r = getRoadD(my, mx);
    return r + (VelJLib::diffAngle360(d, r) / 91) * 180;
}

int32_t Map::getRoadAngle(int32_t my, int32_t mx) {
    if (isRoad(my, mx + 1)) return 90;
    if (isRoad(my + 1, mx)) return 180;
    if (isRoad(my, mx - 1)) return 270;
    return 0;
}

int64_t Map::getRoadNextq(int32_t d4) {
    // The lanes keep to the left: 34 % and 66 % across the edge.
    const int32_t ms = m_ms, nearLane = ms * 34 / 100, farLane = ms - nearLane;
    switch (d4) {
        case 0: return VelJLib::toLong(farLane, ms);
        case 1: return VelJLib::toLong(ms, nearLane);
        case 2: return VelJLib::toLong(nearLane, 0);
        case 3: return VelJLib::toLong(0, farLane);
        default: return VelJLib::toLong(ms / 2, ms / 2);
    }
}

int64_t Map::getRoadNextq(int32_t vy, int32_t vx) {
    if (vy == 0 && vx == 1) return getRoadNextq(0);
    if (vy == 1 && vx == 0) return getRoadNextq(1);
    if (vy == 0 && vx == -1) return getRoadNextq(2);
    if (vy == -1 && vx == 0) return getRoadNextq(3);
    return getRoadNextq(-1);
}

namespace {
int64_t lanePoint(int32_t my, int32_t mx, int64_t q) {
    const int64_t y = int64_t(my) * Map::m_ms + VelJLib::toInt(q, 0);
    const int64_t x = int64_t(mx) * Map::m_ms + VelJLib::toInt(q, 1);
    return VelJLib::toLong(saturate<int32_t>(y), saturate<int32_t>(x));
}
}  // namespace

int64_t Map::getRoadRTYX(int32_t my, int32_t mx, int32_t d4) { return lanePoint(my, mx, getRoadNextq(d4)); }

int64_t Map::getRoadRTYX(int32_t my, int32_t mx, int32_t ty, int32_t tx) {
    return lanePoint(my, mx, getRoadNextq(ty - my, tx - mx));
}

int64_t Map::getRoadNextRYX(int32_t my, int32_t mx, int32_t d4) {
    const int32_t d = getRoadNextD4(my, mx, d4);
    return d < 0 ? -1 : getRoadRTYX(my, mx, d);
}

void Map::setRoadCrossing(int32_t my, int32_t mx, int32_t d, int32_t ci) {
    if (!isMYX(my, mx)) return;
    mapHooks().setRoadCrossing(my, mx, floorMod(d, 360) / 180, ci);
}

int64_t Map::getCrossingShortest(int32_t my, int32_t mx) {
    if (!isMYX(my, mx)) return VelJLib::toLong(-1, -1);
    const MapHooks& h = mapHooks();
    return VelJLib::toLong(h.getRoadCrossing(my, mx, 0), h.getRoadCrossing(my, mx, 1));
}

}  // namespace tetsuro
