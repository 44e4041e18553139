#include "trains/train_chain.h"

#include <algorithm>
#include <utility>

#include "rail/rail_geometry.h"
#include "rail/rail_sections.h"
#include "rail/rail_store.h"
#include "rail/rail_types.h"
#include "trains/train_hooks.h"
#include "trains/train_sections.h"
#include "trains/train_spec.h"

namespace tetsuro::Train {

namespace {

size_t front(int32_t r) { return 2 * static_cast<size_t>(r); }

// Follows the path from entry s while the end has run past its rail's end
// (position <= 0), or (moving back) while it lies behind its rail's far
// end. Returns the new entry; p is updated.
int64_t followPath(const TrainPath& path, int64_t s, int64_t& p, bool back) {
    while (p <= 0 && s < path.newest()) {
        ++s;
        p += Rail::length_um(path.at(s));
    }
    while (back && s > path.oldest()) {
        const int64_t len = Rail::length_um(path.at(s));
        if (p <= len) break;
        p -= len;
        --s;
    }
    return s;
}

}  // namespace

int32_t carLength(int32_t ti) { return TrainSpec::getLength(m_Typ[static_cast<size_t>(ti)]); }

int64_t length_cm(int32_t ti) { return int64_t{carCount(ti)} * carLength(ti); }

int64_t length_um(int32_t ti) { return length_cm(ti) * kTrackUnitsPerDm; }

bool moveChain(int32_t ti, int64_t l) {
    if (!isPlaced(ti)) return false;
    TrainPath& path = m_path[static_cast<size_t>(ti)];
    const size_t head = front(headCar(ti));
    bool changed = false;
    forEachCar(ti, [&](int32_t r) {
        for (size_t e = front(r); e <= front(r) + 1; ++e) {
            int64_t p = Train_rs::m_arp[e] - l;
            if (e != head) {
                const int64_t s = followPath(path, Train_rs::m_aseq[e], p, l < 0);
                if (s != Train_rs::m_aseq[e]) {
                    const int32_t to = path.at(s);
                    // Claims change only where an end passes into another section.
                    changed = changed || Rail::getHS(to) != Rail::getHS(Train_rs::m_ari[e]);
                    Train_rs::m_aseq[e] = s;
                    Train_rs::m_ari[e] = to;
                }
            }
            Train_rs::m_arp[e] = p;
        }
    });
    path.trimOlder(Train_rs::m_aseq[front(lastCar(ti)) + 1]);
    if (changed) claimSections(ti);
    return Train_rs::m_arp[head] <= 0;
}

bool moveRail(int32_t ti, int32_t rb) {
    if (!isPlaced(ti) || !Rail::isValidRef(rb)) return false;
    // Only the section the head enters can be new to the train; the others
    // under its cars are its own already.
    if (!sectionFreeFor(ti, rb)) return false;
    TrainPath& path = m_path[static_cast<size_t>(ti)];
    const size_t head = front(headCar(ti));
    path.push(rb);
    Train_rs::m_ari[head] = rb;
    Train_rs::m_arp[head] += Rail::length_um(rb);
    Train_rs::m_aseq[head] = path.newest();
    claimSections(ti);
    // Ends that waited at the old rail's end go on behind the head.
    moveChain(ti, 0);
    return true;
}

bool reverse(int32_t ti, bool sf) {
    if (!isPlaced(ti)) return false;
    const size_t head = front(headCar(ti));
    const size_t tail = front(lastCar(ti)) + 1;
    const int64_t back = std::max<int64_t>(0, -Train_rs::m_arp[head]);
    // The last car's rear end becomes the new head's front end, turned about.
    if (Rail::length_um(Train_rs::m_ari[tail]) - (Train_rs::m_arp[tail] + back) < 0) return false;
    if (back > 0) moveChain(ti, -back);

    TrainPath& path = m_path[static_cast<size_t>(ti)];
    path.trimOlder(Train_rs::m_aseq[tail]);
    path.trimNewer(Train_rs::m_aseq[head]);
    const int64_t sum = path.oldest() + path.newest();
    for (int64_t i = path.oldest(), j = path.newest(); i <= j; ++i, --j) {
        const int32_t a = path.at(i);
        const int32_t b = path.at(j);
        path.set(i, RailRef::flip(b));
        path.set(j, RailRef::flip(a));
    }

    int32_t r = headCar(ti);
    for (int32_t k = 0; k < carCount(ti) && Train_rs::isValid(r); ++k) {
        const int32_t behind = Train_rs::next(r);
        const size_t f = front(r);
        // The car in front becomes the car behind and the other way round.
        std::swap(Train_rs::m_ac[f], Train_rs::m_ac[f + 1]);
        for (auto* v : {&Train_rs::m_ari, &Train_rs::m_az, &Train_rs::m_ay, &Train_rs::m_ax}) {
            std::swap((*v)[f], (*v)[f + 1]);
        }
        std::swap(Train_rs::m_arp[f], Train_rs::m_arp[f + 1]);
        std::swap(Train_rs::m_aseq[f], Train_rs::m_aseq[f + 1]);
        for (size_t e = f; e <= f + 1; ++e) {
            Train_rs::m_arp[e] = Rail::length_um(Train_rs::m_ari[e]) - Train_rs::m_arp[e];
            Train_rs::m_ari[e] = RailRef::flip(Train_rs::m_ari[e]);
            Train_rs::m_aseq[e] = sum - Train_rs::m_aseq[e];
        }
        r = behind;
    }
    Obj& o = obj[static_cast<size_t>(ti)];
    const int16_t first = o.m_rs;
    o.m_rs = m_re[static_cast<size_t>(ti)];
    m_re[static_cast<size_t>(ti)] = first;

    if (m_SP[static_cast<size_t>(ti)] >= 0) {
        m_SP[static_cast<size_t>(ti)] = 0;
        m_ac[static_cast<size_t>(ti)] = 0;
        m_iNextCount[static_cast<size_t>(ti)] = 0;
        if (sf) trainHooks().searchForm(ti);
    }
    return true;
}

}  // namespace tetsuro::Train
