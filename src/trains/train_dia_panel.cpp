#include "trains/train_dia_panel.h"

#include <cstdio>

#include "support/int_math.h"
#include "support/shift_jis.h"
#include "trains/station_store.h"
#include "trains/train_dia.h"
#include "trains/train_store.h"

namespace tetsuro::TrainDiaPanel {

namespace {
constexpr int64_t kTicksPerMinute = 3600;

J_String ascii(const char* s) { return J_String(s); }
}  // namespace

J_String numberText(int32_t number) {
    char b[16];
    std::snprintf(b, sizeof b, "%03d", number);
    return ascii(b);
}

J_String clockText(int64_t ticks) {
    const int64_t m = floorMod<int64_t>(ticks, Train::kDiaDayTicks) / kTicksPerMinute;
    char b[16];
    std::snprintf(b, sizeof b, "%02d:%02d", int(m / 60), int(m % 60));
    return ascii(b);
}

J_String statusText(int32_t ti, std::optional<int64_t> departureClock) {
    if (departureClock) {
        J_String s = clockText(*departureClock);
        s += SJ(u8"発");
        return s;
    }
    if (Train::isTestRun(ti)) return SJ(u8"試運転");
    J_String s;
    s += ti >= 0 && size_t(ti) < Train::m_iPassenger.size() ? Train::m_iPassenger[size_t(ti)] : 0;
    s += SJ(u8"名");
    return s;
}

std::vector<Line> recordLines(int32_t ti, int32_t maxLines) {
    std::vector<Line> out;
    const int32_t cur = Train::isValid(ti) ? Train::m_DiaIdx[size_t(ti)] : -1;
    if (cur < 0 || cur >= Train::m_diamax || maxLines <= 0) return out;
    const bool loop = !Train::isTestRun(ti);
    const int32_t n = loop ? Train::getDiaSize(ti) : cur + 1;
    int32_t k = Train::getStartDiaIdx(ti);
    if (k < 0) k = 0;
    for (int32_t seen = 0; seen < n && int32_t(out.size()) < maxLines; ++seen) {
        const J_String name = Station::getName(Train::getDiaSt(ti, k));
        const int32_t ar = Train::getDiaAr(ti, k), le = Train::getDiaLe(ti, k);
        bool marked = false;
        auto add = [&](int32_t t, const char8_t* mark) {
            J_String s = name;
            s += " ";
            s += clockText(t);
            s += SJ(mark);
            out.push_back({s, k == cur && !marked});
            marked = marked || k == cur;
        };
        // Times are week ticks and a departure may be counted past the week's end.
        const bool arrivalShown =
            ar >= 0 && !(le >= 0 && floorMod<int64_t>(int64_t(le) - ar, Train::kDiaDayTicks) <= kTicksPerMinute);
        if (arrivalShown) add(ar, u8"着");
        if (le >= 0 && int32_t(out.size()) < maxLines) add(le, u8"発");
        if (!loop && k == cur) break;
        k = loop ? (k + 1 >= n ? 0 : k + 1) : k + 1;
    }
    return out;
}

}  // namespace tetsuro::TrainDiaPanel
