#include "rail/rail_core.h"

#include <algorithm>
#include <vector>

#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_store.h"
#include "rail/section_ops.h"
#include "rail/signal.h"

namespace tetsuro::RailCore {

void reset() {
    Rail::reset();
    Heisoku::reset();
    Antenna::reset();
    Signal::reset();
    Bunki::reset();
}

void afterLoad() {
    Signal::afterLoad();
    Antenna::afterLoad();
    Bunki::afterLoad();
    Heisoku::resize(std::min<int32_t>(Heisoku::size(), Heisoku::kMax));
    // References that point nowhere are dropped before the indexes are built.
    size_t n = std::min({Rail::m_iHS.size(), Rail::m_iSS.size(), Rail::m_iSE.size(), Rail::m_iFY.size(),
                         Rail::m_iFX.size(), Rail::m_iTY.size(), Rail::m_iTX.size()});
    std::vector<int8_t> owned(static_cast<size_t>(Signal::size()), 0);
    for (size_t i = 0; i < n; ++i) {
        if (Rail::m_iFY[i] == Rail::m_iTY[i] && Rail::m_iFX[i] == Rail::m_iTX[i]) {
            Rail::m_iHS[i] = Rail::m_iSS[i] = Rail::m_iSE[i] = -1;
            continue;
        }
        if (Rail::m_iHS[i] >= Heisoku::size() || (Rail::m_iHS[i] >= 0 && Heisoku::m_ti[Rail::m_iHS[i]] == -2)) {
            Rail::m_iHS[i] = -1;
        }
        for (auto* s : {&Rail::m_iSS[i], &Rail::m_iSE[i]}) {
            if (*s < 0) {
                *s = -1;
            } else if (!Signal::isValid(*s) || owned[*s]) {
                *s = -1;
            } else {
                owned[*s] = 1;
            }
        }
    }
    for (int32_t s = 0; s < Signal::size(); ++s) {
        if (Signal::isValid(s) && !owned[s]) Signal::remove(s);
    }
    Rail::init_ary();
    Heisoku::afterLoad();
    Heisoku::checkRail();
}

}  // namespace tetsuro::RailCore
