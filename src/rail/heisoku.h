#pragma once
// Block sections. Each valid piece belongs to one section and a section
// holds at most one train. Signals stand where sections meet; a section's
// two end references are the references that enter it past a signal.
//
// The section-building operations are in section_ops.h, the reconciliation
// of markers and signals in reconcile.h.
#include <cstdint>
#include <vector>

namespace tetsuro::Heisoku {

// Pieces store section numbers in 16 bits.
inline constexpr int32_t kMax = 32767;

// Saved: -2 free slot, -1 no train, otherwise the train holding the section.
inline std::vector<int16_t> m_ti;
// The two end references of every section (-1 for a missing end); rebuilt
// on demand when m_bCreateRI is false.
inline std::vector<int32_t> m_ri;
inline bool m_bCreateRI = false;

// A new empty section without a train in the lowest free slot; -1 at the limit.
int32_t add();
// Frees a section that no piece belongs to; false otherwise.
bool remove(int32_t n);
bool isValid(int32_t n);
int32_t size();
int32_t count();
// k more sections can be made.
bool canAdd(int32_t k);
// Grows or shrinks the table; new slots are free. False for n < 0 or > kMax.
bool resize(int32_t n);
void reset();
// After m_ti was replaced and the pieces loaded: rebuilds the slot
// bookkeeping; sections no piece belongs to are freed.
void afterLoad();

// Number of pieces in a section.
int32_t pieceCount(int32_t n);
// Frees a valid section once no piece belongs to it.
void releaseIfEmpty(int32_t n);

// End reference j (0 or 1) of section n, -1 when missing.
int32_t getRI(int32_t n, int j);
// Marks the end references out of date (any change of pieces, sections or signals).
void invalidateRI();
// All end references in one pass over the pieces (two per section).
std::vector<int32_t> buildRI();
// The same from every section's getHeisokuBoth (the literal form).
std::vector<int32_t> buildRILiteral();

// The signal at end j and setting its state (nothing for a missing end).
int32_t getSI(int32_t n, int j);
bool setSignalSt(int32_t n, int j, int32_t v);
// The piece a train takes when it leaves section n past end j (through the
// switch there), and that piece's section; -1 for none.
int32_t getRailConnect(int32_t n, int j);
int32_t getConnect(int32_t n, int j);
// Speed class of end reference 0; the signal type: 0 two aspects (class 9
// or less), 1 three aspects.
int32_t getSpd(int32_t n);
int getSignalType(int32_t n);
int getSignalType_spd(int32_t cls);

// Signal states of one section: stop at both ends when a train holds it;
// otherwise proceed, and for three aspects caution at the end facing a
// missing or occupied section beyond the other end.
void renewSignal_main(int32_t n);
// The section and the sections beyond both its ends.
void renewSignal(int32_t n);
// Frees every section held by train ti and renews their signals.
void delTrain(int32_t ti);
// The train holding the section of piece ri (-1 for none or no section).
int32_t getTI_ri(int32_t ri);
bool setTI_Rail(int32_t ri, int32_t v);

}  // namespace tetsuro::Heisoku
