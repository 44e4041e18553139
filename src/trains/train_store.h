#pragma once
// The train records: parallel arrays indexed by record index ti. A record is
// in use when m_n[ti] != -1; its number m_n is the row of the train list it
// occupies. A train is a chain of car records (train_cars.h) of one
// catalogue type, placed on the track or not (m_NF == kNotPlaced).
//
// The path and the held sections are derived state for running (not saved);
// they are rebuilt after a load (afterLoad).
#include <cstdint>
#include <vector>

#include "support/j_string.h"
#include "trains/train_path.h"

namespace tetsuro::Train {

// Rows of the train list, and the limit on records.
inline constexpr int32_t m_max = 1000;
inline constexpr int32_t kMaxCarsPerTrain = 99;
inline constexpr int32_t kNameBytes = 18;
// m_NF values.
inline constexpr int16_t kNoPlatform = -1;
inline constexpr int16_t kPullingOut = -2;
inline constexpr int16_t kNotPlaced = -3;
// m_Signal without a limit.
inline constexpr int8_t kNoSignalLimit = 100;

// Time-scale factors (set with setTimeScale): track speed = speed in
// 0.1 km/h x m_timesc / 4; the catalogue's acceleration and braking are
// divided by s_iTSDenominator; m_diamax entries per timetable record.
inline int32_t m_diamax = 2048;
inline int64_t m_timesc = 120;
inline int64_t s_iTSDenominator = 16;

struct Obj {
    int8_t m_rc = 0;    // number of cars
    int16_t m_rs = -1;  // car record of the head car
};

// ---- saved ----
inline std::vector<int16_t> m_n;
inline std::vector<Obj> obj;
inline std::vector<int16_t> m_re;   // car record of the last car
inline std::vector<int8_t> m_Typ;
inline std::vector<int32_t> m_Clr;  // 0xRRGGBB
inline std::vector<int8_t> m_sName;  // kNameBytes per record, zero-filled
inline std::vector<int16_t> m_NF;
// Track units to the next decision point; saved in 32 bits, 64-bit here
// because stop points add a platform and a train length.
inline std::vector<int64_t> m_NP;
inline std::vector<int16_t> m_di;
inline std::vector<int32_t> m_SP;
inline std::vector<int8_t> m_ac;
inline std::vector<int8_t> m_Signal;
inline std::vector<int32_t> m_iNextCount;
inline std::vector<int64_t> m_lLastMS;
inline std::vector<int64_t> m_IncomeD, m_IncomeM, m_IncomeY;
inline std::vector<int16_t> m_DiaIdx;
inline std::vector<int16_t> m_aDiaFo;  // m_diamax per record
inline std::vector<int32_t> m_aDiaAr;
inline std::vector<int32_t> m_aDiaLe;
inline std::vector<int32_t> m_iPassenger;

// ---- derived ----
inline std::vector<TrainPath> m_path;
// Sections the train holds (at most 2 x cars + 1), so that releasing them
// never scans the section table.
inline std::vector<std::vector<int16_t>> m_held;

int32_t size();
int32_t count();
// ti is a record in use.
bool isValid(int32_t ti);
bool isPlaced(int32_t ti);

// Creates train number tn of type tp with rc cars bought in year-month gym,
// not placed, in the lowest free record (the arrays grow by one when none
// is free). -1, with nothing changed, when the record index would reach
// m_max, tn is not a free row 0..m_max-1, tp is not a catalogue type, rc is
// not 1..99 or the car records would run out.
int32_t add(int32_t tn, int32_t tp, int32_t rc, int32_t gym);
// Frees a train that is not placed and its cars; false otherwise.
bool sell(int32_t ti);
// The record of train number tn, -1 when none.
int32_t toIndex(int32_t tn);
bool isNonPurchaseFromNo(int32_t tn);
bool isNonPlacementFromNo(int32_t tn);

// Name as stored (zero bytes after the text dropped).
J_String getName(int32_t ti);
// Trims the text and stores at most 18 bytes of it, cut before a
// double-byte character that would not fit; the rest zero-filled.
void setName(int32_t ti, const J_String& name);
// The text cut to at most n bytes on a character boundary.
J_String cutName(const J_String& name, int n = kNameBytes);

// Empties the timetable record (m_DiaIdx -1, arrivals and departures -2).
void clearDia(int32_t ti);
// Time-scale factors; a new record length empties every record.
void setTimeScale(int64_t timesc, int64_t tsDenominator, int32_t diamax);

// Car counts and chain ends.
inline int32_t carCount(int32_t ti) { return obj[static_cast<size_t>(ti)].m_rc; }
inline int32_t headCar(int32_t ti) { return obj[static_cast<size_t>(ti)].m_rs; }
inline int32_t lastCar(int32_t ti) { return m_re[static_cast<size_t>(ti)]; }

// The empty table (and no car records).
void reset();
// After the saved arrays were replaced: arrays cut to the shortest and the
// derived state made empty (Train::afterLoad in train_load.h does the rest).
void resizeDerived();

}  // namespace tetsuro::Train
