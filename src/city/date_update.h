#pragma once
// The date update of the frame cycle: reads the clock, keeps the date line,
// and runs the accounting of each day, month and business-year change.
#include <cstdint>

namespace tetsuro {

class Finance;
struct FinanceState;

// Called after every simulation step and at every hour change. A change of
// the hour asks for a paint. A day change is booked whenever the day
// differs from the last one seen (only the program's first reading has
// none); a month change only when a month has been seen since the game was
// started or loaded. Returns true when the month that ended was March, so
// the business year has just been closed.
bool putDT(Finance& f);

// The month index of the last update, game year x 12 + month - 1.
int64_t getYM(const FinanceState& s);

}  // namespace tetsuro
