#pragma once
// The per-train timetable record: the stops a train actually makes, and the
// loop they close into once a day's pattern repeats. Entries live in
// Train::m_aDiaFo/Ar/Le from ti x m_diamax; times are ticks within the week.
// A closed loop of size n holds entries 0..n-1, then a copy of entry 0 whose
// departure is -1 (the wrap-around check).
#include <cstdint>

namespace tetsuro::Train {

inline constexpr int32_t kDiaDayTicks = 5184000;  // 60 ticks x 86400 s
inline constexpr int32_t kDiaWeekTicks = 7 * kDiaDayTicks;
inline constexpr int32_t kDiaNotLeft = -2;  // departure not yet recorded
inline constexpr int32_t kDiaLoopEnd = -1;  // departure marking the loop's end

// Records a stop at platform fi at week time cnt. False only when a test
// run has filled its record: the record then starts over with this arrival
// as entry 0, so no stale departures after it can pass for a loop.
bool arrive(int32_t ti, int32_t cnt, int32_t fi);
// Records the departure of the current stop during a test run and closes
// the loop when the train leaves the same platform, coming from the same
// platform, at the same time of day as on an earlier pass. Nothing for an
// empty record or a train in service.
void leave(int32_t ti, int32_t cnt);

// Test run: no record, a full one, or the entry after the current one not
// yet left. In service: placed and not on a test run.
bool isTestRun(int32_t ti);
bool isService(int32_t ti);
// The first entry whose departure is negative, -1 when none.
int32_t getDiaSize(int32_t ti);
// Entry i; out of range gives -1 (platform, station) or kDiaNotLeft (times).
int32_t getDiaFo(int32_t ti, int32_t i);
int32_t getDiaAr(int32_t ti, int32_t i);
int32_t getDiaLe(int32_t ti, int32_t i);
int32_t getDiaSt(int32_t ti, int32_t i);
// The entry before the current one, wrapping to the loop's last; its station
// is where the current leg started.
int32_t getStartDiaIdx(int32_t ti);
int32_t getStartStation(int32_t ti);
// Departure of the loop's last entry.
int32_t getDiaLe_Last(int32_t ti);
// Days the loop spans (1 for a daily loop).
int32_t getRotationDay(int32_t ti);
// Clock time of the next arrival at entry i, counted from m_lLastMS.
int64_t getArriveDT(int32_t ti, int32_t i);
// Clock time at which a train in service next reaches station ts after
// calling at station fs; 0 when it does not.
int64_t searchArrive(int32_t ti, int32_t fs, int32_t ts);
// The train with the earliest positive searchArrive, ties to the highest
// number; -1 when none. Uses the station index (dia_connect.h).
int32_t searchFirstArrive(int32_t fs, int32_t ts);
// The train is in service, neither station is a yard, and its loop calls at
// both.
bool isConnect(int32_t ti, int32_t st0, int32_t st1);
// Some train connects the two (different) stations; O(1) on the index.
bool isConnect(int32_t st0, int32_t st1);

// The same two questions answered by scanning every train (kept as the
// reference the indexed versions are tested against).
int32_t searchFirstArriveScan(int32_t fs, int32_t ts);
bool isConnectScan(int32_t st0, int32_t st1);

// A platform record was freed: records whose used entries mention it are
// emptied, so a later platform in the same record never becomes their stop.
void clearDiaUsingPlatform(int32_t fi);

}  // namespace tetsuro::Train
