#include "trains/train_queries.h"

#include <algorithm>

#include "map/map.h"
#include "support/sub.h"
#include "support/vel_jlib_geometry.h"
#include "trains/train_chain.h"
#include "trains/train_spec.h"

namespace tetsuro::Train {

namespace {

constexpr int64_t kSeatsPerCar = 100;
constexpr int64_t kMaxRidersPerCar = 255;
constexpr int64_t kLifeYears = 13;

size_t at(int32_t ti) { return static_cast<size_t>(ti); }

// Index of end p in the pair arrays, or npos.
constexpr size_t kNoEnd = static_cast<size_t>(-1);
size_t endIndex(int32_t ti, int32_t p) {
    if (p < 0) return kNoEnd;
    const int32_t r = carRecord(ti, p / 2);
    return r < 0 ? kNoEnd : 2 * static_cast<size_t>(r) + static_cast<size_t>(p % 2);
}

int32_t mean(int32_t a, int32_t b) { return static_cast<int32_t>((int64_t{a} + b) / 2); }

}  // namespace

int64_t getCapacity(int32_t ti) { return isValid(ti) ? carCount(ti) * kSeatsPerCar : 0; }

int64_t addPassenger(int32_t ti, int64_t p) {
    if (!isValid(ti) || p <= 0) return 0;
    const int64_t room = std::max<int64_t>(0, carCount(ti) * kMaxRidersPerCar - m_iPassenger[at(ti)]);
    const int64_t boarded = std::min(p, room);
    m_iPassenger[at(ti)] += static_cast<int32_t>(boarded);
    return boarded;
}

int64_t getTakeP(int32_t ti) { return isValid(ti) ? m_iPassenger[at(ti)] : 0; }

int64_t getTakeRate(int32_t ti) {
    return isValid(ti) && carCount(ti) > 0 ? m_iPassenger[at(ti)] / carCount(ti) : 0;
}

int64_t getValue(int32_t ti, int64_t ym) {
    if (!isValid(ti)) return 0;
    const int64_t price = TrainSpec::getPrice(m_Typ[at(ti)]);
    int64_t value = 0;
    forEachCar(ti, [&](int32_t r) {
        value += Sub::getAssets(price, kLifeYears, ym - Train_rs::m_gym[static_cast<size_t>(r)]);
    });
    return value;
}

int64_t getMaxSP_km(int32_t ti) { return isValid(ti) ? int64_t{TrainSpec::getSpeed(m_Typ[at(ti)])} * 10 : 0; }

int64_t getAcceleration(int32_t ti) {
    return isValid(ti) ? TrainSpec::getAcceleration(m_Typ[at(ti)]) / s_iTSDenominator : 0;
}

int64_t getBreaking(int32_t ti) {
    return isValid(ti) ? TrainSpec::getBreaking(m_Typ[at(ti)]) / s_iTSDenominator : 0;
}

int32_t carRecord(int32_t ti, int32_t n) {
    if (!isValid(ti) || n < 0 || n >= carCount(ti)) return -1;
    int32_t r = headCar(ti);
    for (int32_t k = 0; k < n && r >= 0; ++k) r = Train_rs::next(r);
    return Train_rs::isValid(r) ? r : -1;
}

int32_t getRI(int32_t ti, int32_t p) {
    const size_t e = endIndex(ti, p);
    return e == kNoEnd ? -1 : Train_rs::m_ari[e];
}

int64_t getRP(int32_t ti, int32_t p) {
    const size_t e = endIndex(ti, p);
    return e == kNoEnd ? 0 : Train_rs::m_arp[e];
}

std::array<int32_t, 2> getRYX(int32_t ti, int32_t p) {
    const size_t e = endIndex(ti, p);
    if (e == kNoEnd) return {-1, -1};
    return {Train_rs::m_ay[e], Train_rs::m_ax[e]};
}

std::array<int32_t, 2> getRCYX(int32_t ti, int32_t n) { return {getRCY(ti, n), getRCX(ti, n)}; }

int32_t getRCY(int32_t ti, int32_t n) {
    const size_t f = endIndex(ti, 2 * n);
    return f == kNoEnd ? -1 : mean(Train_rs::m_ay[f], Train_rs::m_ay[f + 1]);
}

int32_t getRCX(int32_t ti, int32_t n) {
    const size_t f = endIndex(ti, 2 * n);
    return f == kNoEnd ? -1 : mean(Train_rs::m_ax[f], Train_rs::m_ax[f + 1]);
}

int32_t getRCZ(int32_t ti, int32_t n) {
    const size_t f = endIndex(ti, 2 * n);
    return f == kNoEnd ? -1 : mean(Train_rs::m_az[f], Train_rs::m_az[f + 1]);
}

std::array<int64_t, 2> getVectorYX(int32_t ti, int32_t n) {
    const size_t f = endIndex(ti, 2 * n);
    if (f == kNoEnd) return {0, 0};
    return {int64_t{Train_rs::m_ay[f]} - Train_rs::m_ay[f + 1], int64_t{Train_rs::m_ax[f]} - Train_rs::m_ax[f + 1]};
}

int getAngleYX360(int32_t ti, int32_t n) {
    const auto v = getVectorYX(ti, n);
    return VelJLib::getAngleYX360(v[0], v[1]);
}

int getAngle16(int32_t ti, int32_t n) { return VelJLib::getAngle16from360(getAngleYX360(ti, n)); }

bool isOnTheRail(int32_t ti) { return isPlaced(ti) && getRP(ti, 0) > 0; }

bool isElevated(int32_t ti) {
    if (!isPlaced(ti)) return false;
    bool above = false;
    forEachCar(ti, [&](int32_t r) {
        for (size_t e = 2 * static_cast<size_t>(r); e <= 2 * static_cast<size_t>(r) + 1; ++e) {
            if (Train_rs::m_az[e] > Map::getZ_RYX(Train_rs::m_ay[e], Train_rs::m_ax[e])) above = true;
        }
    });
    return above;
}

}  // namespace tetsuro::Train
