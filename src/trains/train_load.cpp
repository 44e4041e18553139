#include "trains/train_load.h"

#include <cstdlib>
#include <vector>

#include "rail/rail_geometry.h"
#include "rail/rail_store.h"
#include "trains/train_chain.h"
#include "trains/train_direction.h"
#include "trains/train_placement.h"
#include "trains/train_sections.h"
#include "trains/train_spec.h"

namespace tetsuro::Train {

namespace {

// Longest run of rails searched between two car ends.
constexpr int kMaxSearchDepth = 16;

// The chain of a train from its head, or empty when its links are broken.
std::vector<int32_t> chainOf(int32_t ti) {
    std::vector<int32_t> cars;
    int32_t r = headCar(ti);
    int32_t prev = Train_rs::kNone;
    while (Train_rs::isValid(r) && static_cast<int32_t>(cars.size()) < carCount(ti)) {
        if (Train_rs::m_ac[2 * static_cast<size_t>(r)] != prev) return {};
        cars.push_back(r);
        prev = r;
        r = Train_rs::next(r);
    }
    if (static_cast<int32_t>(cars.size()) != carCount(ti) || cars.empty() || cars.back() != lastCar(ti)) return {};
    if (Train_rs::next(cars.back()) != Train_rs::kNone) return {};
    return cars;
}

struct Search {
    int32_t target = -1;
    int64_t wanted = 0;   // track units from the start of the search to the target end
    int64_t bestMiss = -1;
    std::vector<int32_t> route, best;

    // `cur` is the rail the search stands on; `run` the distance covered up
    // to the far end of cur (where the next rail begins).
    void from(int32_t cur, int64_t run, int depth, int64_t targetPos) {
        for (int i = 0; i < 2; ++i) {
            const int32_t next = TrainDirection::successor(cur, i);
            if (next < 0) continue;
            route.push_back(next);
            if (next == target) {
                const int64_t miss = std::llabs(run + Rail::length_um(next) - targetPos - wanted);
                if (bestMiss < 0 || miss < bestMiss) bestMiss = miss, best = route;
            } else if (depth + 1 < kMaxSearchDepth && run + Rail::length_um(next) <= wanted + kTrackUnitsPerDm) {
                from(next, run + Rail::length_um(next), depth + 1, targetPos);
            }
            route.pop_back();
        }
    }
};

}  // namespace

bool rebuildPath(int32_t ti) {
    std::vector<size_t> ends;  // from the last car's rear end to the head's front end
    std::vector<int32_t> cars = chainOf(ti);
    if (cars.empty()) return false;
    for (auto it = cars.rbegin(); it != cars.rend(); ++it) {
        ends.push_back(2 * static_cast<size_t>(*it) + 1);
        ends.push_back(2 * static_cast<size_t>(*it));
    }
    for (size_t e : ends) {
        if (!Rail::isValidRef(Train_rs::m_ari[e])) return false;
    }
    const int64_t L = carLength(ti);
    std::vector<int32_t> path{Train_rs::m_ari[ends[0]]};
    Train_rs::m_aseq[ends[0]] = 0;
    for (size_t k = 1; k < ends.size(); ++k) {
        const size_t a = ends[k - 1];
        const size_t b = ends[k];
        // Rear to front within a car, front to the rear of the car ahead between cars.
        const int64_t wanted = (k % 2 == 1 ? L - 2 : 2) * kTrackUnitsPerDm;
        if (Train_rs::m_ari[b] == path.back() && Train_rs::m_arp[a] - Train_rs::m_arp[b] == wanted) {
            Train_rs::m_aseq[b] = static_cast<int64_t>(path.size()) - 1;
            continue;
        }
        Search s;
        s.target = Train_rs::m_ari[b];
        s.wanted = wanted;
        s.from(path.back(), Train_rs::m_arp[a], 0, Train_rs::m_arp[b]);
        // Lengths are whole decimetres: a way that misses by more is not the one.
        if (s.best.empty() || s.bestMiss > kTrackUnitsPerDm) {
            if (Train_rs::m_ari[b] != path.back()) return false;
            // Same rail but not quite the right distance: keep it there.
            Train_rs::m_aseq[b] = static_cast<int64_t>(path.size()) - 1;
            continue;
        }
        path.insert(path.end(), s.best.begin(), s.best.end());
        Train_rs::m_aseq[b] = static_cast<int64_t>(path.size()) - 1;
    }
    m_path[static_cast<size_t>(ti)].assign(path, 0);
    return true;
}

void afterLoad() {
    Train_rs::afterLoad();
    resizeDerived();
    // Trains with broken chains go; cars nobody owns are freed.
    std::vector<uint8_t> owned(static_cast<size_t>(Train_rs::size()), 0);
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (m_n[static_cast<size_t>(ti)] == -1) continue;
        const std::vector<int32_t> cars = chainOf(ti);
        bool clash = cars.empty() || m_n[static_cast<size_t>(ti)] < 0 || m_n[static_cast<size_t>(ti)] >= m_max;
        for (int32_t r : cars) clash = clash || owned[static_cast<size_t>(r)] != 0;
        if (clash) {
            m_n[static_cast<size_t>(ti)] = -1;
            continue;
        }
        for (int32_t r : cars) owned[static_cast<size_t>(r)] = 1;
    }
    for (int32_t r = 0; r < Train_rs::size(); ++r) {
        if (!owned[static_cast<size_t>(r)]) Train_rs::m_ac[2 * static_cast<size_t>(r)] = Train_rs::kFree;
    }
    Train_rs::afterLoad();
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (!isValid(ti)) continue;
        const size_t i = static_cast<size_t>(ti);
        m_held[i].reserve(2 * static_cast<size_t>(carCount(ti)) + 1);
        if (m_NF[i] < kNotPlaced) m_NF[i] = kNotPlaced;
        if (!isPlaced(ti)) continue;
        if (!TrainSpec::isValid(m_Typ[i]) || !rebuildPath(ti)) {
            setNonPlacement(ti);
            continue;
        }
    }
    renewHeisoku();
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (isPlaced(ti)) renewRZYX(ti);
    }
}

}  // namespace tetsuro::Train
