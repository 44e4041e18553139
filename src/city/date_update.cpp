#include "city/date_update.h"

#include "city/accounting_calendar.h"
#include "city/date_texts.h"
#include "city/finance.h"
#include "game/game_clock.h"
#include "game/main_canvas.h"

namespace tetsuro {

bool putDT(Finance& f) {
    MainCanvas& c = f.canvas();
    FinanceState& s = f.state();
    const GameDateTime t = clockToDateTime(c.clock());
    const int month = t.month + 1;
    const int64_t year = t.gameYear();

    if (t.day != s.beforeDay || month != s.beforeMonth || year != s.beforeYear || s.dateLine.length() == 0)
        s.dateLine = dateLine(t);
    if (t.hour != s.beforeHour) c.requestPaint();

    if (s.beforeDay != 0 && t.day != s.beforeDay) bookDayChange(f);
    bool closed = false;
    if (s.beforeMonth != 0 && month != s.beforeMonth) closed = bookMonthChange(f, s.beforeMonth, s.beforeYear);

    s.beforeSecond = t.second;
    s.beforeMinute = t.minute;
    s.beforeHour = t.hour;
    s.beforeDay = t.day;
    s.beforeMonth = month;
    s.beforeYear = year;
    return closed;
}

int64_t getYM(const FinanceState& s) { return s.beforeYear * 12 + s.beforeMonth - 1; }

}  // namespace tetsuro
