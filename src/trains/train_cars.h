#pragma once
// Car records: parallel arrays indexed by car record r. Pair arrays hold two
// entries per car, 2r for the front end and 2r + 1 for the rear end.
//
// Record numbers are stored in 16 bits (the trains' head and last car, the
// links between cars), so there are at most 32767 car records; a purchase
// that would need more is refused. A new car takes the lowest free record.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tetsuro::Train_rs {

inline constexpr int32_t kMax = 32767;
// Link values in m_ac.
inline constexpr int16_t kNone = -1;  // head car (front link) / last car (rear link)
inline constexpr int16_t kFree = -2;  // front link of a free record

// ---- saved ----
// 2r: the car in front (kNone for the head car, kFree for a free record);
// 2r + 1: the car behind (kNone for the last car).
inline std::vector<int16_t> m_ac;
// Rail of each end, oriented so that the rail's start is the end the car is
// heading for (see train_direction.h), and the track units from the end to
// that start. Positions fit 32 bits when saved; arithmetic is 64-bit.
inline std::vector<int32_t> m_ari;
inline std::vector<int64_t> m_arp;
// Year-month of purchase: game year x 12 + month - 1.
inline std::vector<int16_t> m_gym;

// ---- derived ----
// Real coordinates of each end, refreshed from the rail positions.
inline std::vector<int32_t> m_az, m_ay, m_ax;
// Screen outline of each car (four y, x corners) for picking; -1 when not drawn.
inline std::vector<int32_t> m_as4;
// Path entry (TrainPath sequence number) each end stands on.
inline std::vector<int64_t> m_aseq;

int32_t size();
int32_t count();
bool isValid(int32_t r);
// n more cars can be made.
bool canAdd(int32_t n);

// A chain of n new cars linked head to tail, each bought in year-month gym;
// the head and last records, or {-1, -1} when n is not 1..kMax or the
// records would run out (nothing changes then).
struct Chain {
    int32_t head = -1;
    int32_t last = -1;
};
Chain addChain(int32_t n, int32_t gym);
// Frees every car of the chain starting at head.
void removeChain(int32_t head);

// The car behind r (-1 for the last car or an invalid record).
inline int32_t next(int32_t r) { return r >= 0 && r < size() ? m_ac[2 * static_cast<size_t>(r) + 1] : -1; }

void reset();
// After the saved arrays were replaced: arrays of unequal length are cut to
// the shortest, derived arrays rebuilt, free records recounted.
void afterLoad();

}  // namespace tetsuro::Train_rs
