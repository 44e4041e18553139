#pragma once
// Timetable rules: one byte per slot of the day for every platform and every
// switch. A platform byte holds a stop code in its low five bits and the
// departure mark in bit 5; a switch byte says straight (0) or curve (1).
#include <cstdint>
#include <span>
#include <vector>

namespace tetsuro::Dia {

// Platform stop codes.
enum StopCode : int8_t {
    kPass = 0,      // 通過
    kTurnBack = 1,  // 折り返し
    kStop = 2,      // 停車
    kStop10s = 3,   // 10秒停車
    kStopLong = 4,  // 30秒 / ５分 / 15分停車 by the slot length
};
inline constexpr int8_t kDepartureMark = 32;
inline constexpr int8_t kCodeMask = 31;

// Switch settings.
enum SwitchCode : int8_t { kStraight = 0, kCurve = 1 };

inline int stopCode(int8_t rule) { return rule & kCodeMask; }
inline bool hasDepartureMark(int8_t rule) { return (rule & kDepartureMark) != 0; }

// The rules of a new platform for a day of `count` slots of `unit` minutes:
// wait overnight, leave at 4:00 (the slot before carries the departure
// mark), then stop 10 s in every slot.
std::vector<int8_t> defaultPlatformRules(int32_t count, int32_t unit);
// A new switch lies straight all day.
std::vector<int8_t> defaultSwitchRules(int32_t count);

// Rules read from files can hold any byte. A platform byte keeps its mark
// and a code 0..7; anything else becomes a 10-second stop. A switch byte
// keeps bit 0 only.
int8_t sanitizePlatformRule(int8_t b);
int8_t sanitizeSwitchRule(int8_t b);
void sanitizePlatformRules(std::span<int8_t> rules);
void sanitizeSwitchRules(std::span<int8_t> rules);

// Editor cell colour of a platform rule (0xRRGGBB); codes outside 0..7 are
// clamped into the table. Switch cells: straight 00FF00, curve FF00FF.
int32_t platformCellColor(int8_t rule);
int32_t switchCellColor(int8_t rule);
// A marked cell is drawn two pixels narrower.
inline bool isNarrowCell(int8_t rule) { return hasDepartureMark(rule); }
// Colour of the slot boundary at minute m of the hour.
int32_t gridLineColor(int32_t minute);

}  // namespace tetsuro::Dia
