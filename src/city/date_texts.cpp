#include "city/date_texts.h"

#include <cstdio>

#include "support/int_math.h"
#include "support/shift_jis.h"

namespace tetsuro {

namespace {
J_String fromAscii(const char* buf) { return J_String(buf); }

// A number right-aligned in width places, blanks on the left.
J_String padded(int64_t v, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%*lld", width, (long long)v);
    return fromAscii(buf);
}
}  // namespace

J_String createTimeString(int h, int m) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d", h, m);
    return fromAscii(buf);
}

J_String createTimeString(int h, int m, int s) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, m, s);
    return fromAscii(buf);
}

J_String createTimeString(int h, int m, int s, int ms) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%d", h, m, s, ms / 100);
    return fromAscii(buf);
}

J_String timeLine(const GameDateTime& t, int textWidth) {
    if (textWidth >= 25) return createTimeString(t.hour, t.minute, t.second, t.millisecond);
    if (textWidth >= 23) return createTimeString(t.hour, t.minute, t.second);
    return createTimeString(t.hour, t.minute);
}

J_String dateLine(const GameDateTime& t) {
    J_String d = padded(t.gameYear(), 2);
    d += SJ(u8"年");
    d += padded(t.month + 1, 2);
    d += SJ(u8"月");
    d += padded(t.day, 2);
    d += SJ(u8"日");
    return d;
}

J_String getStringYM(int64_t ym) {
    J_String d = padded(floorDiv<int64_t>(ym, 12), 3);
    d += SJ(u8"年");
    d += padded(floorMod<int64_t>(ym, 12) + 1, 2);
    d += SJ(u8"月");
    return d;
}

}  // namespace tetsuro
