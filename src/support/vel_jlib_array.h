#pragma once
// Array utilities of VelJLib: resizing, appending, searching and sorting the
// game's growable arrays.
//
// Arrays are std::vector<T> by value and "null" is the empty vector, so a
// null array and a zero-length one are the same thing here. Every function
// that "returns a new array" leaves its arguments untouched; the overloads
// taking an rvalue reuse the caller's buffer instead, which turns the game's
// `a = arrayadd(std::move(a), v)` growth pattern into amortised O(1) per
// element instead of a full copy per element.
//
// Counts and indices are int, as in the game code. Out-of-range arguments
// never touch memory outside an array: counts below zero give an empty array,
// starts and lengths are clamped to the data that exists.

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace tetsuro::VelJLib {

namespace detail {

// Element conversion for slices copied across element types: floats into an
// integer array truncate toward zero and saturate (NaN gives 0), so an
// out-of-range value cannot produce undefined behaviour.
template <class T, class U>
constexpr T convertElement(U u) {
    if constexpr (std::is_integral_v<T> && std::is_floating_point_v<U>) {
        if (u != u) return T{0};
        if (u <= static_cast<U>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
        if (u >= static_cast<U>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
        return static_cast<T>(u);
    } else {
        return static_cast<T>(u);
    }
}

template <class T, class... V>
concept AppendableValues =
    sizeof...(V) >= 1 && sizeof...(V) <= 4 && (std::convertible_to<const V&, T> && ...);

inline std::size_t clampCount(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

}  // namespace detail

// ---- resizing -------------------------------------------------------------

// New array of n elements: the first min(n, src length) copied, the rest
// value-initialised (zero, null). n <= 0 gives null.
template <class T>
[[nodiscard]] std::vector<T> arrayresize(const std::vector<T>& src, int n) {
    const std::size_t count = detail::clampCount(n);
    std::vector<T> r;
    r.reserve(count);
    const std::size_t keep = std::min(count, src.size());
    r.assign(src.begin(), src.begin() + static_cast<std::ptrdiff_t>(keep));
    r.resize(count);
    return r;
}

// Same, reusing the caller's buffer (grows geometrically when called
// repeatedly with n + 1).
template <class T>
[[nodiscard]] std::vector<T> arrayresize(std::vector<T>&& src, int n) {
    src.resize(detail::clampCount(n));
    return std::move(src);
}

// As arrayresize, but every element beyond the copied ones holds v. When the
// new array cannot be allocated the result is null and the source is left
// as it was; the caller decides what to tell the player.
template <class T>
[[nodiscard]] std::vector<T> arrayresize(const std::vector<T>& src, int n, std::type_identity_t<T> v) {
    try {
        const std::size_t count = detail::clampCount(n);
        std::vector<T> r;
        r.reserve(count);
        const std::size_t keep = std::min(count, src.size());
        r.assign(src.begin(), src.begin() + static_cast<std::ptrdiff_t>(keep));
        r.resize(count, v);
        return r;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

template <class T>
[[nodiscard]] std::vector<T> arrayresize(std::vector<T>&& src, int n, std::type_identity_t<T> v) {
    try {
        src.resize(detail::clampCount(n), v);  // strong guarantee: src intact on failure
        return std::move(src);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

// New array of n elements copied from src starting at `at`; elements past the
// end of src (or a start outside it) leave zeros. Null when the array cannot
// be allocated.
template <class T>
[[nodiscard]] std::vector<T> arrayresize_idx(const std::vector<T>& src, int at, int n) {
    try {
        const std::size_t count = detail::clampCount(n);
        std::vector<T> r(count);
        const std::size_t from = std::min(detail::clampCount(at), src.size());
        const std::size_t take = std::min(count, src.size() - from);
        std::copy_n(src.begin() + static_cast<std::ptrdiff_t>(from), take, r.begin());
        return r;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

// ---- appending ------------------------------------------------------------

// The array (null counts as empty) with one to four values appended in order.
template <class T, class... V>
    requires detail::AppendableValues<T, V...>
[[nodiscard]] std::vector<T> arrayadd(const std::vector<T>& a, const V&... v) {
    std::vector<T> r;
    r.reserve(a.size() + sizeof...(V));
    r.insert(r.end(), a.begin(), a.end());
    (r.push_back(static_cast<T>(v)), ...);
    return r;
}

template <class T, class... V>
    requires detail::AppendableValues<T, V...>
[[nodiscard]] std::vector<T> arrayadd(std::vector<T>&& a, const V&... v) {
    (a.push_back(static_cast<T>(v)), ...);
    return std::move(a);
}

// a followed by b. With value arrays "returning the other one itself" when one
// side is null is simply a copy of it; both null give null.
template <class T>
[[nodiscard]] std::vector<T> arrayadd(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    std::vector<T> r;
    r.reserve(a.size() + b.size());
    r.insert(r.end(), a.begin(), a.end());
    r.insert(r.end(), b.begin(), b.end());
    return r;
}

template <class T>
[[nodiscard]] std::vector<T> arrayadd(std::vector<T>&& a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return std::move(a);
}

// a followed by len elements of b from `at`, converted to a's element type
// (floats truncated toward zero for an integer target). Only elements that
// exist in b are taken.
template <class T, class U>
[[nodiscard]] std::vector<T> arrayadd(const std::vector<T>& a, const std::vector<U>& b, int at, int len) {
    const std::size_t from = std::min(detail::clampCount(at), b.size());
    const std::size_t take = std::min(detail::clampCount(len), b.size() - from);
    std::vector<T> r;
    r.reserve(a.size() + take);
    r.insert(r.end(), a.begin(), a.end());
    for (std::size_t i = 0; i < take; ++i) r.push_back(detail::convertElement<T>(b[from + i]));
    return r;
}

// ---- jagged arrays (arrays of rows) ---------------------------------------
// Rows are values, so copying the row array copies every row; a null row is
// an empty row and stays empty.

template <class Row>
[[nodiscard]] std::vector<Row> jagresize(const std::vector<Row>& src, int n) {
    return arrayresize(src, n);
}

template <class Row>
[[nodiscard]] std::vector<Row> jagcopy(const std::vector<Row>& src) {
    return src;
}

// The row array with one more row (a copy of `row`) at the end.
template <class Row>
[[nodiscard]] std::vector<Row> jagadd(const std::vector<Row>& a, const Row& row) {
    return arrayadd(a, row);
}

// ---- in place -------------------------------------------------------------

// Reverses a in place and returns it.
template <class T>
std::vector<T>& arrayreverse(std::vector<T>& a) {
    std::reverse(a.begin(), a.end());
    return a;
}

template <class T>
void ArraysFill(std::vector<T>& a, std::type_identity_t<T> v) {
    std::fill(a.begin(), a.end(), v);
}

template <class T>
void fillArray(std::vector<T>& a, std::type_identity_t<T> v) {
    std::fill(a.begin(), a.end(), v);
}

// ---- 32-bit integer lists -------------------------------------------------
// Small lists (nearby rails, stations, passengers). Results keep the order of
// first occurrence. A trailing incomplete tuple or record is ignored by the
// tuple forms.

// Values in order of first occurrence, duplicates dropped.
[[nodiscard]] std::vector<std::int32_t> eraseRepeat(const std::vector<std::int32_t>& a);
// The same on (y, x) pairs.
[[nodiscard]] std::vector<std::int32_t> eraseRepeat2(const std::vector<std::int32_t>& a);
// The same on n-tuples; n <= 0 gives null.
[[nodiscard]] std::vector<std::int32_t> eraseRepeatN(const std::vector<std::int32_t>& a, int n);

// Occurrences of v.
[[nodiscard]] int getCount(const std::vector<std::int32_t>& a, std::int32_t v);

// Each value that occurs at least cnt times, once, in order of first
// occurrence.
[[nodiscard]] std::vector<std::int32_t> getManyList(const std::vector<std::int32_t>& a, int cnt);

// First index below s (clamped to the length) holding x, else -1.
[[nodiscard]] int searchIndex(const std::vector<std::int32_t>& a, std::int32_t x);
[[nodiscard]] int searchIndex(const std::vector<std::int32_t>& a, std::int32_t x, int s);

// First even index i with a[i] == y and a[i + 1] == x, both below s, else -1.
// The form without s returns -2 for a null (empty) array.
[[nodiscard]] int searchIndex2(const std::vector<std::int32_t>& a, std::int32_t y, std::int32_t x);
[[nodiscard]] int searchIndex2(const std::vector<std::int32_t>& a, std::int32_t y, std::int32_t x, int s);

// First index i (a multiple of n) whose tuple a[i..i+n) lies below s and
// equals b[at..at+n), else -1. -1 also when b has no such tuple or n <= 0.
[[nodiscard]] int searchIndexN(const std::vector<std::int32_t>& a, const std::vector<std::int32_t>& b, int at,
                               int n, int s);

// Record number r (not the element index) whose element r * size + clm
// equals x, else -1.
[[nodiscard]] int searchIndexColumn(const std::vector<std::int32_t>& a, int size, int clm, std::int32_t x);

// Records of `size` elements ordered by their element `clm`, ascending, or
// descending when desc; equal keys keep their order. An invalid size or
// column returns the array unchanged.
[[nodiscard]] std::vector<std::int32_t> sortAry(std::vector<std::int32_t> a, int size, int clm, bool desc);

// ---- packed (y, x) pair -----------------------------------------------------
// Two 32-bit values in one 64-bit value: `low` in the low half, `high` in the
// high half. The low value is widened with its sign before it is combined,
// so a negative low value sets every bit of the high half; callers only pack
// non-negative low values.

[[nodiscard]] constexpr std::int64_t toLong(std::int32_t low, std::int32_t high) {
    const std::uint64_t lo = static_cast<std::uint64_t>(static_cast<std::int64_t>(low));
    const std::uint64_t hi = static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32;
    return static_cast<std::int64_t>(hi | lo);
}

// The low half (idx 0) or the high half (any other idx).
[[nodiscard]] constexpr std::int32_t toInt(std::int64_t v, int idx) {
    const std::uint64_t u = static_cast<std::uint64_t>(v);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(idx == 0 ? u : u >> 32));
}

// Adds a to one half (wrapping within 32 bits) and packs again.
[[nodiscard]] constexpr std::int64_t addInt(std::int64_t v, int idx, std::int32_t a) {
    auto add = [](std::int32_t x, std::int32_t y) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(y));
    };
    const std::int32_t lo = toInt(v, 0);
    const std::int32_t hi = toInt(v, 1);
    return idx == 0 ? toLong(add(lo, a), hi) : toLong(lo, add(hi, a));
}

}  // namespace tetsuro::VelJLib
