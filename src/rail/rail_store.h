#pragma once
// The piece store: parallel arrays indexed by piece number.
//
// A slot holds a piece when its two ends differ in plan; an erased slot has
// all four plan coordinates -1. Pieces are never compacted: a new piece takes
// the lowest free slot, otherwise the arrays grow by one.
//
// The twelve saved arrays may be replaced whole by a load, which must then
// call RailCore::afterLoad() (which repairs references into the other stores
// and calls init_ary()). Everything else writes through the operations of the rail
// core (topology edits, sections, signals), which keep the indexes, the
// length and connection caches and the drawing list in step.
#include <cstdint>
#include <vector>

#include "rail/rail_index.h"
#include "rail/rail_types.h"
#include "rail/slot_pool.h"

namespace tetsuro::Rail {

// ---- saved arrays ----
inline std::vector<int8_t> m_typ;    // 0 at grade, 1 elevated, 2 cutting, 3 tunnel
inline std::vector<int8_t> m_spd;    // speed class 3..100 (x 5 km/h)
inline std::vector<int16_t> m_iFZ;   // From end
inline std::vector<int32_t> m_iFY;
inline std::vector<int32_t> m_iFX;
inline std::vector<int16_t> m_iTZ;   // To end
inline std::vector<int32_t> m_iTY;
inline std::vector<int32_t> m_iTX;
inline std::vector<int16_t> m_iHS;   // block section, -1 none
inline std::vector<int16_t> m_iSS;   // signal at the From end, -1 none
inline std::vector<int16_t> m_iSE;   // signal at the To end, -1 none
inline std::vector<int8_t> m_iRL;    // kept and saved, not otherwise used

// ---- caches ----
inline std::vector<int32_t> m_iLenC;   // length in dm, 0 = not computed
// Successors: [n*4], [n*4+1] travelling From->To; [n*4+2], [n*4+3] To->From.
// -2 not computed, -1 none.
inline std::vector<int32_t> m_ia4Con;

// The two ends of a piece.
struct Ends {
    int32_t fz = 0, fy = 0, fx = 0, tz = 0, ty = 0, tx = 0;
    RailPoint from() const { return {fz, fy, fx}; }
    RailPoint to() const { return {tz, ty, tx}; }
};

// Number of slots (length of m_typ) and of valid pieces.
int32_t size();
int32_t count();
// Slot n holds a piece.
bool isValid(int32_t n);
// r >= 0 and its piece is valid.
bool isValidRef(int32_t r);

// Grows or shrinks the store, keeping contents; new slots are free and
// their connection caches -2. False (nothing changed) for n < 0 or n >= 2^30.
bool resize(int32_t n);
// The empty store.
void reset();
// After the saved arrays were replaced: the caches are dropped and every
// index rebuilt. Arrays of unequal length are cut to the shortest.
void init_ary();
// Makes the caches as long as the store (new entries -2 and 0).
void checkSize();

Ends ends(int32_t n);
RailPoint startPoint(int32_t r);
RailPoint endPoint(int32_t r);

// ---- writes used by the edits (they keep indexes and caches right) ----

// Stores a new piece in the lowest free slot (section -1, no signals);
// -1 when the store cannot grow.
int32_t storeNew(int8_t typ, int8_t spd, const Ends& e);
// Moves the ends of a valid piece; both must stay apart in plan.
void storeEnds(int32_t n, const Ends& e);
// Frees a slot: plan coordinates -1, section and signals cleared (the
// caller frees the signals), caches reset.
void storeErase(int32_t n);

// Marks the drawing list out of date (and the cached 3D meshes with it) and
// the section end references; called after every change of a piece.
void changed();

// The indexes (read-only for searches and checks).
const RailIndex& index();
RailIndex& mutableIndex();
const SlotPool& pool();

}  // namespace tetsuro::Rail
