#pragma once
// The game's pseudo-random source. Each user keeps its own instance (the
// shared parameters, the VelL helpers, the canvas), so that one part's draws
// never shift another part's sequence; an unseeded instance always gives
// the same sequence, so station names and other random choices repeat from
// one run to the next.
//
// One draw of get(n):
//   1. when count < 1 or count > 2047: count = count mod 2047, and type
//      grows by n (shared parameters, VelL) or by 1 (canvas);
//   2. when type < 0 or type > limit (65535, or 4095 for the canvas):
//      type = type mod limit;
//   3. count += 1; r = (1561650090 - type) / count; count += n;
//   4. the result is r mod n.
// The state is kept in 64 bits, so a large n cannot wrap count or type into
// negative values (which would have made results negative), and the
// remainders of steps 1 and 2 are taken toward negative infinity, which
// changes nothing for the non-negative states every unseeded run stays in.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tetsuro {

class RandomSource {
public:
    enum class Variant {
        Shared,  // type limit 65535, type += n when count wraps
        Canvas,  // type limit 4095, type += 1 when count wraps
    };

    explicit RandomSource(Variant variant = Variant::Shared);

    // A value in 0..n-1. n <= 0 gives 0 and leaves the state alone, so the
    // sequence of the valid draws is not disturbed.
    int32_t get(int32_t n);

    // A shuffled permutation of 0..n-1: from the identity, element i is
    // swapped with element get(n) for i = 0..n-1. Empty for n <= 0.
    std::vector<int32_t> permutation(int32_t n);

    void seed(int64_t type, int64_t count = 0);
    void reset() { seed(0, 0); }

    int64_t type() const { return m_type; }
    int64_t count() const { return m_count; }
    Variant variant() const { return m_variant; }

private:
    Variant m_variant;
    int64_t m_type = 0;
    int64_t m_count = 0;
};

}  // namespace tetsuro
