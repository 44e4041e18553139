// Run-length packing of whole-map arrays: 100 M 16-bit heights and 100 M
// 8-bit land types, packed and unpacked.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/run_length.h"

namespace {

constexpr std::size_t kValues = 100'000'000;

// Small deterministic generator (64-bit LCG, high bits), so every run sees
// the same map.
struct Lcg {
    std::uint64_t s;
    std::uint32_t next(std::uint32_t bound) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>((s >> 33) % bound);
    }
};

// Heights: flat plateaus (sea, plains, terraces) between slopes that climb
// or fall one unit every few cells, and some rough ground with short runs.
const std::vector<std::int16_t>& terrainHeights() {
    static const std::vector<std::int16_t> heights = [] {
        std::vector<std::int16_t> h;
        h.reserve(kValues);
        Lcg rng{42};
        int z = 0;
        while (h.size() < kValues) {
            const std::size_t room = kValues - h.size();
            switch (rng.next(4)) {
            case 0:
            case 1: {  // plateau
                const std::size_t len = std::min<std::size_t>(room, 50 + rng.next(5000));
                h.insert(h.end(), len, static_cast<std::int16_t>(z));
                break;
            }
            case 2: {  // slope
                const int step = rng.next(2) ? 1 : -1;
                const std::size_t every = 1 + rng.next(8);
                for (std::size_t k = 0, n = 20 + rng.next(400); k < n && h.size() < kValues; ++k) {
                    if (k % every == 0) z = std::clamp(z + step, -2000, 8000);
                    h.push_back(static_cast<std::int16_t>(z));
                }
                break;
            }
            default: {  // rough ground
                for (std::size_t k = 0, n = 10 + rng.next(200); k < n && h.size() < kValues; ++k) {
                    h.push_back(static_cast<std::int16_t>(z + static_cast<int>(rng.next(5)) - 2));
                }
                break;
            }
            }
        }
        return h;
    }();
    return heights;
}

// Land types: regions of one type with the odd single cell of another.
const std::vector<std::int8_t>& landTypes() {
    static const std::vector<std::int8_t> land = [] {
        std::vector<std::int8_t> t;
        t.reserve(kValues);
        Lcg rng{7};
        while (t.size() < kValues) {
            const std::size_t len = std::min<std::size_t>(kValues - t.size(), 1 + rng.next(2000));
            t.insert(t.end(), len, static_cast<std::int8_t>(rng.next(16)));
            if (t.size() < kValues && rng.next(3) == 0) t.push_back(static_cast<std::int8_t>(rng.next(16)));
        }
        return t;
    }();
    return land;
}

template <class T>
void report(benchmark::State& state, std::size_t packedSize) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kValues));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kValues * sizeof(T)));
    state.counters["packed_ratio"] = static_cast<double>(packedSize) / static_cast<double>(kValues);
}

void BM_RunLengthPackHeights16(benchmark::State& state) {
    const auto& heights = terrainHeights();
    std::size_t packed = 0;
    for (auto _ : state) {
        auto p = tetsuro::VelJLib::compressSW(heights);
        packed = p.size();
        benchmark::DoNotOptimize(p.data());
    }
    report<std::int16_t>(state, packed);
}

void BM_RunLengthUnpackHeights16(benchmark::State& state) {
    const auto packed = tetsuro::VelJLib::compressSW(terrainHeights());
    for (auto _ : state) {
        auto u = tetsuro::VelJLib::decompressSW(packed, kValues);
        benchmark::DoNotOptimize(u.data());
    }
    report<std::int16_t>(state, packed.size());
}

// The map load path: unpack into the live array, which already exists.
void BM_RunLengthUnpackHeights16IntoLive(benchmark::State& state) {
    const auto packed = tetsuro::VelJLib::compressSW(terrainHeights());
    std::vector<std::int16_t> live(kValues);
    for (auto _ : state) {
        tetsuro::VelJLib::decompressSW(packed, live);
        benchmark::DoNotOptimize(live.data());
    }
    report<std::int16_t>(state, packed.size());
}

void BM_RunLengthPackLand8(benchmark::State& state) {
    const auto& land = landTypes();
    std::size_t packed = 0;
    for (auto _ : state) {
        auto p = tetsuro::VelJLib::compressSB(land);
        packed = p.size();
        benchmark::DoNotOptimize(p.data());
    }
    report<std::int8_t>(state, packed);
}

void BM_RunLengthUnpackLand8(benchmark::State& state) {
    const auto packed = tetsuro::VelJLib::compressSB(landTypes());
    for (auto _ : state) {
        auto u = tetsuro::VelJLib::decompressSB(packed, kValues);
        benchmark::DoNotOptimize(u.data());
    }
    report<std::int8_t>(state, packed.size());
}

void BM_RunLengthUnpackLand8IntoLive(benchmark::State& state) {
    const auto packed = tetsuro::VelJLib::compressSB(landTypes());
    std::vector<std::int8_t> live(kValues);
    for (auto _ : state) {
        tetsuro::VelJLib::decompressSB(packed, live);
        benchmark::DoNotOptimize(live.data());
    }
    report<std::int8_t>(state, packed.size());
}

}  // namespace

BENCHMARK(BM_RunLengthPackHeights16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLengthUnpackHeights16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLengthUnpackHeights16IntoLive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLengthPackLand8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLengthUnpackLand8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLengthUnpackLand8IntoLive)->Unit(benchmark::kMillisecond);
