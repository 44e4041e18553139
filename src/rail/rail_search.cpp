#include "rail/rail_search.h"

#include "rail/rail_search_impl.h"
#include "rail/rail_topology.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::Rail {

using SearchImpl::Indexed;

namespace {

int32_t endZ(int32_t leaving) {
    int32_t n = RailRef::index(leaving);
    return RailRef::isReversed(leaving) ? m_iTZ[n] : m_iFZ[n];
}

std::array<int64_t, 2> reduced(int64_t y, int64_t x) {
    int64_t g = VelJLib::getGCD(y, x);
    return {y / g, x / g};
}

}  // namespace

std::vector<int32_t> getAll_RZYX(int64_t z, int64_t y, int64_t x) {
    return SearchImpl::allRZYX<Indexed>(z, y, x);
}

std::vector<int32_t> getAll_RYX(int64_t y, int64_t x) { return SearchImpl::allRYX<Indexed>(y, x); }

std::vector<int32_t> getAll_StartEnd(int64_t z, int64_t y, int64_t x) {
    std::vector<int32_t> out;
    for (int32_t ref : index().endsAt(y, x)) {
        if (endZ(ref) == z) out.push_back(ref);
    }
    return out;
}

std::vector<int32_t> getAll_StartEnd(int64_t y, int64_t x) { return index().endsAt(y, x); }

std::vector<int32_t> searchRailEnd(int64_t z, int64_t y, int64_t x) {
    const auto& ends = index().endsAt(y, x);
    std::vector<int32_t> out;
    for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
        if (endZ(*it) == z) out.push_back(RailRef::flip(*it));
    }
    return out;
}

int32_t searchNext(int32_t r) {
    if (!isValidRef(r)) return -2;
    RailPoint e = endPoint(r);
    int32_t other = -2;
    int found = 0;
    for (int32_t ref : index().endsAt(e.y, e.x)) {
        if (endZ(ref) != e.z) continue;
        ++found;
        if (RailRef::index(ref) != RailRef::index(r)) other = RailRef::flip(ref);
    }
    if (found <= 1) return -2;
    if (found == 2) return other;
    return -1;
}

int32_t searchIndex(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty, int64_t tx) {
    for (int32_t n : getAll_RZYX(fz, fy, fx)) {
        if (isPointOnLine(n, tz, ty, tx)) return n;
    }
    return -1;
}

int32_t getIndex(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty, int64_t tx) {
    int32_t n = searchIndex(fz, fy, fx, tz, ty, tx);
    if (n < 0) return -1;
    auto v = getVectorYX(n);
    if (v[0] * (ty - fy) + v[1] * (tx - fx) < 0) reverse(n);
    return n;
}

std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                  int64_t hi) {
    return SearchImpl::allCross<Indexed>(fy, fx, ty, tx, lo, hi);
}
std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, bool point) {
    return SearchImpl::allCross<Indexed>(fy, fx, ty, tx, point);
}
std::vector<int32_t> getAll_CrossZYX(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                                     int64_t tx) {
    return SearchImpl::allCrossZYX<Indexed>(fz, fy, fx, tz, ty, tx);
}
std::vector<int32_t> getAll_Region(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                   int64_t hi) {
    return SearchImpl::allRegion<Indexed>(fy, fx, ty, tx, lo, hi);
}
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int64_t lo, int64_t hi) {
    return SearchImpl::allM<Indexed>(my, mx, lo, hi);
}
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int be) {
    return SearchImpl::allMBe<Indexed>(my, mx, be);
}
std::vector<int32_t> getAllR(int64_t y, int64_t x, int be) {
    return SearchImpl::allRPoint<Indexed>(y, x, be);
}
std::vector<int32_t> getAllR(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int be) {
    return SearchImpl::allRRect<Indexed>(fy, fx, ty, tx, be);
}

std::vector<int64_t> getAllDVYX(int64_t z, int64_t y, int64_t x) {
    std::vector<int64_t> out;
    auto addDir = [&](int64_t dy, int64_t dx) {
        for (size_t i = 0; i < out.size(); i += 2) {
            if (out[i] == dy && out[i + 1] == dx) return;
        }
        out.push_back(dy);
        out.push_back(dx);
    };
    for (int32_t n : getAll_RZYX(z, y, x)) {
        auto v = getVectorYX(n);
        auto d = reduced(v[0], v[1]);
        if (isStart(n, y, x)) {
            addDir(d[0], d[1]);
        } else if (isEnd(n, y, x)) {
            addDir(-d[0], -d[1]);
        } else {
            addDir(d[0], d[1]);
            addDir(-d[0], -d[1]);
        }
    }
    return out;
}

namespace {

int32_t firstByDirection(const std::vector<int32_t>& pieces, int64_t w, int64_t v) {
    if (w == 0 && v == 0) return -1;
    auto want = reduced(w, v);
    for (int32_t n : pieces) {
        auto pv = getVectorYX(n);
        auto d = reduced(pv[0], pv[1]);
        if (d == want) return RailRef::make(n, true);
        if (d[0] == -want[0] && d[1] == -want[1]) return n;
    }
    return -1;
}

}  // namespace

int32_t getRB_ryxwv(int64_t y, int64_t x, int64_t w, int64_t v) {
    return firstByDirection(getAll_RYX(y, x), w, v);
}

int32_t getRB_rzyxwv(int64_t z, int64_t y, int64_t x, int64_t w, int64_t v) {
    return firstByDirection(getAll_RZYX(z, y, x), w, v);
}

}  // namespace tetsuro::Rail
