#pragma once
// City blocks: squares of 80 m (Map::m_bms meshes a side) that carry the land
// value and the counters of the travel model. Block n = by x m_iBX + bx.
//
// Per block: the land value word (level x 2 + a re-examine flag in bit 0),
// four travel counters (home arrivals, home departures, office arrivals,
// office departures; -1 means "spent"), house and office points (the sum of
// the grades of the block's houses and offices, 5 per station building; not
// saved, recomputed from the map), and two destination lists of eight entries
// with a rotating position each.
//
// A 9984 x 9984 map of 40 m meshes has 25 million blocks, so the table is
// kept lean: the destination lists (used by a few blocks near stations) live
// in a pool that a block joins on its first write, and the hourly decay runs
// over a list of the blocks whose counters are not all spent.
#include <array>
#include <cstdint>
#include <vector>

namespace tetsuro {

class Block {
public:
    static constexpr int32_t kDestinations = 8;
    // The most a 16-bit counter or point sum holds; adding saturates there.
    static constexpr int32_t kCounterMax = 32767;

    // --- layout -------------------------------------------------------------------
    static inline int32_t m_iBY = 0, m_iBX = 0;

    // --- per-block arrays (public for the save code and the tests) ---------------------
    static inline std::vector<int16_t> m_swLV;      // land value word
    static inline std::vector<int16_t> m_sw;        // [n*4 .. n*4+3] travel counters
    static inline std::vector<int16_t> m_swaValue;  // [n*2] house points, [n*2+1] office points
    // Packed copies for saving (positions, counters, land value words).
    static inline std::vector<int8_t> m_sbC;
    static inline std::vector<int16_t> m_swC;
    static inline std::vector<int16_t> m_swLVC;

    // No blocks at all.
    static void reset();
    // by x bx fresh blocks: land value 0, counters 0, points 0, empty
    // destination lists. False (and no blocks) when the arrays cannot be
    // allocated or a side is negative.
    [[nodiscard]] static bool init(int32_t by, int32_t bx);
    // Empties every destination list and resets both rotating positions.
    static void init_d();

    static int32_t size() { return int32_t(m_swLV.size()); }
    static bool isValid(int32_t n) { return uint32_t(n) < uint32_t(m_swLV.size()); }
    // Block number of (by, bx); -1 outside.
    static int32_t getNumber(int32_t by, int32_t bx) {
        return uint32_t(by) < uint32_t(m_iBY) && uint32_t(bx) < uint32_t(m_iBX) ? by * m_iBX + bx : -1;
    }

    // --- land value word ------------------------------------------------------------
    // -1 for a block that does not exist.
    static int32_t getLandValue(int32_t n) { return isValid(n) ? m_swLV[std::size_t(n)] : -1; }
    // Raw stores without revaluing the land book: game code changes words
    // through MapController::setMapVal_byx, which keeps the book in step.
    static void setLandValue(int32_t n, int32_t v);
    static void orLandValue(int32_t n, int32_t v);

    // --- travel counters (saturating at the 16-bit range) ---------------------------
    static int32_t getHIn(int32_t n) { return counter(n, 0); }
    static int32_t getHOut(int32_t n) { return counter(n, 1); }
    static int32_t getOIn(int32_t n) { return counter(n, 2); }
    static int32_t getOOut(int32_t n) { return counter(n, 3); }
    static void addHIn(int32_t n, int32_t v) { addCounter(n, 0, v); }
    static void addHOut(int32_t n, int32_t v) { addCounter(n, 1, v); }
    static void addOIn(int32_t n, int32_t v) { addCounter(n, 2, v); }
    static void addOOut(int32_t n, int32_t v) { addCounter(n, 3, v); }
    // Direct write of one counter (0..3), for loaders and tests.
    static void setCounter(int32_t n, int32_t which, int32_t v);

    // --- points -------------------------------------------------------------------------
    static int32_t getHP(int32_t n) { return isValid(n) ? m_swaValue[std::size_t(n) * 2] : 0; }
    static int32_t getOP(int32_t n) { return isValid(n) ? m_swaValue[std::size_t(n) * 2 + 1] : 0; }
    static void addHP(int32_t n, int32_t v);
    static void addOP(int32_t n, int32_t v);
    // Every block's points from the land types of the map, in one pass over
    // the map. Used after loading, extending, merging and importing.
    static void recomputePoints();

    // Remaining capacity, 16 trips per point, in 32 bits: a block of 1024
    // meshes can hold 12288 points, whose capacity does not fit 16 bits.
    static int32_t resHInRest(int32_t n) { return getHP(n) * 16 - getHIn(n); }
    static int32_t resHOutRest(int32_t n) { return getHP(n) * 16 - getHOut(n); }
    static int32_t resOInRest(int32_t n) { return getOP(n) * 16 - getOIn(n); }
    static int32_t resOOutRest(int32_t n) { return getOP(n) * 16 - getOOut(n); }
    // House points at least the office points.
    static bool isHouse(int32_t n) { return getHP(n) >= getOP(n); }

    // Hourly decay of the travel counters. For each counter c that is not -1:
    // c -= c >> 5, then c -= p >> 5 (p the house points for the home
    // counters, the office points for the office ones), then c -= 1, at least
    // -1. Runs over the active blocks only; the result is that of a scan of
    // every block.
    static void restore();
    // Blocks whose counters the next restore() will look at (for tests and
    // figures): every block after init or a load, then only the live ones.
    static int64_t activeCount();

    // --- destination lists (t = 0 home trips, otherwise office trips) -------------------
    // Puts d into the first empty entry of the list (nothing when all eight
    // are taken or the block does not exist).
    static void addDestinationH(int32_t by, int32_t bx, int32_t d) { addDestination(getNumber(by, bx), 0, d); }
    static void addDestinationO(int32_t by, int32_t bx, int32_t d) { addDestination(getNumber(by, bx), 1, d); }
    // Writes d at the rotating position (read with getDI, which advances it)
    // and, when d >= 0, advances the position once more.
    static void setDestinationH(int32_t n, int32_t d) { setDestination(n, 0, d); }
    static void setDestinationO(int32_t n, int32_t d) { setDestination(n, 1, d); }
    // The entry at the rotating position; the position advances when the
    // entry is a destination (>= 0). -1 for a block that does not exist.
    static int32_t getDestinationH(int32_t n) { return getDestination(n, 0); }
    static int32_t getDestinationO(int32_t n) { return getDestination(n, 1); }
    static int32_t getDestination(int32_t n, int32_t t);
    // Entry i (0..7) of a list without moving anything; -1 when empty.
    static int32_t peekDestination(int32_t n, int32_t t, int32_t i);
    // The rotating positions: read, read then advance, advance.
    static int32_t getDestinationIdxH(int32_t n) { return getDestinationIdx(n, 0); }
    static int32_t getDestinationIdxO(int32_t n) { return getDestinationIdx(n, 1); }
    static int32_t getDIH(int32_t n) { return getDI(n, 0); }
    static int32_t getDIO(int32_t n) { return getDI(n, 1); }
    static void incDIH(int32_t n) { getDI(n, 0); }
    static void incDIO(int32_t n) { getDI(n, 1); }
    // Clears every entry equal to di, in all blocks or in block n.
    static void delDestination(int32_t di);
    static void delDestination(int32_t n, int32_t di);

    // --- packing for saving -------------------------------------------------------------
    // Fills m_sbC (the rotating positions, two per block), m_swC and m_swLVC.
    static void compress();
    // Rebuilds positions, counters and land value words from the packed
    // copies (the table must already have the saved size) and empties them.
    // The destination lists are empty afterwards. Throws PackedDataException
    // for data that does not fit; the blocks are then fresh, never half
    // loaded.
    static void decompress();
    static void freeCompressArea();

    // --- growing with the map --------------------------------------------------------------
    // A larger table being prepared: every old block copied to its (by, bx),
    // the new ones fresh. Preparing allocates; committing cannot fail, so a
    // map extension can allocate everything before it changes anything.
    struct Grown {
        int32_t by = 0, bx = 0;
        std::vector<int16_t> lv, sw, value;
        std::vector<std::vector<int32_t>> destPages;
        std::vector<uint64_t> activeBits;
    };
    [[nodiscard]] static bool prepareGrow(int32_t by, int32_t bx, Grown& g);
    // Puts a prepared table in place. Points are left as copied: the caller
    // recomputes them once the map has its new size.
    static void commitGrow(Grown& g);

private:
    struct Destinations {
        int32_t block = -1;
        std::array<int32_t, kDestinations> list[2];
        int8_t pos[2] = {0, 0};
        Destinations() {
            list[0].fill(-1);
            list[1].fill(-1);
        }
    };

    static int32_t counter(int32_t n, int32_t which) {
        return isValid(n) ? m_sw[std::size_t(n) * 4 + std::size_t(which)] : 0;
    }
    static void addCounter(int32_t n, int32_t which, int32_t v);
    static void markActive(int32_t n);
    static void addDestination(int32_t n, int32_t t, int32_t d);
    static void setDestination(int32_t n, int32_t t, int32_t d);
    static int32_t getDestinationIdx(int32_t n, int32_t t);
    static int32_t getDI(int32_t n, int32_t t);
    // The pool record of block n, created on first use (null if n is not a
    // block).
    static Destinations* destinations(int32_t n);
    static const Destinations* findDestinations(int32_t n);
    static void clearActivity(bool allActive);

    // Pool record number per block, -1 for none, in pages of 1024 blocks; a
    // page is allocated when one of its blocks joins the pool, so the 25
    // million blocks of the largest map cost 8 bytes a page, not 4 a block.
    static constexpr int32_t kPageShift = 10;
    static int32_t slotOf(int32_t n) {
        const auto& page = s_destPages[std::size_t(n) >> kPageShift];
        return page.empty() ? -1 : page[std::size_t(n) & ((1u << kPageShift) - 1)];
    }
    static inline std::vector<std::vector<int32_t>> s_destPages;
    static inline std::vector<Destinations> s_destPool;
    // Blocks the next restore() visits; a bit per block says who is listed.
    // Until the first restore after init or a load every block counts.
    static inline std::vector<int32_t> s_active;
    static inline std::vector<uint64_t> s_activeBits;
    static inline bool s_allActive = true;
};

}  // namespace tetsuro
