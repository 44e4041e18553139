#include "trains/dia_clipboards.h"

#include <algorithm>

#include "support/sub_dia.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"

namespace tetsuro {

void DiaClipboards::renew() {
    const auto n = static_cast<size_t>(std::max(Sub::getDiaCount(), 0));
    platform.assign(n, 0);
    sw.assign(n, 0);
}

bool DiaClipboards::fits() const {
    const auto n = static_cast<size_t>(Sub::getDiaCount());
    return platform.size() == n && sw.size() == n;
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
