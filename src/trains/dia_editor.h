#pragma once
// The logic of the platform and switch rule editors, apart from drawing: a
// cursor over the slots of a day, an optional range, and the period mode in
// which repeated confirmations lay the same pattern period after period.
// It works on the rule bytes of one platform or switch.
#include <cstdint>
#include <span>
#include <string>

namespace tetsuro {

class DiaEditor {
public:
    enum class Kind { Platform, Switch };

    // rules: the day of the platform or switch being edited (count slots of
    // unitMinutes each).
    DiaEditor(Kind kind, std::span<int8_t> rules, int32_t unitMinutes);

    int32_t cursor() const { return m_cursor; }
    int32_t rangeStart() const { return m_rangeStart; }  // -1: no range
    int32_t step() const { return m_step; }
    bool rangeOpen() const { return m_rangeStart >= 0; }

    // Left / right by the current step; around the day only while no range
    // is open (with a range the cursor stops at the ends of the day).
    void left();
    void right();
    // The pointer picked a cell.
    void setCursor(int32_t slot);

    // Confirm with the choice highlighted in the rule window (1-based: the
    // code written is choice - 1). The first confirmation opens a range; the
    // next applies the choice from the range start to the cursor (across
    // midnight when the cursor lies before the start) and moves on by one
    // period.
    void confirm(int choice);
    // Cancel: first leaves the period mode, then drops the range; returns
    // true when the editor should close.
    bool cancel();

    // The time window: the cursor slot's start "h:mm", or while a range is
    // open "h:mm-h:mm" (start of the range to the end of the cursor slot).
    std::string timeText() const;

private:
    int32_t count() const { return int32_t(m_rules.size()); }
    int32_t wrap(int64_t slot) const;

    Kind m_kind;
    std::span<int8_t> m_rules;
    int32_t m_unit;
    int32_t m_cursor = 0;
    int32_t m_rangeStart = -1;
    int32_t m_step = 1;
    int32_t m_period = 1;
};

}  // namespace tetsuro
