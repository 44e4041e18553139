#pragma once
// The two timetable clipboards, one day of rules each: one for platforms,
// one for switches. Emptied (all zero, getDiaCount() bytes) whenever the
// slot length is set; never saved. The world owns them.
#include <cstdint>
#include <vector>

namespace tetsuro {

struct DiaClipboards {
    std::vector<int8_t> platform;
    std::vector<int8_t> sw;

    // Sets the slot length (Sub::s_sbDiaUnit: 30, 10 or 1; anything else 10)
    // and empties both clipboards at the new day length.
    void setDiaUnit(int32_t unit);
    // Empties both clipboards at `count` slots.
    void reset(int32_t count);
};

namespace Form {
// Copies platform fi's day of rules into buf; false for a free record.
bool copyDia(int32_t fi, std::vector<int8_t>& buf);
// Overwrites platform fi's rules with buf (sanitised); false for a free
// record or a buffer of another length.
bool pasteDia(int32_t fi, const std::vector<int8_t>& buf);
}  // namespace Form

}  // namespace tetsuro
