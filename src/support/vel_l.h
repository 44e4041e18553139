#pragma once
// Byte order and powers of two of VelL.

#include <concepts>
#include <cstdint>
#include <type_traits>

namespace tetsuro::VelL {

// Reverse the byte order of a 16-, 32- or 64-bit value (any integer type of
// that size, signed or not). Every multi-byte value in the game's files is
// big-endian and the data streams run each value through this, so it stays
// inline; compilers turn the shifts into one byte-swap instruction.
template <std::integral T>
    requires(sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8)
[[nodiscard]] constexpr T swapHighLow(T v) {
    using U = std::make_unsigned_t<T>;
    const U u = static_cast<U>(v);
    if constexpr (sizeof(T) == 2) {
        return static_cast<T>(static_cast<U>((u >> 8) | (u << 8)));
    } else if constexpr (sizeof(T) == 4) {
        return static_cast<T>(((u & 0x000000FFu) << 24) | ((u & 0x0000FF00u) << 8) | ((u & 0x00FF0000u) >> 8) |
                              ((u & 0xFF000000u) >> 24));
    } else {
        // The two byte-reversed halves, swapped.
        const auto lo = swapHighLow(static_cast<std::uint32_t>(u));
        const auto hi = swapHighLow(static_cast<std::uint32_t>(u >> 32));
        return static_cast<T>((static_cast<std::uint64_t>(lo) << 32) | hi);
    }
}

// 2 to the n; 1 for n <= 0. 64-bit, so the game's price formulas do not
// overflow; n >= 63 saturates at the largest 64-bit value.
[[nodiscard]] std::int64_t pow_2(int n);

// v itself when it is 0 or a power of two, otherwise the next power of two
// above v (texture sizes). Negative v gives 0. The result is 64-bit because
// the next power above 2^30 + 1 is 2^31.
[[nodiscard]] std::int64_t toPow2(std::int32_t v);

}  // namespace tetsuro::VelL
