#include "trains/train_run_rules.h"

#include <algorithm>
#include <vector>

#include "rail/rail_geometry.h"
#include "rail/rail_sections.h"
#include "support/sub_dia.h"
#include "trains/platform_store.h"
#include "trains/running_math.h"
#include "trains/train_chain.h"
#include "trains/train_direction.h"
#include "trains/train_queries.h"

namespace tetsuro::Train {

namespace {
size_t at(int32_t ti) { return static_cast<size_t>(ti); }
}  // namespace

int32_t headRef(int32_t ti) { return Train_rs::m_ari[2 * static_cast<size_t>(headCar(ti))]; }

int64_t headPos(int32_t ti) { return Train_rs::m_arp[2 * static_cast<size_t>(headCar(ti))]; }

int64_t getMaxSP_um(int32_t ti) {
    const size_t i = at(ti);
    const int64_t l = Running::speedLimit(m_ac[i] == kCreeping, getMaxSP_km(ti), Rail::getMaxSP_km(headRef(ti)),
                                          m_Signal[i]);
    return Running::trackSpeed(l, m_timesc);
}

int64_t accelerationUm(int32_t ti) { return std::max<int64_t>(1, getAcceleration(ti)); }

int64_t brakingUm(int32_t ti) { return std::max<int64_t>(1, getBreaking(ti)); }

int64_t getBrakingDistance(int32_t ti, int64_t ts) {
    return Running::brakingDistance(brakingUm(ti), std::max<int64_t>(0, m_SP[at(ti)]), ts);
}

int8_t stopRule(int32_t fi, int32_t di) {
    if (fi < 0 || fi >= static_cast<int32_t>(Form::m_DD.size())) return 0;
    const auto& rules = Form::m_DD[static_cast<size_t>(fi)];
    return di >= 0 && di < static_cast<int32_t>(rules.size()) ? rules[static_cast<size_t>(di)] : 0;
}

void searchForm(int32_t ti) {
    if (!isPlaced(ti)) return;
    const size_t i = at(ti);
    if (m_NF[i] != kNoPlatform && m_NP[i] > 0) return;
    const int32_t ref = headRef(ti);
    const int32_t fi = Form::searchIndex_rib(TrainDirection::travel(ref), m_NF[i]);
    if (fi < 0) {
        m_NF[i] = kNoPlatform;
        m_NP[i] = Rail::length_um(ref);
        return;
    }
    m_NF[i] = static_cast<int16_t>(fi);
    m_di[i] = static_cast<int16_t>(Sub::getDiaIndex());
    searchForm_setNP(ti, fi);
    if (stopRule(fi, m_di[i]) != 0 && Form::getLength_um(fi) >= length_um(ti)) searchForm_checkBD(ti, true);
}

void searchForm_setNP(int32_t ti, int32_t fi) {
    const int32_t ref = headRef(ti);
    m_NP[at(ti)] = Running::stopPoint(Form::getLength_um(fi), length_um(ti), headPos(ti), Rail::length_um(ref));
}

void searchForm_checkBD(int32_t ti, bool flag) {
    const size_t i = at(ti);
    const int64_t d = getBrakingDistance(ti, 0);
    if (d < m_NP[i]) {
        if (flag && m_SP[i] < Running::trackSpeed(Running::kCreepSpeed, m_timesc)) {
            m_ac[i] = kCreeping;
        } else {
            m_ac[i] = kToBrakingPoint;
            m_NP[i] -= d;
        }
    } else {
        m_ac[i] = kBraking;
    }
}

PlatformAhead platformAhead(int32_t ti, int32_t fi) {
    const auto& pieces = Form::pieces(fi);
    auto onPlatform = [&pieces](int32_t r) {
        const int32_t ri = RailRef::index(r);
        return std::any_of(pieces.begin(), pieces.end(),
                           [ri](int32_t fb) { return FoBuild::m_ri[static_cast<size_t>(fb)] == ri; });
    };
    PlatformAhead a;
    int32_t r = headRef(ti);
    if (!onPlatform(r)) return a;
    a.headOnPlatform = true;
    a.distance = std::max<int64_t>(0, headPos(ti));
    for (size_t n = 0; n < pieces.size(); ++n) {
        r = TrainDirection::nextRail(r);
        if (r < 0) {
            a.bufferStop = true;
            break;
        }
        if (!onPlatform(r)) break;
        a.distance += Rail::length_um(r);
    }
    return a;
}

int64_t pullOutNP(int32_t ti, int32_t fi) {
    const PlatformAhead a = platformAhead(ti, fi);
    if (!a.headOnPlatform) return Running::pullOutDistance(Form::getLength_um(fi), length_um(ti));
    return a.distance + Running::kPullOutMargin;
}

int64_t sectionChangeDistance(int32_t ti) {
    const TrainPath& path = m_path[at(ti)];
    const int64_t oldest = path.oldest(), newest = path.newest();
    if (newest <= oldest) return -1;  // the whole train on the head's rail
    // toChange[s - oldest]: from the end of path entry s to the start of the
    // first later entry in another section (kNone when there is none).
    constexpr int64_t kNone = -1;
    constexpr size_t kSmall = 64;
    const size_t n = static_cast<size_t>(newest - oldest + 1);
    int64_t small[kSmall];
    std::vector<int64_t> large;
    int64_t* toChange = small;
    if (n > kSmall) {
        large.resize(n);
        toChange = large.data();
    }
    toChange[n - 1] = kNone;
    for (int64_t s = newest - 1; s >= oldest; --s) {
        const size_t k = static_cast<size_t>(s - oldest);
        const int32_t next = path.at(s + 1);
        if (Rail::getHS(next) != Rail::getHS(path.at(s))) toChange[k] = 0;
        else if (toChange[k + 1] == kNone) toChange[k] = kNone;
        else toChange[k] = toChange[k + 1] + Rail::length_um(next);
    }
    const size_t head = 2 * static_cast<size_t>(headCar(ti));
    int64_t best = -1;
    forEachCar(ti, [&](int32_t r) {
        for (size_t e = 2 * static_cast<size_t>(r); e <= 2 * static_cast<size_t>(r) + 1; ++e) {
            const int64_t s = Train_rs::m_aseq[e];
            if (e == head || s < oldest || s >= newest) continue;
            const int64_t rest = toChange[static_cast<size_t>(s - oldest)];
            if (rest == kNone) continue;
            const int64_t d = Train_rs::m_arp[e] + rest;
            if (d > 0 && (best < 0 || d < best)) best = d;
        }
    });
    return best;
}

bool advance(int32_t ti, int64_t l) {
    const size_t i = at(ti);
    l = std::clamp<int64_t>(l, 0, std::max<int64_t>(0, m_NP[i]));
    const bool end = l > 0 ? moveChain(ti, l) : headPos(ti) <= 0;
    m_NP[i] -= l;
    return end || m_NP[i] <= 0;
}

}  // namespace tetsuro::Train
