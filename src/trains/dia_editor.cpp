#include "trains/dia_editor.h"

#include <algorithm>
#include <cstdio>

#include "trains/dia_rules.h"

namespace tetsuro {

DiaEditor::DiaEditor(Kind kind, std::span<int8_t> rules, int32_t unitMinutes)
    : m_kind(kind), m_rules(rules), m_unit(std::max(unitMinutes, 1)) {}

int32_t DiaEditor::wrap(int64_t slot) const {
    const int64_t n = std::max(count(), 1);
    return int32_t(((slot % n) + n) % n);
}

void DiaEditor::left() {
    if (count() == 0) return;
    m_cursor = rangeOpen() ? std::max(m_cursor - m_step, 0) : wrap(int64_t(m_cursor) - m_step);
}

void DiaEditor::right() {
    if (count() == 0) return;
    m_cursor = rangeOpen() ? std::min(m_cursor + m_step, count() - 1) : wrap(int64_t(m_cursor) + m_step);
}

void DiaEditor::setCursor(int32_t slot) {
    if (slot >= 0 && slot < count()) m_cursor = slot;
}

void DiaEditor::confirm(int choice) {
    if (count() == 0) return;
    if (!rangeOpen()) {
        m_rangeStart = m_cursor;
        return;
    }
    const int32_t n = count();
    const int32_t length = (m_cursor >= m_rangeStart ? m_cursor - m_rangeStart : m_cursor + n - m_rangeStart) + 1;
    // A fresh range sets the period; in period mode it stays.
    if (m_step == 1) m_period = length;
    const int8_t code = int8_t(std::clamp(choice - 1, 0, 31));
    const bool marks = m_kind == Kind::Platform && (code == Dia::kTurnBack || code == Dia::kStop);
    for (int32_t k = 0; k < length; ++k) {
        int8_t b = code;
        if (marks && (k + 1) % m_period == 0) b = int8_t(b | Dia::kDepartureMark);
        m_rules[size_t(wrap(int64_t(m_rangeStart) + k))] = b;
    }
    // Move on by one period: the next range starts after the slot just
    // written last (for a range across midnight, that is after the cursor).
    m_rangeStart = wrap(int64_t(m_cursor) + 1);
    m_cursor = wrap(int64_t(m_rangeStart) + m_period - 1);
    m_step = m_period;
}

bool DiaEditor::cancel() {
    if (rangeOpen() && m_step != 1) {
        m_step = 1;
        m_cursor = m_rangeStart;
        return false;
    }
    if (rangeOpen()) {
        m_rangeStart = -1;
        return false;
    }
    return true;
}

std::string DiaEditor::timeText() const {
    auto hm = [](int32_t minutes) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d:%02d", minutes / 60, minutes % 60);
        return std::string(buf);
    };
    if (!rangeOpen()) return hm(m_cursor * m_unit);
    return hm(m_rangeStart * m_unit) + "-" + hm(m_cursor * m_unit + m_unit - 1);
}

}  // namespace tetsuro
