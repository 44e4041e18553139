#pragma once
// 64-bit FNV-1a over integer values taken big-endian, so a checksum of game
// state is the same on every platform. For comparing runs, not for security.
#include <cstdint>
#include <span>
#include <type_traits>

namespace tetsuro {

class Fnv1a64 {
public:
    template <class T>
        requires std::is_integral_v<T>
    void add(T v) {
        auto u = static_cast<std::make_unsigned_t<T>>(v);
        for (int b = int(sizeof(T)) - 1; b >= 0; --b) {
            m_h ^= uint8_t(u >> (8 * b));
            m_h *= 0x100000001b3ULL;
        }
    }
    template <class T>
        requires std::is_integral_v<T>
    void add(std::span<const T> values) {
        add<uint64_t>(values.size());
        for (T v : values) add(v);
    }
    uint64_t value() const { return m_h; }

private:
    uint64_t m_h = 0xcbf29ce484222325ULL;
};

}  // namespace tetsuro
