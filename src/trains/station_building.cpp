#include "trains/station_building.h"

#include "support/sub.h"
#include "trains/station_store.h"

namespace tetsuro::StBuild {

int32_t size() { return static_cast<int32_t>(obj.size()); }

int32_t count() {
    int32_t n = 0;
    for (const Record& r : obj) n += r.m_st >= 0 ? 1 : 0;
    return n;
}

bool isValid(int32_t sb) { return sb >= 0 && sb < size() && obj[sb].m_st >= 0; }

int32_t add(int32_t si, int32_t my, int32_t mx, int32_t gym) {
    if (si < 0) return -1;
    int32_t sb = 0;
    while (sb < size() && obj[sb].m_st >= 0) ++sb;
    if (sb >= kMax) return -1;
    if (sb == size()) obj.emplace_back();
    obj[sb] = Record{static_cast<int16_t>(my), static_cast<int16_t>(mx), static_cast<int16_t>(si),
                     static_cast<int16_t>(gym)};
    return sb;
}

void remove(int32_t sb) {
    if (isValid(sb)) obj[sb].m_st = -1;
}

int32_t searchIndex_myx(int32_t my, int32_t mx) {
    for (int32_t sb = 0; sb < size(); ++sb) {
        if (obj[sb].m_st >= 0 && obj[sb].m_my == my && obj[sb].m_mx == mx) return sb;
    }
    return -1;
}

int64_t getValue(int32_t sb, int64_t ym) {
    if (!isValid(sb)) return 0;
    return Sub::getAssets(kCost, 40, ym - obj[sb].m_gym);
}

void reset() { obj.clear(); }

void afterLoad() {
    if (obj.size() > static_cast<size_t>(kMax)) obj.resize(static_cast<size_t>(kMax));
    for (Record& r : obj) {
        if (r.m_st >= 0 && !Station::isValid(r.m_st)) r.m_st = -1;
    }
}

}  // namespace tetsuro::StBuild
