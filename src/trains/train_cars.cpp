#include "trains/train_cars.h"

#include <algorithm>

#include "rail/slot_pool.h"

namespace tetsuro::Train_rs {

namespace {

SlotPool g_pool;

void resizeArrays(size_t n) {
    m_ac.resize(2 * n, kFree);
    m_ari.resize(2 * n, -1);
    m_arp.resize(2 * n, 0);
    m_gym.resize(n, 0);
    m_az.resize(2 * n, 0);
    m_ay.resize(2 * n, 0);
    m_ax.resize(2 * n, 0);
    m_as4.resize(8 * n, -1);
    m_aseq.resize(2 * n, 0);
}

void clearRecord(int32_t r) {
    const size_t f = 2 * static_cast<size_t>(r);
    m_ac[f] = kFree;
    m_ac[f + 1] = kNone;
    m_ari[f] = m_ari[f + 1] = -1;
    m_arp[f] = m_arp[f + 1] = 0;
    m_az[f] = m_az[f + 1] = m_ay[f] = m_ay[f + 1] = m_ax[f] = m_ax[f + 1] = 0;
    m_aseq[f] = m_aseq[f + 1] = 0;
    std::fill_n(m_as4.begin() + 8 * static_cast<ptrdiff_t>(r), 8, -1);
}

}  // namespace

int32_t size() { return static_cast<int32_t>(m_gym.size()); }
int32_t count() { return g_pool.count(); }

bool isValid(int32_t r) { return r >= 0 && r < size() && m_ac[2 * static_cast<size_t>(r)] != kFree; }

bool canAdd(int32_t n) { return n >= 0 && n <= kMax - count(); }

Chain addChain(int32_t n, int32_t gym) {
    if (n < 1 || !canAdd(n)) return {};
    Chain c;
    int32_t prev = -1;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t r = g_pool.acquire(kMax);
        if (r >= size()) resizeArrays(static_cast<size_t>(g_pool.size()));
        clearRecord(r);
        m_gym[r] = static_cast<int16_t>(std::clamp<int32_t>(gym, INT16_MIN, INT16_MAX));
        m_ac[2 * static_cast<size_t>(r)] = static_cast<int16_t>(prev);
        if (prev >= 0) m_ac[2 * static_cast<size_t>(prev) + 1] = static_cast<int16_t>(r);
        if (c.head < 0) c.head = r;
        prev = r;
    }
    c.last = prev;
    return c;
}

void removeChain(int32_t head) {
    // A chain never holds more cars than there are records: the bound stops
    // a corrupt loop of links.
    int32_t r = head;
    for (int32_t guard = 0; isValid(r) && guard <= size(); ++guard) {
        const int32_t behind = next(r);
        clearRecord(r);
        g_pool.release(r);
        r = behind;
    }
}

void reset() {
    resizeArrays(0);
    g_pool.reset();
}

void afterLoad() {
    size_t n = std::min({m_ac.size() / 2, m_ari.size() / 2, m_arp.size() / 2, m_gym.size()});
    n = std::min(n, static_cast<size_t>(kMax));
    m_ac.resize(2 * n);
    m_ari.resize(2 * n);
    m_arp.resize(2 * n);
    m_gym.resize(n);
    m_az.assign(2 * n, 0);
    m_ay.assign(2 * n, 0);
    m_ax.assign(2 * n, 0);
    m_as4.assign(8 * n, -1);
    m_aseq.assign(2 * n, 0);
    g_pool.rebuild(static_cast<int32_t>(n), [](int32_t r) { return m_ac[2 * static_cast<size_t>(r)] != kFree; });
}

}  // namespace tetsuro::Train_rs
