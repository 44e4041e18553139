#include "rail/rail_connect.h"

#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::Rail {

namespace {

constexpr int kBranchAngle = 48;  // successors lie strictly below this

size_t slotOf(int32_t r, int i) {
    return static_cast<size_t>(RailRef::index(r)) * 4 + (RailRef::isReversed(r) ? 2 : 0) +
           static_cast<size_t>(i);
}

}  // namespace

std::array<int32_t, 2> computeConnect(int32_t r) {
    std::array<int32_t, 2> out{-1, -1};
    if (!isValidRef(r)) return out;
    const int32_t self = RailRef::index(r);
    const RailPoint e = endPoint(r);
    int others = 0;
    int32_t only = -1;
    for (int32_t k : getAll_StartEnd(e.z, e.y, e.x)) {
        if (RailRef::index(k) == self) continue;
        ++others;
        only = k;
    }
    if (others == 0) return out;
    if (others == 1) {
        out[0] = only;
        return out;
    }
    const int a = getAngleYX360(r);
    int d0 = 0, d1 = 0;
    for (int32_t k : getAll_StartEnd(e.z, e.y, e.x)) {
        if (RailRef::index(k) == self) continue;
        int d = VelJLib::diffAngle360(a, getAngleYX360(k));
        if (d >= kBranchAngle) continue;
        if (out[0] < 0 || d < d0) {
            out[1] = out[0];
            d1 = d0;
            out[0] = k;
            d0 = d;
        } else if (out[1] < 0 || d < d1) {
            out[1] = k;
            d1 = d;
        }
    }
    return out;
}

int32_t getConnect(int32_t r, int i) {
    if (!isValidRef(r) || i < 0 || i > 1) return -1;
    size_t s = slotOf(r, i);
    if (m_ia4Con[s] == -2) renewConnect(r);
    return m_ia4Con[s];
}

bool setConnect(int32_t r, int i, int32_t v) {
    if (!isValidRef(r) || i < 0 || i > 1) return false;
    m_ia4Con[slotOf(r, i)] = v;
    return true;
}

void renewConnect(int32_t r) {
    if (!isValidRef(r)) return;
    auto c = computeConnect(r);
    m_ia4Con[slotOf(r, 0)] = c[0];
    m_ia4Con[slotOf(r, 1)] = c[1];
}

void renewConnect(int32_t n, bool b) { renewConnect(RailRef::make(n, b)); }

void renewConnect(int64_t z, int64_t y, int64_t x) {
    for (int32_t r : searchRailEnd(z, y, x)) renewConnect(r);
}

bool isStop(int32_t r) { return getConnect(r, 0) < 0; }

bool isStopForm(int32_t fo) {
    for (int32_t p : railHooks().platformPieces(fo)) {
        if (!isValidRef(p)) continue;
        if (isStop(p) || isStop(RailRef::flip(p))) return true;
    }
    return false;
}

void invalidateConnectAt(int64_t y, int64_t x) {
    for (int32_t leaving : index().endsAt(y, x)) {
        int32_t arriving = RailRef::flip(leaving);
        m_ia4Con[slotOf(arriving, 0)] = -2;
        m_ia4Con[slotOf(arriving, 1)] = -2;
    }
}

}  // namespace tetsuro::Rail
