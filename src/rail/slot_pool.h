#pragma once
// Slot bookkeeping shared by the rail stores: the set of free record numbers
// (so the lowest free slot is found without a scan), the table length and a
// running count of used records.
#include <cstdint>
#include <functional>
#include <set>

namespace tetsuro {

class SlotPool {
public:
    void reset() {
        m_free.clear();
        m_size = 0;
        m_count = 0;
    }

    int32_t size() const { return m_size; }
    int32_t count() const { return m_count; }
    bool isFree(int32_t n) const { return n >= 0 && n < m_size && m_free.count(n) != 0; }

    // The slot acquire() would hand out, or -1 when the table holds `limit`
    // records and none is free.
    int32_t peek(int32_t limit) const {
        if (!m_free.empty()) return *m_free.begin();
        return m_size < limit ? m_size : -1;
    }

    // The lowest free slot, marked used; the table grows by one when none is
    // free. -1 at the limit. The caller grows its arrays to size().
    int32_t acquire(int32_t limit) {
        int32_t n = peek(limit);
        if (n < 0) return -1;
        if (n == m_size) {
            ++m_size;
        } else {
            m_free.erase(m_free.begin());
        }
        ++m_count;
        return n;
    }

    // Marks a used slot free; false when it was not in use.
    bool release(int32_t n) {
        if (n < 0 || n >= m_size || m_free.count(n) != 0) return false;
        m_free.insert(n);
        --m_count;
        return true;
    }

    // Takes a slot that an edit made used again (a free slot written directly).
    bool take(int32_t n) {
        if (m_free.erase(n) == 0) return false;
        ++m_count;
        return true;
    }

    // Rebuilds from a table of `size` records after a load or a resize.
    void rebuild(int32_t size, const std::function<bool(int32_t)>& isUsed) {
        m_free.clear();
        m_size = size;
        m_count = 0;
        for (int32_t n = 0; n < size; ++n) {
            if (isUsed(n)) {
                ++m_count;
            } else {
                m_free.insert(n);
            }
        }
    }

private:
    std::set<int32_t> m_free;
    int32_t m_size = 0;
    int32_t m_count = 0;
};

}  // namespace tetsuro
