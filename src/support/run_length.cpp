#include "support/run_length.h"

#include <algorithm>
#include <memory>
#include <string>

namespace tetsuro::VelJLib {

namespace {

template <class T>
constexpr T kLimit = 0;
template <>
constexpr std::int8_t kLimit<std::int8_t> = 127;
template <>
constexpr std::int16_t kLimit<std::int16_t> = 32767;

template <class T>
std::vector<T> pack(std::span<const T> src) {
    constexpr T L = kLimit<T>;
    const T* in = src.data();
    const std::size_t n = src.size();
    if (n == 0) return {};

    // Worst case is a pair followed by a zero count for every two inputs.
    // Uninitialised scratch: only the pages actually written get touched, and
    // the result is copied out at its exact size.
    const std::size_t bound = n + n / 2 + 2;
    std::unique_ptr<T[]> buf(new T[bound]);
    T* out = buf.get();
    std::size_t i = 0;
    std::size_t o = 0;
    while (i < n) {
        const T v = in[i++];
        out[o++] = v;
        if (i < n && in[i] == v) {
            out[o++] = v;
            std::size_t j = ++i;
            while (j < n && in[j] == v) ++j;
            const std::size_t further = j - i;
            for (std::size_t q = further / static_cast<std::size_t>(L); q > 0; --q) out[o++] = L;
            const T last = static_cast<T>(further % static_cast<std::size_t>(L));
            if (j < n || last > 0) out[o++] = last;
            i = j;
        }
    }
    return std::vector<T>(out, out + o);
}

// Walks the packed data once and returns the unpacked length, stopping as
// soon as it passes `limit`. Reports a negative count or an excess.
template <class T>
std::size_t unpackedLength(std::span<const T> packed, std::size_t limit) {
    constexpr T L = kLimit<T>;
    const T* p = packed.data();
    const std::size_t m = packed.size();
    std::size_t pos = 0;
    std::size_t len = 0;  // never exceeds limit + L + 2, so it cannot overflow
    while (pos < m) {
        const T v = p[pos++];
        ++len;
        if (pos < m && p[pos] == v) {
            ++pos;
            ++len;
            while (pos < m) {
                const T c = p[pos++];
                if (c < 0) {
                    throw PackedDataException("packed data holds a negative repeat count at " + std::to_string(pos - 1));
                }
                len += static_cast<std::size_t>(c);
                if (c != L || len > limit) break;
            }
        }
        if (len > limit) {
            throw PackedDataException("packed data unpacks to more than " + std::to_string(limit) + " values");
        }
    }
    return len;
}

// Expands data already checked by unpackedLength into `out`, which has room
// for exactly the unpacked length.
template <class T>
void expand(std::span<const T> packed, T* out) {
    constexpr T L = kLimit<T>;
    const T* p = packed.data();
    const std::size_t m = packed.size();
    std::size_t pos = 0;
    while (pos < m) {
        const T v = p[pos++];
        *out++ = v;
        if (pos < m && p[pos] == v) {
            ++pos;
            *out++ = v;
            while (pos < m) {
                const T c = p[pos++];
                out = std::fill_n(out, static_cast<std::size_t>(c), v);
                if (c != L) break;
            }
        }
    }
}

[[noreturn]] void lengthMismatch(std::size_t got, std::size_t expected) {
    throw PackedDataException("packed data unpacks to " + std::to_string(got) + " values, expected " +
                              std::to_string(expected));
}

template <class T>
std::vector<T> unpack(std::span<const T> packed) {
    std::vector<T> result(unpackedLength(packed, kMaxUnpackedLength));
    expand(packed, result.data());
    return result;
}

template <class T>
std::vector<T> unpack(std::span<const T> packed, std::size_t expectedLength) {
    const std::size_t len = unpackedLength(packed, expectedLength);
    if (len != expectedLength) lengthMismatch(len, expectedLength);
    std::vector<T> result(len);
    expand(packed, result.data());
    return result;
}

template <class T>
void unpackInto(std::span<const T> packed, std::span<T> dst) {
    const std::size_t len = unpackedLength(packed, dst.size());
    if (len != dst.size()) lengthMismatch(len, dst.size());
    expand(packed, dst.data());
}

}  // namespace

std::vector<std::int8_t> compressSB(std::span<const std::int8_t> src) { return pack(src); }
std::vector<std::int16_t> compressSW(std::span<const std::int16_t> src) { return pack(src); }

std::vector<std::int8_t> decompressSB(std::span<const std::int8_t> packed) { return unpack(packed); }
std::vector<std::int16_t> decompressSW(std::span<const std::int16_t> packed) { return unpack(packed); }

std::vector<std::int8_t> decompressSB(std::span<const std::int8_t> packed, std::size_t expectedLength) {
    return unpack(packed, expectedLength);
}
std::vector<std::int16_t> decompressSW(std::span<const std::int16_t> packed, std::size_t expectedLength) {
    return unpack(packed, expectedLength);
}

void decompressSB(std::span<const std::int8_t> packed, std::span<std::int8_t> dst) { unpackInto(packed, dst); }
void decompressSW(std::span<const std::int16_t> packed, std::span<std::int16_t> dst) { unpackInto(packed, dst); }

}  // namespace tetsuro::VelJLib
