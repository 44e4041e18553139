#include "rail/antenna.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "rail/slot_pool.h"

namespace tetsuro::Antenna {

namespace {

constexpr int32_t kMaxSlots = std::numeric_limits<int32_t>::max();
SlotPool g_pool;
std::unordered_map<RailPoint, int32_t, RailPointHash> g_at;

bool fitsHeight(int64_t z) {
    return z >= std::numeric_limits<int16_t>::min() && z <= std::numeric_limits<int16_t>::max();
}

bool fitsPlan(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

}  // namespace

AddResult add(int t, int64_t z, int64_t y, int64_t x) {
    if (t < 0 || t > 3 || !fitsHeight(z) || !fitsPlan(y) || !fitsPlan(x)) return {};
    RailPoint p{static_cast<int32_t>(z), static_cast<int32_t>(y), static_cast<int32_t>(x)};
    auto it = g_at.find(p);
    if (it != g_at.end()) return {AddStatus::Exists, it->second, false};
    int32_t n = g_pool.acquire(kMaxSlots);
    if (n < 0) return {};
    if (n >= size()) {
        size_t s = static_cast<size_t>(n) + 1;
        m_t.resize(s, -1);
        m_z.resize(s, 0);
        m_y.resize(s, 0);
        m_x.resize(s, 0);
    }
    m_t[n] = static_cast<int8_t>(t);
    m_z[n] = static_cast<int16_t>(p.z);
    m_y[n] = p.y;
    m_x[n] = p.x;
    g_at.emplace(p, n);
    return {AddStatus::Created, n, true};
}

bool remove(int32_t n) {
    if (!isValid(n)) return false;
    g_at.erase(point(n));
    m_t[n] = -1;
    g_pool.release(n);
    return true;
}

bool remove(int64_t z, int64_t y, int64_t x) { return remove(searchIndex(z, y, x)); }
bool remove(const RailPoint& p) { return remove(searchIndex(p)); }

int32_t move(const RailPoint& f, const RailPoint& t) {
    int32_t n = searchIndex(f);
    if (n < 0) return -1;
    if (m_t[n] != 0) return -2;
    int32_t m = searchIndex(t);
    if (m >= 0) {
        remove(n);
        if (m_t[m] == 0) remove(m);
        return -3;
    }
    g_at.erase(f);
    m_z[n] = static_cast<int16_t>(t.z);
    m_y[n] = t.y;
    m_x[n] = t.x;
    g_at.emplace(t, n);
    return n;
}

int32_t searchIndex(const RailPoint& p) {
    auto it = g_at.find(p);
    return it == g_at.end() ? -1 : it->second;
}

int32_t searchIndex(int64_t z, int64_t y, int64_t x) {
    if (!fitsHeight(z) || !fitsPlan(y) || !fitsPlan(x)) return -1;
    return searchIndex(RailPoint{static_cast<int32_t>(z), static_cast<int32_t>(y), static_cast<int32_t>(x)});
}

int getType(int32_t n) { return isValid(n) ? m_t[n] : -1; }
int getType(int64_t z, int64_t y, int64_t x) { return getType(searchIndex(z, y, x)); }

bool setType(int32_t n, int t) {
    if (!isValid(n) || t < 0 || t > 3) return false;
    m_t[n] = static_cast<int8_t>(t);
    return true;
}

bool isValid(int32_t n) { return n >= 0 && n < size() && m_t[n] >= 0; }
bool isElevated(int32_t n) { return isValid(n) && m_z[n] != 0; }
RailPoint point(int32_t n) { return RailPoint{m_z[n], m_y[n], m_x[n]}; }

int32_t size() { return static_cast<int32_t>(m_t.size()); }
int32_t count() { return g_pool.count(); }

bool resize(int32_t n) {
    if (n < 0) return false;
    size_t s = static_cast<size_t>(n);
    m_t.resize(s, -1);
    m_z.resize(s, 0);
    m_y.resize(s, 0);
    m_x.resize(s, 0);
    afterLoad();
    return true;
}

size_t pointHashSize() { return g_at.size(); }

void reset() {
    m_t.clear();
    m_z.clear();
    m_y.clear();
    m_x.clear();
    g_pool.reset();
    g_at.clear();
}

void afterLoad() {
    size_t s = std::min({m_t.size(), m_z.size(), m_y.size(), m_x.size()});
    m_t.resize(s);
    m_z.resize(s);
    m_y.resize(s);
    m_x.resize(s);
    g_at.clear();
    for (int32_t n = 0; n < size(); ++n) {
        if (m_t[n] < 0) {
            m_t[n] = -1;
            continue;
        }
        if (m_t[n] > 3 || !g_at.emplace(point(n), n).second) m_t[n] = -1;
    }
    g_pool.rebuild(size(), [](int32_t n) { return m_t[n] >= 0; });
}

}  // namespace tetsuro::Antenna
