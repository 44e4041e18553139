#include "support/vel_jlib_array.h"

#include <numeric>

namespace tetsuro::VelJLib {

namespace {

using IntArray = std::vector<std::int32_t>;

// Marks, for the n-tuples of a, the first occurrence of every tuple that
// occurs at least minCount times. Sorting tuple numbers stably keeps each
// group in order of appearance, so the group's first member is its first
// occurrence; this stays O(k log k) even for the odd long list.
std::vector<char> markFirstOccurrences(const IntArray& a, std::size_t n, std::size_t minCount) {
    const std::size_t k = a.size() / n;
    std::vector<std::size_t> order(k);
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto tupleLess = [&](std::size_t l, std::size_t r) {
        return std::lexicographical_compare(a.begin() + l * n, a.begin() + (l + 1) * n, a.begin() + r * n,
                                            a.begin() + (r + 1) * n);
    };
    auto tupleEqual = [&](std::size_t l, std::size_t r) {
        return std::equal(a.begin() + l * n, a.begin() + (l + 1) * n, a.begin() + r * n);
    };
    std::stable_sort(order.begin(), order.end(), tupleLess);

    std::vector<char> keep(k, 0);
    for (std::size_t g = 0; g < k;) {
        std::size_t e = g + 1;
        while (e < k && tupleEqual(order[g], order[e])) ++e;
        if (e - g >= minCount) keep[order[g]] = 1;
        g = e;
    }
    return keep;
}

IntArray collectTuples(const IntArray& a, std::size_t n, const std::vector<char>& keep) {
    IntArray r;
    for (std::size_t t = 0; t < keep.size(); ++t) {
        if (keep[t]) r.insert(r.end(), a.begin() + t * n, a.begin() + (t + 1) * n);
    }
    return r;
}

}  // namespace

IntArray eraseRepeatN(const IntArray& a, int n) {
    if (n <= 0) return {};
    const auto tuple = static_cast<std::size_t>(n);
    return collectTuples(a, tuple, markFirstOccurrences(a, tuple, 1));
}

IntArray eraseRepeat(const IntArray& a) { return eraseRepeatN(a, 1); }

IntArray eraseRepeat2(const IntArray& a) { return eraseRepeatN(a, 2); }

int getCount(const IntArray& a, std::int32_t v) { return static_cast<int>(std::count(a.begin(), a.end(), v)); }

IntArray getManyList(const IntArray& a, int cnt) {
    const std::size_t minCount = cnt > 1 ? static_cast<std::size_t>(cnt) : 1;
    return collectTuples(a, 1, markFirstOccurrences(a, 1, minCount));
}

int searchIndex(const IntArray& a, std::int32_t x) { return searchIndex(a, x, static_cast<int>(a.size())); }

int searchIndex(const IntArray& a, std::int32_t x, int s) {
    const std::size_t end = std::min(detail::clampCount(s), a.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (a[i] == x) return static_cast<int>(i);
    }
    return -1;
}

int searchIndex2(const IntArray& a, std::int32_t y, std::int32_t x) {
    if (a.empty()) return -2;
    return searchIndex2(a, y, x, static_cast<int>(a.size()));
}

int searchIndex2(const IntArray& a, std::int32_t y, std::int32_t x, int s) {
    const std::size_t end = std::min(detail::clampCount(s), a.size());
    for (std::size_t i = 0; i + 1 < end; i += 2) {
        if (a[i] == y && a[i + 1] == x) return static_cast<int>(i);
    }
    return -1;
}

int searchIndexN(const IntArray& a, const IntArray& b, int at, int n, int s) {
    if (n <= 0 || at < 0) return -1;
    const auto tuple = static_cast<std::size_t>(n);
    const auto from = static_cast<std::size_t>(at);
    if (from > b.size() || tuple > b.size() - from) return -1;
    const std::size_t end = std::min(detail::clampCount(s), a.size());
    for (std::size_t i = 0; i + tuple <= end; i += tuple) {
        if (std::equal(a.begin() + i, a.begin() + i + tuple, b.begin() + from)) return static_cast<int>(i);
    }
    return -1;
}

int searchIndexColumn(const IntArray& a, int size, int clm, std::int32_t x) {
    if (size <= 0 || clm < 0 || clm >= size) return -1;
    const auto rec = static_cast<std::size_t>(size);
    const std::size_t records = a.size() / rec;
    for (std::size_t r = 0; r < records; ++r) {
        if (a[r * rec + static_cast<std::size_t>(clm)] == x) return static_cast<int>(r);
    }
    return -1;
}

IntArray sortAry(IntArray a, int size, int clm, bool desc) {
    if (size <= 0 || clm < 0 || clm >= size) return a;
    const auto rec = static_cast<std::size_t>(size);
    const auto col = static_cast<std::size_t>(clm);
    const std::size_t records = a.size() / rec;
    std::vector<std::size_t> order(records);
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto key = [&](std::size_t r) { return a[r * rec + col]; };
    if (desc) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t l, std::size_t r) { return key(l) > key(r); });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t l, std::size_t r) { return key(l) < key(r); });
    }
    IntArray sorted;
    sorted.reserve(a.size());
    for (std::size_t r : order) sorted.insert(sorted.end(), a.begin() + r * rec, a.begin() + (r + 1) * rec);
    sorted.insert(sorted.end(), a.begin() + records * rec, a.end());  // incomplete tail record stays last
    return sorted;
}

}  // namespace tetsuro::VelJLib
