#include "trains/train_placement.h"

#include <algorithm>
#include <cmath>

#include "rail/heisoku.h"
#include "rail/rail_geometry.h"
#include "rail/rail_store.h"
#include "rail/rail_search.h"
#include "trains/dia_connect.h"
#include "trains/train_chain.h"
#include "trains/train_direction.h"
#include "trains/train_hooks.h"
#include "trains/train_sections.h"
#include "trains/train_spec.h"

namespace tetsuro::Train {

namespace {

int32_t toInt32(double v) { return static_cast<int32_t>(std::clamp<int64_t>(std::llround(v), INT32_MIN, INT32_MAX)); }

bool standsOn(int32_t ti, int32_t n) {
    const TrainPath& path = m_path[static_cast<size_t>(ti)];
    for (int64_t s = path.oldest(); s <= path.newest(); ++s) {
        if (RailRef::index(path.at(s)) == n) return true;
    }
    bool on = false;
    forEachCar(ti, [&](int32_t r) {
        for (size_t e = 2 * static_cast<size_t>(r); e <= 2 * static_cast<size_t>(r) + 1; ++e) {
            if (Train_rs::m_ari[e] >= 0 && RailRef::index(Train_rs::m_ari[e]) == n) on = true;
        }
    });
    return on;
}

}  // namespace

bool setRail(int32_t ti, int64_t y, int64_t x, int32_t rb) {
    if (!isValid(ti) || !Rail::isValidRef(rb)) return false;
    if (!Rail::isPointOnLine(RailRef::index(rb), y, x)) return false;
    if (!sectionFreeFor(ti, rb)) return false;
    if (isPlaced(ti)) setNonPlacement(ti);

    const size_t i = static_cast<size_t>(ti);
    const int64_t L = carLength(ti);
    const int64_t p = Rail::getPos_cm_yx(rb, y, x);
    int64_t frontPos = (p - (L / 2 - 1)) * kTrackUnitsPerDm;
    m_path[i].reset(rb, 0);
    forEachCar(ti, [&](int32_t r) {
        const size_t f = 2 * static_cast<size_t>(r);
        Train_rs::m_ari[f] = Train_rs::m_ari[f + 1] = rb;
        Train_rs::m_aseq[f] = Train_rs::m_aseq[f + 1] = 0;
        Train_rs::m_arp[f] = frontPos;
        Train_rs::m_arp[f + 1] = frontPos + (L - 2) * kTrackUnitsPerDm;
        frontPos += L * kTrackUnitsPerDm;
    });
    m_NF[i] = kNoPlatform;
    DiaConnect::touch(ti);
    m_NP[i] = 0;
    m_SP[i] = 0;
    m_ac[i] = 0;
    m_iNextCount[i] = 0;
    m_iPassenger[i] = 0;
    claimSections(ti);
    trainHooks().searchForm(ti);
    renewRZYX(ti);
    return true;
}

bool setRail(int32_t ti, int64_t z, int64_t y, int64_t x, int64_t w, int64_t v) {
    const int32_t rb = Rail::getRB_rzyxwv(z, y, x, w, v);
    return rb >= 0 && setRail(ti, y, x, rb);
}

bool setRail(int32_t ti, int64_t y, int64_t x, int64_t w, int64_t v) {
    const int32_t rb = Rail::getRB_ryxwv(y, x, w, v);
    return rb >= 0 && setRail(ti, y, x, rb);
}

void setNonPlacement(int32_t ti) {
    if (!isValid(ti)) return;
    const size_t i = static_cast<size_t>(ti);
    if (isPlaced(ti)) trainHooks().takeOffRiders(ti);
    releaseSections(ti);
    // Sections renumbered under the train may have carried its mark along.
    Heisoku::delTrain(ti);
    m_NP[i] = 0;
    m_NF[i] = kNotPlaced;
    DiaConnect::touch(ti);
    m_iPassenger[i] = 0;
    m_path[i].clear();
    forEachCar(ti, [](int32_t r) {
        std::fill_n(Train_rs::m_as4.begin() + 8 * static_cast<ptrdiff_t>(r), 8, -1);
    });
}

void setNonPlacement_Rail(int32_t rail) {
    if (rail < 0) return;
    const int32_t n = RailRef::index(rail);
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (isPlaced(ti) && standsOn(ti, n)) setNonPlacement(ti);
    }
}

int32_t setNonPlacement_MissingType() {
    int32_t taken = 0;
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (isPlaced(ti) && !TrainSpec::isValid(m_Typ[static_cast<size_t>(ti)])) {
            setNonPlacement(ti);
            ++taken;
        }
    }
    return taken;
}

bool renewRZYX(int32_t ti) {
    if (!isValid(ti)) return false;
    bool ok = true;
    forEachCar(ti, [&](int32_t r) {
        for (size_t e = 2 * static_cast<size_t>(r); e <= 2 * static_cast<size_t>(r) + 1 && ok; ++e) {
            const TrainDirection::End end{Train_rs::m_ari[e], Train_rs::m_arp[e]};
            if (!Rail::isValidRef(end.ref)) {
                ok = false;
                break;
            }
            const auto zyx = TrainDirection::point(end);
            Train_rs::m_az[e] = toInt32(zyx[0]);
            Train_rs::m_ay[e] = toInt32(zyx[1]);
            Train_rs::m_ax[e] = toInt32(zyx[2]);
        }
    });
    return ok;
}

}  // namespace tetsuro::Train
