#include "game/slots.h"

#include <algorithm>

#include "game/game_clock.h"
#include "support/fnv_hash.h"

namespace tetsuro {

void GameSlots::reset() {
    m_sba.fill(0);
    m_swa.fill(0);
    m_sdwa.fill(0);
    m_la.fill(0);
    m_sba[SBA_VIEW_MODE] = 2;
    m_swa[SWA_GRID] = 50;
    m_sba[SBA_DIA_UNIT] = 10;
    m_swa[SWA_MESH_SIZE] = 100;
}

void GameSlots::resetForNewGame() {
    m_sba[SBA_TIME_SCALE] = 5;
    m_sba[SBA_PROPERTY_TAX] = 14;
    m_swa[SWA_CORP_TAX] = 408;
    m_sba[SBA_LOSS_CARRY] = 0;
    m_sba[SBA_GAME_SPEED] = m_sba[SBA_TIME_SCALE];
    m_sba[SBA_PAUSED] = 0;
    m_sba[SBA_STARTED] = 1;
    m_swa[SWA_VIEW_SCALE] = 12;
    m_swa[SWA_HEADING] = 292;
    for (int i = SDWA_INCOME_DAY; i <= SDWA_EXPENSE_PREV_YEAR; ++i) m_sdwa[i] = 0;
    m_sdwa[SDWA_RESERVED_17] = 0;
    for (int i : {LA_RUN_COST, LA_ASSET_TRAIN, LA_ASSET_STATION, LA_ASSET_STATION_M, LA_ASSET_LAND,
                  LA_ASSET_LAND_M, LA_ASSET_TRACK, LA_ASSET_TRACK_M, LA_GAIN, LA_LOSS, LA_TAX_DUE})
        m_la[i] = 0;
    m_la[LA_CLOCK] = kNewGameClock;
}

namespace {
template <class T, size_t N>
void assignInto(std::array<T, N>& dst, const T* v, size_t n) {
    size_t k = std::min(n, N);
    if (k) std::copy(v, v + k, dst.begin());
    std::fill(dst.begin() + k, dst.end(), T(0));
}
}  // namespace

void GameSlots::assignSba(const int8_t* v, size_t n) { assignInto(m_sba, v, n); }
void GameSlots::assignSwa(const int16_t* v, size_t n) { assignInto(m_swa, v, n); }
void GameSlots::assignSdwa(const int32_t* v, size_t n) { assignInto(m_sdwa, v, n); }
void GameSlots::assignLa(const int64_t* v, size_t n) { assignInto(m_la, v, n); }

uint64_t GameSlots::checksum() const {
    Fnv1a64 h;
    for (auto v : m_sba) h.add(v);
    for (auto v : m_swa) h.add(v);
    for (auto v : m_sdwa) h.add(v);
    for (auto v : m_la) h.add(v);
    return h.value();
}

}  // namespace tetsuro
