#include "support/random_source.h"

#include <utility>

#include "support/int_math.h"

namespace tetsuro {

namespace {
constexpr int64_t kCountLimit = 2047;
constexpr int64_t kNumerator = 1561650090;
}  // namespace

RandomSource::RandomSource(Variant variant) : m_variant(variant) {}

void RandomSource::seed(int64_t type, int64_t count) {
    m_type = type;
    m_count = count;
}

int32_t RandomSource::get(int32_t n) {
    if (n <= 0) return 0;
    const bool shared = m_variant == Variant::Shared;
    const int64_t typeLimit = shared ? 65535 : 4095;
    if (m_count < 1 || m_count > kCountLimit) {
        m_count = floorMod(m_count, kCountLimit);
        m_type += shared ? n : 1;
    }
    if (m_type < 0 || m_type > typeLimit) m_type = floorMod(m_type, typeLimit);
    m_count += 1;  // now 1..2048
    const int64_t r = (kNumerator - m_type) / m_count;
    m_count += n;
    return static_cast<int32_t>(r % n);
}

std::vector<int32_t> RandomSource::permutation(int32_t n) {
    if (n <= 0) return {};
    std::vector<int32_t> a(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) a[static_cast<size_t>(i)] = i;
    for (int32_t i = 0; i < n; ++i) {
        std::swap(a[static_cast<size_t>(i)], a[static_cast<size_t>(get(n))]);
    }
    return a;
}

}  // namespace tetsuro
