#pragma once
// Stations: parallel arrays indexed by station number. A record is in use
// while m_y is not -1; free records are reused lowest first. A station is
// made of station buildings (station_building.h) and platforms
// (platform_store.h); a yard is a station where trains park and nobody
// travels (m_PLM -1).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/j_string.h"

namespace tetsuro::Station {

inline constexpr int32_t m_max = 1000;
inline constexpr int kNameBytes = 18;

// ---- saved arrays ----
inline std::vector<int16_t> m_y;     // representative mesh; -1 free record
inline std::vector<int16_t> m_x;
inline std::vector<int32_t> m_PDH;   // housing potential (100 new, 0 yard)
inline std::vector<int32_t> m_PDO;   // office potential
inline std::vector<int32_t> m_PLM;   // passengers last month; -1 marks a yard
inline std::vector<int32_t> m_PTM;   // passengers this month
inline std::vector<int8_t> m_sName;  // kNameBytes per record, Shift-JIS

int32_t size();
int32_t count();
bool isValid(int32_t si);

// The valid station whose representative mesh is exactly (my, mx), else
// the first free record (growing by one) with an automatic name. -1 for a
// mesh outside the map or at m_max stations.
int32_t add(bool yard, int32_t my, int32_t mx);
// Frees the record; its name becomes a single blank.
void remove(int32_t si);

bool isYard(int32_t si);
// The platform's station kind by its first piece.
bool isYard_fi(int32_t fi);
int32_t countNoYard();
int32_t countYard();

// The name up to its first zero byte; "----" for a free record.
J_String getName(int32_t si);
// The same as UTF-16, built on first use.
const std::u16string& getNameCA(int32_t si);
J_String getName_Form(int32_t fi);
// Writes at most kNameBytes bytes, never half a character, zero-filled.
void setName(int32_t si, const J_String& name);
// The 18-byte field as stored.
std::vector<int8_t> nameField(int32_t si);

// Centre of the representative mesh in real units; packed with x low.
std::array<int32_t, 2> getRYX(int32_t si);
int64_t getRYXq(int32_t si);

// Book value of its buildings and pieces at month index ym; the earliest
// year-month among them (-1 for none).
int64_t getValue(int32_t si, int64_t ym);
int32_t getGYM(int32_t si);
// The book value of every building and piece (the station book's basis).
int64_t valueOfAll(int64_t ym);
// Buildings and platforms of the station, ascending.
std::vector<int32_t> buildings(int32_t si);
std::vector<int32_t> forms(int32_t si);

// Non-yard stations whose mesh lies within Manhattan distance len.
std::vector<int32_t> getStList(int32_t my, int32_t mx, int32_t len);
// (station, travellers waiting) for every station, most waiting first,
// ties in station order.
std::vector<std::array<int64_t, 2>> getList(const std::function<int64_t(int32_t)>& waiting);

// Month end: every non-yard station's passengers of this month become last
// month's.
void rollPassengers();

// Every station gone.
void reset();
// After the saved arrays were replaced: lengths made equal, the slot
// bookkeeping and the cached names rebuilt.
void afterLoad();

}  // namespace tetsuro::Station
