#pragma once
// The timetable slot grid: the day is cut into 1440 / u slots of u minutes
// (u = 30, 10 or 1, chosen at a new game). Slot i starts at minute i x u.
#include <cstdint>

namespace tetsuro::Sub {

// The slot length in minutes (10 while none is set).
int32_t getDiaUnit();
// Slots per day.
int32_t getDiaCount();
// The slot the game clock is in (0 before the slot arrays exist).
int32_t getDiaIndex();
// The slot of a clock value.
int32_t getDiaIndexAt(int64_t clock);
// Slots per hour, the hour and the minute of slot i.
int32_t getDiaColumnHour();
int32_t getDiaHour(int32_t i);
int32_t getDiaMinutes(int32_t i);
// Slots per row of the editor with the current row count (SBA_DIA_LINES).
int32_t getDiaColumn();

}  // namespace tetsuro::Sub
