#pragma once
// Station buildings: one map mesh each, giving a station road access. A
// record is in use while m_st >= 0; removed records stay in the table and
// are reused lowest first.
#include <cstdint>
#include <vector>

namespace tetsuro::StBuild {

// Price and book life of a building.
inline constexpr int64_t kCost = 300000;
inline constexpr int32_t kMax = 32767;

struct Record {
    int16_t m_my = 0;
    int16_t m_mx = 0;
    int16_t m_st = -1;   // its station; -1 removed
    int16_t m_gym = 0;   // year-month built
};

inline std::vector<Record> obj;

int32_t size();
int32_t count();
bool isValid(int32_t sb);

// A building of station si on (my, mx); -1 at kMax.
int32_t add(int32_t si, int32_t my, int32_t mx, int32_t gym);
void remove(int32_t sb);
// The building on a mesh, -1 when none.
int32_t searchIndex_myx(int32_t my, int32_t mx);
int64_t getValue(int32_t sb, int64_t ym);

void reset();
// After obj was replaced: records of missing stations are dropped.
void afterLoad();

}  // namespace tetsuro::StBuild
