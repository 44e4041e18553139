#pragma once
// splitmix64: a tiny deterministic generator for randomised tests, benchmark
// layouts and fuzzing. Not the game's random source (see random_source.h):
// nothing in a game's state may depend on it.
#include <cstdint>

namespace tetsuro {

class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : m_s(seed) {}
    uint64_t next() {
        uint64_t z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0..n-1 (0 for n <= 0).
    int64_t below(int64_t n) { return n <= 0 ? 0 : static_cast<int64_t>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t m_s;
};

}  // namespace tetsuro
