#include "rail/bunki.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_map>

#include "rail/rail_connect.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "rail/slot_pool.h"
#include "support/int_math.h"
#include "support/sub.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::Bunki {

namespace {

SlotPool g_pool;
int32_t g_diaCount = 0;
// Point -> switch, for the per-train-event route look-up.
std::unordered_map<RailPoint, int32_t, RailPointHash> g_at;

constexpr int kBranchMax = 47;

bool fitsHeight(int64_t z) {
    return z >= std::numeric_limits<int16_t>::min() && z <= std::numeric_limits<int16_t>::max();
}

RailPoint pointOf(int32_t n) { return RailPoint{m_z[n], m_y[n], m_x[n]}; }

void resizeArrays(size_t s) {
    m_z.resize(s, 0);
    m_y.resize(s, -1);
    m_x.resize(s, -1);
    m_my.resize(s, 0);
    m_mx.resize(s, 0);
    m_sbaDia.resize(s * static_cast<size_t>(diaCount()), 0);
}

}  // namespace

int32_t diaCount() {
    if (g_diaCount <= 0) g_diaCount = std::max<int32_t>(1, railHooks().diaCount());
    return g_diaCount;
}

int32_t addIndex() { return g_pool.peek(m_max); }

int32_t add(int64_t z, int64_t y, int64_t x, double d) {
    if (!fitsHeight(z) || y < 0 || x < 0 || y > INT32_MAX || x > INT32_MAX) return -1;
    if (searchIndex(z, y, x) >= 0) return -1;
    int32_t n = g_pool.acquire(m_max);
    if (n < 0) return -1;
    if (n >= size()) resizeArrays(static_cast<size_t>(n) + 1);
    RailPoint p{static_cast<int32_t>(z), static_cast<int32_t>(y), static_cast<int32_t>(x)};
    m_z[n] = static_cast<int16_t>(p.z);
    m_y[n] = p.y;
    m_x[n] = p.x;
    std::fill_n(m_sbaDia.begin() + static_cast<std::ptrdiff_t>(n) * diaCount(), diaCount(), int8_t{0});
    // The switch is shown half a mesh from the point, away along the branch
    // or, when the branch runs along one of the first two pieces there, along
    // the other of the two.
    double a = d;
    auto through = Rail::getAll_RZYX(z, y, x);
    if (through.size() >= 2) {
        for (int i = 0; i < 2; ++i) {
            if (VelJLib::diffAngle90(d, Rail::getAngleYX360f(through[i])) < 1e-9) {
                a = Rail::getAngleYX360f(through[1 - i], y, x);
                break;
            }
        }
    }
    const double ms = Sub::m_iMS > 0 ? Sub::m_iMS : 1;
    const double rad = a * std::numbers::pi / 180.0;
    m_my[n] = saturate<int16_t>(std::floor((static_cast<double>(y) + std::sin(rad) * ms / 2) / ms));
    m_mx[n] = saturate<int16_t>(std::floor((static_cast<double>(x) + std::cos(rad) * ms / 2) / ms));
    g_at.emplace(p, n);
    return n;
}

bool isSet(int64_t z, int64_t y, int64_t x, double d, int64_t w, int64_t v) {
    if (searchIndex(z, y, x) >= 0) return false;
    auto through = Rail::getAll_RZYX(z, y, x);
    if (through.empty()) return false;
    if (through.size() == 1 && Rail::isStartEnd(through[0], z, y, x)) return false;
    bool qualified = false;
    for (int32_t n : through) {
        double diff = VelJLib::diffAngle90(d, Rail::getAngleYX360f(n));
        if (diff <= 0 || diff > kBranchMax) continue;
        if (Rail::isPointOnLine(n, w, v) || railHooks().hasPlatformBuilding(n)) return false;
        qualified = true;
    }
    return qualified;
}

bool remove(int64_t z, int64_t y, int64_t x) {
    int32_t n = searchIndex(z, y, x);
    if (n < 0) return false;
    g_at.erase(pointOf(n));
    m_y[n] = -1;
    m_x[n] = -1;
    g_pool.release(n);
    return true;
}

void remove_rail(int32_t ri) {
    if (!Rail::isValidRef(ri)) return;
    RailPoint s = Rail::startPoint(ri);
    RailPoint e = Rail::endPoint(ri);
    remove(s.z, s.y, s.x);
    remove(e.z, e.y, e.x);
}

int32_t searchIndex(int64_t z, int64_t y, int64_t x) {
    if (!fitsHeight(z) || y < INT32_MIN || y > INT32_MAX || x < INT32_MIN || x > INT32_MAX) return -1;
    auto it = g_at.find(RailPoint{static_cast<int32_t>(z), static_cast<int32_t>(y), static_cast<int32_t>(x)});
    return it == g_at.end() ? -1 : it->second;
}

int32_t searchIndexRZYX(const std::vector<int32_t>& zyx) {
    if (zyx.size() < 3) return -1;
    return searchIndex(zyx[0], zyx[1], zyx[2]);
}

std::vector<int32_t> searchIndex(int64_t y, int64_t x) {
    std::vector<int32_t> out;
    for (int32_t n = 0; n < size(); ++n) {
        if (isValid(n) && m_y[n] == y && m_x[n] == x) out.push_back(n);
    }
    return out;
}

std::vector<int32_t> searchIndex(const std::vector<int32_t>& yx) {
    if (yx.size() < 2) return {};
    return searchIndex(yx[0], yx[1]);
}

int32_t searchIndex_be(int64_t y, int64_t x, int be) {
    for (int32_t n : searchIndex(y, x)) {
        if ((isElevated(n) ? 1 : 0) == be) return n;
    }
    return -1;
}

std::vector<int32_t> searchIndex_myx(int64_t my, int64_t mx) {
    std::vector<int32_t> out;
    for (int32_t n = 0; n < size(); ++n) {
        if (isValid(n) && m_my[n] == my && m_mx[n] == mx) out.push_back(n);
    }
    return out;
}

int32_t getDia(int32_t n, int32_t dt) {
    if (!isValid(n) || dt < 0 || dt >= diaCount()) return -1;
    return m_sbaDia[static_cast<size_t>(n) * diaCount() + dt];
}

bool setDia(int32_t n, int32_t dt, int32_t v) {
    if (!isValid(n) || dt < 0 || dt >= diaCount()) return false;
    m_sbaDia[static_cast<size_t>(n) * diaCount() + dt] = static_cast<int8_t>(v);
    return true;
}

bool isStraight(int32_t n, int32_t dt) { return (getDia(n, dt) & 1) == 0; }

bool isStraight(int32_t n) { return isStraight(n, railHooks().diaIndex()); }

bool isStraight_rail(int32_t r) {
    if (!Rail::isValidRef(r)) return false;
    RailPoint e = Rail::endPoint(r);
    return isStraight(searchIndex(e.z, e.y, e.x));
}

int32_t getRailConnect(int32_t r) {
    int32_t c0 = Rail::getConnect(r, 0);
    if (c0 < 0) return -1;
    int32_t c1 = Rail::getConnect(r, 1);
    if (c1 < 0) return c0;
    RailPoint e = Rail::endPoint(r);
    int32_t sw = searchIndex(e.z, e.y, e.x);
    if (sw < 0) return c1;
    return isStraight(sw) ? c0 : c1;
}

bool copyDia(int32_t n, std::vector<int8_t>& buf) {
    if (!isValid(n)) return false;
    auto b = m_sbaDia.begin() + static_cast<std::ptrdiff_t>(n) * diaCount();
    buf.assign(b, b + diaCount());
    return true;
}

bool pasteDia(int32_t n, const std::vector<int8_t>& buf) {
    if (!isValid(n) || buf.size() != static_cast<size_t>(diaCount())) return false;
    // Running reads bit 0 only; a clipboard filled from a file may hold more.
    std::transform(buf.begin(), buf.end(), m_sbaDia.begin() + static_cast<std::ptrdiff_t>(n) * diaCount(),
                   [](int8_t b) { return static_cast<int8_t>(b & 1); });
    return true;
}

bool isValid(int32_t n) { return n >= 0 && n < size() && m_y[n] != -1; }
bool isElevated(int32_t n) { return isValid(n) && m_z[n] != 0; }
int32_t size() { return static_cast<int32_t>(m_y.size()); }
int32_t count() { return g_pool.count(); }

void init(int32_t m) {
    reset();
    m_max = std::max<int32_t>(0, m);
}

bool resize(int32_t n) {
    if (n < 0) return false;
    resizeArrays(static_cast<size_t>(n));
    afterLoad();
    return true;
}

size_t pointHashSize() { return g_at.size(); }

void reset() {
    m_z.clear();
    m_y.clear();
    m_x.clear();
    m_my.clear();
    m_mx.clear();
    m_sbaDia.clear();
    m_max = kDefaultMax;
    g_pool.reset();
    g_at.clear();
    g_diaCount = 0;
}

void afterLoad() {
    size_t s = std::min({m_z.size(), m_y.size(), m_x.size(), m_my.size(), m_mx.size()});
    resizeArrays(s);
    m_z.resize(s);
    m_y.resize(s);
    m_x.resize(s);
    m_my.resize(s);
    m_mx.resize(s);
    g_at.clear();
    for (int32_t n = 0; n < size(); ++n) {
        if (m_y[n] < 0) {
            m_y[n] = -1;
            continue;
        }
        if (!g_at.emplace(pointOf(n), n).second) m_y[n] = -1;
    }
    g_pool.rebuild(size(), [](int32_t n) { return m_y[n] != -1; });
}

}  // namespace tetsuro::Bunki
