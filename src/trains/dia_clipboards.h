#pragma once
// The two timetable clipboards, one day of rules each: one for platforms,
// one for switches. Emptied (all zero, getDiaCount() bytes) whenever the
// slot length is set (MainCanvas::setDiaUnit owns the length); never saved.
// The world owns them and renews them when the day length changed.
#include <cstdint>
#include <vector>

namespace tetsuro {

struct DiaClipboards {
    std::vector<int8_t> platform;
    std::vector<int8_t> sw;

    // Empties both clipboards at the current day length (Sub::getDiaCount()).
    void renew();
    // Both hold a day of the current length.
    bool fits() const;
};

namespace Form {
// Copies platform fi's day of rules into buf; false for a free record.
bool copyDia(int32_t fi, std::vector<int8_t>& buf);
// Overwrites platform fi's rules with buf (sanitised); false for a free
// record or a buffer of another length.
bool pasteDia(int32_t fi, const std::vector<int8_t>& buf);
}  // namespace Form

}  // namespace tetsuro
