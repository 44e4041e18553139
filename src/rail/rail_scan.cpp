#include "rail/rail_scan.h"

#include "rail/rail_search_impl.h"

namespace tetsuro::Rail::Scan {

using SearchImpl::Literal;

std::vector<int32_t> getAll_RZYX(int64_t z, int64_t y, int64_t x) {
    return SearchImpl::allRZYX<Literal>(z, y, x);
}
std::vector<int32_t> getAll_RYX(int64_t y, int64_t x) { return SearchImpl::allRYX<Literal>(y, x); }

std::vector<int32_t> getAll_StartEnd(int64_t z, int64_t y, int64_t x) {
    std::vector<int32_t> out;
    for (int32_t n = 0; n < size(); ++n) {
        if (isStart(n, z, y, x)) {
            out.push_back(n);
        } else if (isEnd(n, z, y, x)) {
            out.push_back(RailRef::make(n, true));
        }
    }
    return out;
}

std::vector<int32_t> getAll_StartEnd(int64_t y, int64_t x) {
    std::vector<int32_t> out;
    for (int32_t n = 0; n < size(); ++n) {
        if (isStart(n, y, x)) {
            out.push_back(n);
        } else if (isEnd(n, y, x)) {
            out.push_back(RailRef::make(n, true));
        }
    }
    return out;
}

std::vector<int32_t> searchRailEnd(int64_t z, int64_t y, int64_t x) {
    std::vector<int32_t> out;
    for (int32_t n = size() - 1; n >= 0; --n) {
        if (isStart(n, z, y, x)) {
            out.push_back(RailRef::make(n, true));
        } else if (isEnd(n, z, y, x)) {
            out.push_back(n);
        }
    }
    return out;
}

std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                  int64_t hi) {
    return SearchImpl::allCross<Literal>(fy, fx, ty, tx, lo, hi);
}
std::vector<int32_t> getAll_Cross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, bool point) {
    return SearchImpl::allCross<Literal>(fy, fx, ty, tx, point);
}
std::vector<int32_t> getAll_CrossZYX(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                                     int64_t tx) {
    return SearchImpl::allCrossZYX<Literal>(fz, fy, fx, tz, ty, tx);
}
std::vector<int32_t> getAll_Region(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo,
                                   int64_t hi) {
    return SearchImpl::allRegion<Literal>(fy, fx, ty, tx, lo, hi);
}
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int64_t lo, int64_t hi) {
    return SearchImpl::allM<Literal>(my, mx, lo, hi);
}
std::vector<int32_t> getAllM(int64_t my, int64_t mx, int be) {
    return SearchImpl::allMBe<Literal>(my, mx, be);
}
std::vector<int32_t> getAllR(int64_t y, int64_t x, int be) {
    return SearchImpl::allRPoint<Literal>(y, x, be);
}
std::vector<int32_t> getAllR(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int be) {
    return SearchImpl::allRRect<Literal>(fy, fx, ty, tx, be);
}

std::vector<int32_t> sectionPieces(int32_t s) {
    std::vector<int32_t> out;
    for (int32_t n = size() - 1; n >= 0; --n) {
        if (isValid(n) && m_iHS[n] == s) out.push_back(n);
    }
    return out;
}

int32_t count() {
    int32_t c = 0;
    for (int32_t n = 0; n < size(); ++n) c += isValid(n) ? 1 : 0;
    return c;
}

}  // namespace tetsuro::Rail::Scan
