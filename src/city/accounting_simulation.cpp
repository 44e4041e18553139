#include "city/accounting_simulation.h"

#include "city/date_update.h"
#include "city/finance.h"

namespace tetsuro {

bool AccountingSimulation::putDT(MainCanvas& c) {
    m_finance.bind(c);
    return tetsuro::putDT(m_finance);
}

}  // namespace tetsuro
