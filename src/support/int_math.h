#pragma once
// Integer helpers shared by the whole game: division that rounds toward
// negative infinity (map coordinates go negative just off the map, and a
// truncating division would fold -0.5 meshes onto mesh 0), and narrowing
// casts that clamp instead of wrapping.
#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

namespace tetsuro {

// 128-bit intermediates for products of 64-bit coordinates.
__extension__ typedef __int128 int128_t;
__extension__ typedef unsigned __int128 uint128_t;

// a ÷ b rounded toward negative infinity. b must not be 0. The one quotient
// that does not fit (minimum ÷ -1) saturates to the maximum.
template <std::integral T>
constexpr T floorDiv(T a, T b) {
    if constexpr (std::is_signed_v<T>) {
        if (b == -1) {
            return a == std::numeric_limits<T>::min() ? std::numeric_limits<T>::max() : T(-a);
        }
    }
    T q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

// a ÷ b rounded toward positive infinity. b must not be 0.
template <std::integral T>
constexpr T ceilDiv(T a, T b) {
    if constexpr (std::is_signed_v<T>) {
        if (b == -1) {
            return a == std::numeric_limits<T>::min() ? std::numeric_limits<T>::max() : T(-a);
        }
    }
    T q = a / b;
    if (a % b != 0 && ((a < 0) == (b < 0))) ++q;
    return q;
}

// The remainder that goes with floorDiv: it has the sign of b (0 <= r < b
// for positive b). b must not be 0.
template <std::integral T>
constexpr T floorMod(T a, T b) {
    if constexpr (std::is_signed_v<T>) {
        if (b == -1) return 0;
    }
    T r = a % b;
    if (r != 0 && ((r < 0) != (b < 0))) r += b;
    return r;
}

// Narrowing that clamps to the target's range. From a floating value the
// fraction is truncated (as a cast would) and NaN gives 0.
template <std::integral To, class From>
    requires(std::is_arithmetic_v<From> && !std::is_same_v<From, int128_t> &&
             !std::is_same_v<From, uint128_t>)
constexpr To saturate(From v) {
    constexpr To lo = std::numeric_limits<To>::min();
    constexpr To hi = std::numeric_limits<To>::max();
    if constexpr (std::is_floating_point_v<From>) {
        if (v != v) return 0;
        // The bounds are powers of two (or one less); as floats they round to
        // 2^k, so ">=" catches everything that would not fit.
        if (v <= static_cast<From>(lo)) return lo;
        if (v >= static_cast<From>(hi)) return hi;
        return static_cast<To>(v);
    } else {
        if (std::cmp_less(v, lo)) return lo;
        if (std::cmp_greater(v, hi)) return hi;
        return static_cast<To>(v);
    }
}

// The same for a 128-bit intermediate.
template <std::integral To>
constexpr To saturate(int128_t v) {
    constexpr To lo = std::numeric_limits<To>::min();
    constexpr To hi = std::numeric_limits<To>::max();
    if (v < static_cast<int128_t>(lo)) return lo;
    if (v > static_cast<int128_t>(hi)) return hi;
    return static_cast<To>(v);
}

}  // namespace tetsuro
