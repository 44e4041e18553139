#include "trains/station_panels.h"

#include "city/date_texts.h"
#include "city/money_format.h"
#include "support/shift_jis.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"

namespace tetsuro {

namespace {
constexpr int32_t kPassengerWidth = 9;
}

StationPanel stationPanel(int32_t si, int64_t ym) {
    StationPanel p;
    if (!Station::isValid(si)) return p;
    p.name = Station::getName(si);
    p.lastMonth = LongToFundString(Station::m_PLM[si], kPassengerWidth);
    p.thisMonth = LongToFundString(Station::m_PTM[si], kPassengerWidth);
    const int32_t gym = Station::getGYM(si);
    if (gym >= 0) p.built = getStringYM(gym);
    p.bookValue = Station::getValue(si, ym);
    p.value = LongToFundString(p.bookValue, 0);
    return p;
}

PlatformPanel platformPanel(int32_t fi, int64_t ym) {
    PlatformPanel p;
    if (!Form::isValid(fi)) return p;
    p.number += static_cast<int>(Form::m_no[fi]);
    p.number += SJ(u8"番線");
    const int64_t len = Form::getLength(fi);
    p.length += static_cast<long long>(len / 10);
    p.length += ".";
    p.length += static_cast<int>(len % 10);
    const int32_t gym = Form::getGYM(fi);
    if (gym >= 0) p.built = getStringYM(gym);
    p.bookValue = Form::getValue(fi, ym);
    p.value = LongToFundString(p.bookValue, 0);
    return p;
}

}  // namespace tetsuro
