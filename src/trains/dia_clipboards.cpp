#include "trains/dia_clipboards.h"

#include <algorithm>

#include "support/sub.h"
#include "support/sub_dia.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"

namespace tetsuro {

void DiaClipboards::setDiaUnit(int32_t unit) {
    Sub::s_sbDiaUnit = static_cast<int8_t>(unit == 30 || unit == 1 ? unit : 10);
    reset(Sub::getDiaCount());
}

void DiaClipboards::reset(int32_t count) {
    platform.assign(static_cast<size_t>(std::max(count, 0)), 0);
    sw.assign(static_cast<size_t>(std::max(count, 0)), 0);
}

namespace Form {

bool copyDia(int32_t fi, std::vector<int8_t>& buf) {
    if (!isValid(fi)) return false;
    buf = m_DD[static_cast<size_t>(fi)];
    return true;
}

bool pasteDia(int32_t fi, const std::vector<int8_t>& buf) {
    if (!isValid(fi) || buf.size() != static_cast<size_t>(diaCount())) return false;
    auto& dd = m_DD[static_cast<size_t>(fi)];
    dd = buf;
    Dia::sanitizePlatformRules(dd);
    return true;
}

}  // namespace Form

}  // namespace tetsuro
