#pragma once
// The rails a train's head has entered and its cars still stand on, oldest
// first. Trailing car ends follow this path instead of choosing again at
// switches, so every car takes the way the head took, however short the
// rails under it. Entries are numbered by a running sequence number that
// each car end keeps for the entry it stands on.
//
// A ring buffer of power-of-two size: the steady state of a running train
// pushes at the head and drops at the tail without allocating; it grows
// only when the train spans more rails than ever before.
#include <cstdint>
#include <vector>

namespace tetsuro {

class TrainPath {
public:
    bool empty() const { return m_newest < m_oldest; }
    int64_t oldest() const { return m_oldest; }
    int64_t newest() const { return m_newest; }
    int64_t size() const { return m_newest - m_oldest + 1; }
    bool contains(int64_t seq) const { return seq >= m_oldest && seq <= m_newest; }
    // The rail of entry seq (the caller keeps seq within oldest..newest).
    int32_t at(int64_t seq) const { return m_ring[static_cast<size_t>(seq) & m_mask]; }

    void set(int64_t seq, int32_t ref) { m_ring[static_cast<size_t>(seq) & m_mask] = ref; }

    // One entry, numbered seq.
    void reset(int32_t ref, int64_t seq = 0) {
        if (m_ring.empty()) grow(4);
        m_oldest = m_newest = seq;
        m_ring[static_cast<size_t>(seq) & m_mask] = ref;
    }
    void clear() { m_oldest = 0, m_newest = -1; }
    // Entries in order from oldest, the first numbered `first`.
    void assign(const std::vector<int32_t>& refs, int64_t first) {
        clear();
        if (refs.empty()) return;
        reserve(refs.size());
        m_oldest = first;
        m_newest = first - 1;
        for (int32_t r : refs) m_ring[static_cast<size_t>(++m_newest) & m_mask] = r;
    }
    void reserve(size_t n) {
        if (n > m_ring.size()) grow(n);
    }
    // A new newest entry.
    void push(int32_t ref) {
        if (static_cast<size_t>(size()) + 1 > m_ring.size()) grow(static_cast<size_t>(size()) + 1);
        m_ring[static_cast<size_t>(++m_newest) & m_mask] = ref;
    }
    // Drops the newest entry (a refused move).
    void pop() {
        if (!empty()) --m_newest;
    }
    // Drops entries older than seq / newer than seq.
    void trimOlder(int64_t seq) {
        if (seq > m_oldest) m_oldest = seq < m_newest ? seq : m_newest;
    }
    void trimNewer(int64_t seq) {
        if (seq < m_newest) m_newest = seq > m_oldest ? seq : m_oldest;
    }
    // Entries in order from oldest.
    std::vector<int32_t> entries() const {
        std::vector<int32_t> v;
        for (int64_t s = m_oldest; s <= m_newest; ++s) v.push_back(at(s));
        return v;
    }

private:
    void grow(size_t n) {
        size_t cap = 4;
        while (cap < n) cap *= 2;
        std::vector<int32_t> ring(cap, -1);
        for (int64_t s = m_oldest; s <= m_newest; ++s) ring[static_cast<size_t>(s) & (cap - 1)] = at(s);
        m_ring.swap(ring);
        m_mask = cap - 1;
    }

    std::vector<int32_t> m_ring;
    size_t m_mask = 0;
    int64_t m_oldest = 0;
    int64_t m_newest = -1;
};

}  // namespace tetsuro
