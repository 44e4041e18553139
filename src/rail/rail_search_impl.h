#pragma once
// The searches written once over a source of candidate pieces: the indexes
// (rail_search.cpp) or every slot (rail_scan.cpp).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "rail/rail_match.h"
#include "rail/rail_store.h"
#include "support/sub.h"

namespace tetsuro::Rail::SearchImpl {

// Candidates from the indexes.
struct Indexed {
    static std::vector<int32_t> near(int64_t y, int64_t x) {
        std::vector<int32_t> v = index().piecesNear(y, x);
        std::sort(v.begin(), v.end());
        return v;
    }
    static std::vector<int32_t> rect(const Match::Rect& r) {
        return index().piecesInRect(r.fy, r.fx, r.ty, r.tx, 1);
    }
    static std::vector<int32_t> along(int64_t fy, int64_t fx, int64_t ty, int64_t tx) {
        return index().piecesAlong(fy, fx, ty, tx);
    }
};

// Every slot.
struct Literal {
    static std::vector<int32_t> near(int64_t, int64_t) { return Match::allSlots(); }
    static std::vector<int32_t> rect(const Match::Rect&) { return Match::allSlots(); }
    static std::vector<int32_t> along(int64_t, int64_t, int64_t, int64_t) { return Match::allSlots(); }
};

template <class S>
std::vector<int32_t> allRZYX(int64_t z, int64_t y, int64_t x) {
    return Match::keepDescending(S::near(y, x), [&](int32_t n) { return isPointOnLine(n, z, y, x); });
}

template <class S>
std::vector<int32_t> allRYX(int64_t y, int64_t x) {
    return Match::keepDescending(S::near(y, x), [&](int32_t n) { return isPointOnLine(n, y, x); });
}

template <class S>
std::vector<int32_t> allCross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo, int64_t hi) {
    return Match::keepDescending(S::along(fy, fx, ty, tx),
                                 [&](int32_t n) { return Match::crossesAt(n, fy, fx, ty, tx, lo, hi); });
}

template <class S>
std::vector<int32_t> allCross(int64_t fy, int64_t fx, int64_t ty, int64_t tx, bool point) {
    return Match::keepDescending(S::along(fy, fx, ty, tx),
                                 [&](int32_t n) { return Match::crosses(n, fy, fx, ty, tx, point); });
}

template <class S>
std::vector<int32_t> allCrossZYX(int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty, int64_t tx) {
    if (fz != tz) return {};
    return Match::keepDescending(S::along(fy, fx, ty, tx),
                                 [&](int32_t n) { return Match::crossesLevel(n, fz, fy, fx, ty, tx); });
}

template <class S>
std::vector<int32_t> allRegion(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int64_t lo, int64_t hi) {
    Match::Rect r = Match::normalized(fy, fx, ty, tx);
    return Match::keepDescending(S::rect(r), [&](int32_t n) { return Match::passesRegion(n, r, lo, hi); });
}

template <class S>
std::vector<int32_t> allM(int64_t my, int64_t mx, int64_t lo, int64_t hi) {
    if (Sub::m_iMS <= 0) return {};
    return Match::keepDescending(S::rect(Match::meshRect(my, mx, Sub::m_iMS)),
                                 [&](int32_t n) { return Match::passesMesh(n, my, mx, lo, hi); });
}

template <class S>
std::vector<int32_t> allMBe(int64_t my, int64_t mx, int be) {
    if (Sub::m_iMS <= 0) return {};
    return Match::keepDescending(S::rect(Match::meshRect(my, mx, Sub::m_iMS)),
                                 [&](int32_t n) { return Match::passesMeshBe(n, my, mx, be); });
}

template <class S>
std::vector<int32_t> allRPoint(int64_t y, int64_t x, int be) {
    return Match::keepDescending(S::near(y, x),
                                 [&](int32_t n) { return getElevated(n) == be && isPointOnLine(n, y, x); });
}

template <class S>
std::vector<int32_t> allRRect(int64_t fy, int64_t fx, int64_t ty, int64_t tx, int be) {
    Match::Rect r = Match::normalized(fy, fx, ty, tx);
    return Match::keepDescending(S::rect(r),
                                 [&](int32_t n) { return getElevated(n) == be && Match::touchesRect(n, r); });
}

}  // namespace tetsuro::Rail::SearchImpl
