#pragma once
// What each change of the calendar does to the books: daily upkeep, the
// month's depreciation, snapshots and interest, the close of the business
// year at the end of March and the tax payment at the end of May. The date
// update decides when they run.
#include <cstdint>

namespace tetsuro {

class Finance;

// A new day: yesterday's counters, train day income reset, then the upkeep
// of stations (20 each, not yards), yards (2 each) and station buildings
// (30 each), in that order, each paid and booked as deductible.
void bookDayChange(Finance& f);

// The month (1..12) of the game year that has just ended. Returns true when
// that closed the business year (the month was March).
bool bookMonthChange(Finance& f, int endedMonth, int64_t endedGameYear);

// End of March: term counters, the status and tax panels, the taxable
// account cleared, the year-end panels opened, and bankruptcy decided when
// the company is insolvent and lost money in the year.
void closeBusinessYear(Finance& f);

// End of May: the tax due is paid (it stays in LA_TAX_DUE until the next
// close).
void payTaxDue(Finance& f);

}  // namespace tetsuro
