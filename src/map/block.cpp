#include "map/block.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <span>

#include "map/land_codes.h"
#include "map/map.h"
#include "support/int_math.h"
#include "support/run_length.h"

namespace tetsuro {

namespace {

template <class T>
void release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

int16_t clampWord(int64_t v) { return int16_t(std::clamp<int64_t>(v, -32768, Block::kCounterMax)); }

// One hour of decay of one counter with the block's points p. For 16-bit c
// and p the result lies in -32768..32767, so 16-bit lanes cannot overflow.
inline int16_t decay(int16_t c, int32_t p) {
    if (c == -1) return c;
    const int32_t v = int32_t(c) - (int32_t(c) >> 5) - (p >> 5) - 1;
    return int16_t(std::max(v, -1));
}

// Decays the four counters of a block; true while any is not spent.
inline bool decayBlock(int16_t* c, const int16_t* points) {
    const int32_t hp = points[0], op = points[1];
    c[0] = decay(c[0], hp);
    c[1] = decay(c[1], hp);
    c[2] = decay(c[2], op);
    c[3] = decay(c[3], op);
    return (c[0] & c[1] & c[2] & c[3]) != -1;
}

#if defined(__GNUC__)
// Two blocks at a time in 16-bit lanes: the whole-table pass after a new map
// or a load visits 25 million blocks on the largest map.
typedef int16_t Lanes8 __attribute__((vector_size(16)));

// Decays blocks i and i + 1; bit 0 / bit 1 of the result: still live.
inline unsigned decayTwoBlocks(int16_t* c, const int16_t* points) {
    Lanes8 v;
    std::memcpy(&v, c, sizeof v);
    const Lanes8 p = {points[0], points[0], points[1], points[1], points[2], points[2], points[3], points[3]};
    const Lanes8 spent = {-1, -1, -1, -1, -1, -1, -1, -1};
    Lanes8 d = v - (v >> 5) - (p >> 5) - 1;
    d = d < spent ? spent : d;
    d = v == spent ? spent : d;
    std::memcpy(c, &d, sizeof d);
    uint64_t lo, hi;
    std::memcpy(&lo, c, 8);
    std::memcpy(&hi, c + 4, 8);
    return unsigned(lo != ~uint64_t(0)) | unsigned(hi != ~uint64_t(0)) << 1;
}
#endif

}  // namespace

void Block::reset() {
    m_iBY = m_iBX = 0;
    release(m_swLV);
    release(m_sw);
    release(m_swaValue);
    release(s_destPages);
    release(s_destPool);
    freeCompressArea();
    release(s_activeBits);
    release(s_active);
    s_allActive = true;
}

bool Block::init(int32_t by, int32_t bx) {
    reset();
    if (by < 0 || bx < 0) return false;
    const std::size_t n = std::size_t(by) * std::size_t(bx);
    if (n > std::size_t(INT32_MAX)) return false;
    try {
        m_swLV.assign(n, 0);
        m_sw.assign(n * 4, 0);
        m_swaValue.assign(n * 2, 0);
        s_destPages.resize((n >> kPageShift) + 1);
        s_activeBits.assign((n + 63) / 64, 0);
    } catch (const std::bad_alloc&) {
        reset();
        return false;
    }
    m_iBY = by;
    m_iBX = bx;
    return true;
}

void Block::init_d() {
    for (auto& page : s_destPages) release(page);
    release(s_destPool);
}

// ---- land value -------------------------------------------------------------------

void Block::setLandValue(int32_t n, int32_t v) {
    if (isValid(n)) m_swLV[std::size_t(n)] = clampWord(v);
}

void Block::orLandValue(int32_t n, int32_t v) {
    if (isValid(n)) m_swLV[std::size_t(n)] = int16_t(m_swLV[std::size_t(n)] | int16_t(v));
}

// ---- counters -----------------------------------------------------------------------

void Block::markActive(int32_t n) {
    if (s_allActive) return;
    uint64_t& word = s_activeBits[std::size_t(n) >> 6];
    const uint64_t bit = uint64_t(1) << (n & 63);
    if (word & bit) return;
    word |= bit;
    s_active.push_back(n);
}

void Block::addCounter(int32_t n, int32_t which, int32_t v) {
    if (!isValid(n)) return;
    int16_t& c = m_sw[std::size_t(n) * 4 + std::size_t(which)];
    c = clampWord(int64_t(c) + v);
    markActive(n);
}

void Block::setCounter(int32_t n, int32_t which, int32_t v) {
    if (!isValid(n) || which < 0 || which > 3) return;
    m_sw[std::size_t(n) * 4 + std::size_t(which)] = clampWord(v);
    markActive(n);
}

void Block::clearActivity(bool allActive) {
    for (int32_t n : s_active) s_activeBits[std::size_t(n) >> 6] = 0;
    s_active.clear();
    s_allActive = allActive;
}

int64_t Block::activeCount() { return s_allActive ? int64_t(size()) : int64_t(s_active.size()); }

void Block::restore() {
    int16_t* c = m_sw.data();
    const int16_t* p = m_swaValue.data();
    if (s_allActive) {
        // First hour after init or a load: every block once, listing the
        // ones that stay live.
        s_allActive = false;
        const int32_t n = size();
        auto list = [](int32_t i) {
            s_activeBits[std::size_t(i) >> 6] |= uint64_t(1) << (i & 63);
            s_active.push_back(i);
        };
        int32_t i = 0;
#if defined(__GNUC__)
        for (; i + 2 <= n; i += 2) {
            const unsigned live = decayTwoBlocks(c + std::size_t(i) * 4, p + std::size_t(i) * 2);
            if (live & 1) list(i);
            if (live & 2) list(i + 1);
        }
#endif
        for (; i < n; ++i)
            if (decayBlock(c + std::size_t(i) * 4, p + std::size_t(i) * 2)) list(i);
        return;
    }
    std::size_t kept = 0;
    for (std::size_t k = 0; k < s_active.size(); ++k) {
        const int32_t i = s_active[k];
        if (decayBlock(c + std::size_t(i) * 4, p + std::size_t(i) * 2)) {
            s_active[kept++] = i;
        } else {
            s_activeBits[std::size_t(i) >> 6] &= ~(uint64_t(1) << (i & 63));
        }
    }
    s_active.resize(kept);
}

// ---- points -------------------------------------------------------------------------

void Block::addHP(int32_t n, int32_t v) {
    if (isValid(n)) m_swaValue[std::size_t(n) * 2] = clampWord(int64_t(m_swaValue[std::size_t(n) * 2]) + v);
}

void Block::addOP(int32_t n, int32_t v) {
    if (isValid(n))
        m_swaValue[std::size_t(n) * 2 + 1] = clampWord(int64_t(m_swaValue[std::size_t(n) * 2 + 1]) + v);
}

void Block::recomputePoints() {
    std::fill(m_swaValue.begin(), m_swaValue.end(), int16_t(0));
    const int32_t bms = Map::m_bms;
    if (bms < 1) return;
    // Points are summed per block row in 32 bits, then stored once.
    std::vector<int32_t> row(std::size_t(m_iBX) * 2);
    for (int32_t by = 0; by < m_iBY; ++by) {
        std::fill(row.begin(), row.end(), 0);
        const int32_t y1 = std::min(Map::m_my, (by + 1) * bms);
        for (int32_t my = by * bms; my < y1; ++my) {
            const int8_t* typ = Map::m_aTyp.data() + Map::meshIndex(my, 0);
            for (int32_t bx = 0; bx < m_iBX; ++bx) {
                const int32_t x0 = bx * bms, x1 = std::min(Map::m_mx, x0 + bms);
                int32_t hp = 0, op = 0;
                for (int32_t mx = x0; mx < x1; ++mx) {
                    hp += LandCodes::housePoints(typ[mx]);
                    op += LandCodes::officePoints(typ[mx]);
                }
                row[std::size_t(bx) * 2] += hp;
                row[std::size_t(bx) * 2 + 1] += op;
            }
        }
        int16_t* dst = m_swaValue.data() + std::size_t(by) * std::size_t(m_iBX) * 2;
        for (std::size_t i = 0; i < row.size(); ++i) dst[i] = clampWord(row[i]);
    }
}

// ---- destinations ----------------------------------------------------------------------

const Block::Destinations* Block::findDestinations(int32_t n) {
    if (!isValid(n)) return nullptr;
    const int32_t slot = slotOf(n);
    return slot < 0 ? nullptr : &s_destPool[std::size_t(slot)];
}

Block::Destinations* Block::destinations(int32_t n) {
    if (!isValid(n)) return nullptr;
    auto& page = s_destPages[std::size_t(n) >> kPageShift];
    if (page.empty()) page.assign(std::size_t(1) << kPageShift, -1);
    int32_t& slot = page[std::size_t(n) & ((1u << kPageShift) - 1)];
    if (slot < 0) {
        slot = int32_t(s_destPool.size());
        s_destPool.emplace_back().block = n;
    }
    return &s_destPool[std::size_t(slot)];
}

void Block::addDestination(int32_t n, int32_t t, int32_t d) {
    if (!isValid(n)) return;
    const int32_t k = t == 0 ? 0 : 1;
    if (const Destinations* r = findDestinations(n)) {
        if (std::find(r->list[k].begin(), r->list[k].end(), -1) == r->list[k].end()) return;
    }
    auto& list = destinations(n)->list[k];
    *std::find(list.begin(), list.end(), -1) = d;
}

int32_t Block::getDI(int32_t n, int32_t t) {
    Destinations* r = destinations(n);
    if (!r) return 0;
    int8_t& pos = r->pos[t == 0 ? 0 : 1];
    const int32_t i = pos;
    pos = int8_t((pos + 1) % kDestinations);
    return i;
}

int32_t Block::getDestinationIdx(int32_t n, int32_t t) {
    const Destinations* r = findDestinations(n);
    return r ? r->pos[t == 0 ? 0 : 1] : 0;
}

void Block::setDestination(int32_t n, int32_t t, int32_t d) {
    if (!isValid(n)) return;
    const int32_t k = t == 0 ? 0 : 1;
    const int32_t i = getDI(n, k);
    Destinations* r = destinations(n);
    r->list[k][std::size_t(i)] = d;
    if (d >= 0) r->pos[k] = int8_t((r->pos[k] + 1) % kDestinations);
}

int32_t Block::getDestination(int32_t n, int32_t t) {
    const Destinations* found = findDestinations(n);
    if (!found) return -1;
    Destinations* r = destinations(n);
    const int32_t k = t == 0 ? 0 : 1;
    const int32_t d = r->list[k][std::size_t(r->pos[k])];
    if (d >= 0) r->pos[k] = int8_t((r->pos[k] + 1) % kDestinations);
    return d;
}

int32_t Block::peekDestination(int32_t n, int32_t t, int32_t i) {
    const Destinations* r = findDestinations(n);
    if (!r || i < 0 || i >= kDestinations) return -1;
    return r->list[t == 0 ? 0 : 1][std::size_t(i)];
}

void Block::delDestination(int32_t di) {
    for (Destinations& r : s_destPool)
        for (auto& list : r.list) std::replace(list.begin(), list.end(), di, -1);
}

void Block::delDestination(int32_t n, int32_t di) {
    if (!findDestinations(n)) return;
    for (auto& list : destinations(n)->list) std::replace(list.begin(), list.end(), di, -1);
}

// ---- packing ----------------------------------------------------------------------------

void Block::compress() {
    std::vector<int8_t> pos(std::size_t(size()) * 2, 0);
    for (const Destinations& r : s_destPool) {
        pos[std::size_t(r.block) * 2] = r.pos[0];
        pos[std::size_t(r.block) * 2 + 1] = r.pos[1];
    }
    m_sbC = VelJLib::compressSB(pos);
    m_swC = VelJLib::compressSW(m_sw);
    m_swLVC = VelJLib::compressSW(m_swLV);
}

void Block::decompress() {
    try {
        const std::vector<int8_t> pos = VelJLib::decompressSB(m_sbC, std::size_t(size()) * 2);
        VelJLib::decompressSW(m_swC, std::span<int16_t>(m_sw));
        VelJLib::decompressSW(m_swLVC, std::span<int16_t>(m_swLV));
        init_d();
        for (int32_t n = 0; n < size(); ++n) {
            const int8_t h = pos[std::size_t(n) * 2], o = pos[std::size_t(n) * 2 + 1];
            if (h == 0 && o == 0) continue;
            Destinations* r = destinations(n);
            r->pos[0] = int8_t(floorMod<int32_t>(h, kDestinations));
            r->pos[1] = int8_t(floorMod<int32_t>(o, kDestinations));
        }
    } catch (...) {
        const int32_t by = m_iBY, bx = m_iBX;
        if (!init(by, bx)) reset();
        throw;
    }
    freeCompressArea();
    clearActivity(true);
}

void Block::freeCompressArea() {
    release(m_sbC);
    release(m_swC);
    release(m_swLVC);
}

// ---- growing ---------------------------------------------------------------------------

bool Block::prepareGrow(int32_t by, int32_t bx, Grown& g) {
    if (by < m_iBY || bx < m_iBX) return false;
    const std::size_t n = std::size_t(by) * std::size_t(bx);
    if (n > std::size_t(INT32_MAX)) return false;
    try {
        g.lv.assign(n, 0);
        g.sw.assign(n * 4, 0);
        g.value.assign(n * 2, 0);
        // Every pool record moves to its block's new number.
        g.destPages.resize((n >> kPageShift) + 1);
        for (std::size_t k = 0; k < s_destPool.size(); ++k) {
            const int32_t old = s_destPool[k].block;
            const std::size_t moved = std::size_t(old / m_iBX) * std::size_t(bx) + std::size_t(old % m_iBX);
            auto& page = g.destPages[moved >> kPageShift];
            if (page.empty()) page.assign(std::size_t(1) << kPageShift, -1);
            page[moved & ((1u << kPageShift) - 1)] = int32_t(k);
        }
        g.activeBits.assign((n + 63) / 64, 0);
    } catch (const std::bad_alloc&) {
        g = Grown{};
        return false;
    }
    g.by = by;
    g.bx = bx;
    for (std::size_t y = 0; y < std::size_t(m_iBY); ++y) {
        const std::size_t from = y * std::size_t(m_iBX), to = y * std::size_t(bx), w = std::size_t(m_iBX);
        std::copy_n(m_swLV.begin() + std::ptrdiff_t(from), w, g.lv.begin() + std::ptrdiff_t(to));
        std::copy_n(m_sw.begin() + std::ptrdiff_t(from * 4), w * 4, g.sw.begin() + std::ptrdiff_t(to * 4));
        std::copy_n(m_swaValue.begin() + std::ptrdiff_t(from * 2), w * 2,
                    g.value.begin() + std::ptrdiff_t(to * 2));
    }
    return true;
}

void Block::commitGrow(Grown& g) {
    m_swLV.swap(g.lv);
    m_sw.swap(g.sw);
    m_swaValue.swap(g.value);
    s_destPages.swap(g.destPages);
    for (Destinations& r : s_destPool) r.block = (r.block / m_iBX) * g.bx + r.block % m_iBX;
    s_activeBits.swap(g.activeBits);
    m_iBY = g.by;
    m_iBX = g.bx;
    g = Grown{};
    // New blocks start with counters at 0, so the next hour looks at all.
    s_active.clear();
    s_allActive = true;
}

}  // namespace tetsuro
