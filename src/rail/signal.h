#pragma once
// Signals: one state per signal number. Pieces hold the numbers (a signal
// at the From end and one at the To end), and each signal belongs to
// exactly one piece end.
#include <cstdint>
#include <vector>

namespace tetsuro::Signal {

inline constexpr int8_t kStop = 0;
inline constexpr int8_t kCaution = 1;
inline constexpr int8_t kProceed = 5;
// Pieces store signal numbers in 16 bits.
inline constexpr int32_t kMax = 32767;

// -1 free slot, otherwise the state. Saved; call afterLoad() after replacing it.
inline std::vector<int8_t> m_st;

// A new signal showing proceed in the lowest free slot; -1 at the limit.
int32_t add();
// Frees a signal; false when out of range or already free.
bool remove(int32_t n);
bool isValid(int32_t n);
// Sets the state of a valid signal (invalid numbers are ignored: false).
bool setSt(int32_t n, int32_t v);
// The state, -1 for an invalid number.
int32_t getSt(int32_t n);
int32_t size();
int32_t count();
// k more signals can be made.
bool canAdd(int32_t k);
// Grows or shrinks the table; new slots are free. False for n < 0 or > kMax.
bool resize(int32_t n);
void reset();
void afterLoad();

}  // namespace tetsuro::Signal
