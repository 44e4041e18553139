#pragma once
// Run-length packing of the large 8-bit and 16-bit arrays (map heights, land
// types, save-file tables). The packed form is stored in save files and map
// blocks, so it is byte-exact:
//
//   Values are copied one by one. When a value equals the one just before it,
//   the pair is written and followed by a repeat count of further copies: zero
//   or more limit values L (each L further copies) and one final value 0..L-1.
//   The value after a count starts afresh. At the end of the data the final
//   count is written only when it is above 0.
//   L is 127 for 8-bit and 32767 for 16-bit values.
//
//   5 7 7 7 7 2 -> 5 7 7 2 2      4 4 -> 4 4      1 1 1 -> 1 1 1
//   9 9 and 200 more nines -> 9 9 127 73
//
// Packed data comes from files, so the decoders trust nothing: a negative
// count is an error, and the unpacked length is worked out (and bounded)
// before anything is allocated.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "support/errors.h"

namespace tetsuro {

// Packed data that does not unpack to what the reader expects. An
// input/output error, so file loaders report it like a damaged file.
class PackedDataException : public IOException {
public:
    using IOException::IOException;
};

namespace VelJLib {

// Upper bound on what the decoders without an expected length will unpack:
// 2^28 values (the largest map array is far smaller). Data claiming more is
// refused instead of allocating gigabytes.
inline constexpr std::size_t kMaxUnpackedLength = std::size_t{1} << 28;

[[nodiscard]] std::vector<std::int8_t> compressSB(std::span<const std::int8_t> src);
[[nodiscard]] std::vector<std::int16_t> compressSW(std::span<const std::int16_t> src);

// Unpack, finding the length from the data. Throws PackedDataException for a
// negative count or data that would unpack to more than kMaxUnpackedLength
// values.
[[nodiscard]] std::vector<std::int8_t> decompressSB(std::span<const std::int8_t> packed);
[[nodiscard]] std::vector<std::int16_t> decompressSW(std::span<const std::int16_t> packed);

// Unpack data that must give exactly expectedLength values (the size the
// caller's array has). Throws PackedDataException when it gives more or fewer
// or holds a negative count; never allocates more than expectedLength values.
[[nodiscard]] std::vector<std::int8_t> decompressSB(std::span<const std::int8_t> packed,
                                                    std::size_t expectedLength);
[[nodiscard]] std::vector<std::int16_t> decompressSW(std::span<const std::int16_t> packed,
                                                     std::size_t expectedLength);

// Unpack straight into an existing array (a map's live height or land array),
// which the data must fill exactly. The length is checked before anything is
// written, so on PackedDataException dst is unchanged. No allocation: a
// freshly allocated whole-map array costs more in first-touch page faults
// than the unpacking itself.
void decompressSB(std::span<const std::int8_t> packed, std::span<std::int8_t> dst);
void decompressSW(std::span<const std::int16_t> packed, std::span<std::int16_t> dst);

}  // namespace VelJLib
}  // namespace tetsuro
