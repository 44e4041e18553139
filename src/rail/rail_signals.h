#pragma once
// Signals and markers as seen from the pieces. The signal of a reference is
// the one at its start (m_iSS for a plain reference, m_iSE for a reversed
// one); it protects the section the reference enters.
#include <cstdint>

namespace tetsuro::Rail {

int32_t getSignal(int32_t r);
int32_t getSignal(int32_t n, bool b);
// Raw writes of the entry (v = -1 or a signal number); false for an invalid
// piece or value.
bool setSignal(int32_t r, int32_t v);
bool setSignal(int32_t n, bool b, int32_t v);
// The signal at the start of r, created when missing; -1 for an invalid
// reference or at the signal limit.
int32_t addSignal(int32_t r);
int32_t setSignal(int32_t r);
// Frees the signal at the start of r; false when there was none.
bool removeSignal(int32_t r);
// For every reference leaving the point; true when a signal was removed.
bool removeSignal(int64_t z, int64_t y, int64_t x);
void setSignalAdd(int64_t z, int64_t y, int64_t x);
// 9 when the signal at the start of r shows caution, otherwise 100: the
// speed-class cap a train takes over as it passes.
int32_t getSignalSP(int32_t r);
// Removes the marker and every signal at a point; true when a signal went.
bool eraseSignalAntenna(int64_t z, int64_t y, int64_t x);
// The marker at the end of r, -1 when none.
int32_t getAntenna(int32_t r);
// The marker type a point needs: -2 no piece passes through it; 0 one piece
// end (dead end); 2 three or more ends (a junction); 3 two ends of different
// speed classes; otherwise what the platforms ask for (1 or -1 for none).
int investigateAntenna(int64_t z, int64_t y, int64_t x);

}  // namespace tetsuro::Rail
