#include "rail/signal.h"

#include "rail/slot_pool.h"

namespace tetsuro::Signal {

namespace {
SlotPool g_pool;
}

int32_t add() {
    int32_t n = g_pool.acquire(kMax);
    if (n < 0) return -1;
    if (n >= size()) m_st.resize(static_cast<size_t>(n) + 1, -1);
    m_st[n] = kProceed;
    return n;
}

bool remove(int32_t n) {
    if (!isValid(n)) return false;
    m_st[n] = -1;
    g_pool.release(n);
    return true;
}

bool isValid(int32_t n) { return n >= 0 && n < size() && m_st[n] != -1; }

bool setSt(int32_t n, int32_t v) {
    if (!isValid(n) || v < 0 || v > 127) return false;
    m_st[n] = static_cast<int8_t>(v);
    return true;
}

int32_t getSt(int32_t n) { return isValid(n) ? m_st[n] : -1; }

int32_t size() { return static_cast<int32_t>(m_st.size()); }
int32_t count() { return g_pool.count(); }

bool canAdd(int32_t k) { return kMax - count() >= k; }

bool resize(int32_t n) {
    if (n < 0 || n > kMax) return false;
    m_st.resize(static_cast<size_t>(n), -1);
    afterLoad();
    return true;
}

void reset() {
    m_st.clear();
    g_pool.reset();
}

void afterLoad() {
    if (m_st.size() > static_cast<size_t>(kMax)) m_st.resize(static_cast<size_t>(kMax));
    for (auto& s : m_st) {
        if (s < -1) s = -1;
    }
    g_pool.rebuild(size(), [](int32_t n) { return m_st[n] != -1; });
}

}  // namespace tetsuro::Signal
