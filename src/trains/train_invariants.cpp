#include "trains/train_invariants.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "rail/heisoku.h"
#include "rail/rail_geometry.h"
#include "rail/rail_sections.h"
#include "rail/rail_store.h"
#include "trains/train_chain.h"

namespace tetsuro::Train {

namespace {

class Report {
public:
    template <class... A>
    void add(const A&... parts) {
        std::ostringstream s;
        (s << ... << parts);
        m_lines.push_back(s.str());
    }
    std::vector<std::string> take() { return std::move(m_lines); }

private:
    std::vector<std::string> m_lines;
};

void checkPlaced(int32_t ti, Report& out) {
    const TrainPath& path = m_path[static_cast<size_t>(ti)];
    if (path.empty()) {
        out.add("train ", ti, " placed without a path");
        return;
    }
    for (int64_t s = path.oldest(); s <= path.newest(); ++s) {
        if (!Rail::isValidRef(path.at(s))) out.add("train ", ti, " path entry ", s, " on missing rail ", path.at(s));
    }
    const int64_t unit = kTrackUnitsPerDm;
    const int64_t L = carLength(ti);
    size_t prevRear = 0;
    bool first = true;
    bool pathOk = true;
    forEachCar(ti, [&](int32_t r) {
        const size_t f = 2 * static_cast<size_t>(r);
        for (size_t e = f; e <= f + 1; ++e) {
            if (!path.contains(Train_rs::m_aseq[e]) || path.at(Train_rs::m_aseq[e]) != Train_rs::m_ari[e]) {
                out.add("train ", ti, " car ", r, " end ", e - f, " off its path");
                pathOk = false;
            }
        }
        if (!pathOk) return;
        const int64_t body = distanceAlongPath(ti, f + 1, f);
        if (body != (L - 2) * unit) out.add("train ", ti, " car ", r, " ends ", body, " apart, not ", (L - 2) * unit);
        if (!first) {
            const int64_t gap = distanceAlongPath(ti, f, prevRear);
            if (gap != 2 * unit) out.add("train ", ti, " gap before car ", r, " is ", gap);
        }
        first = false;
        prevRear = f + 1;
    });
    if (!pathOk) return;
    if (Train_rs::m_aseq[2 * static_cast<size_t>(headCar(ti))] != path.newest())
        out.add("train ", ti, " head not on the newest path entry");
    if (Train_rs::m_aseq[2 * static_cast<size_t>(lastCar(ti)) + 1] != path.oldest())
        out.add("train ", ti, " last car not on the oldest path entry");
    // Sections: under every end, held by this train or (where a car spans a
    // short rail another train entered) by another one.
    forEachCar(ti, [&](int32_t r) {
        for (size_t e = 2 * static_cast<size_t>(r); e <= 2 * static_cast<size_t>(r) + 1; ++e) {
            const int32_t s = Rail::getHS(Train_rs::m_ari[e]);
            if (Heisoku::isValid(s) && Heisoku::m_ti[static_cast<size_t>(s)] < 0)
                out.add("train ", ti, " stands on free section ", s);
        }
    });
}

}  // namespace

int64_t distanceAlongPath(int32_t ti, size_t a, size_t b) {
    const TrainPath& path = m_path[static_cast<size_t>(ti)];
    const int64_t sa = Train_rs::m_aseq[a];
    const int64_t sb = Train_rs::m_aseq[b];
    if (sa == sb) return Train_rs::m_arp[a] - Train_rs::m_arp[b];
    int64_t d = Train_rs::m_arp[a];
    for (int64_t s = sa + 1; s < sb; ++s) d += Rail::length_um(path.at(s));
    return d + Rail::length_um(path.at(sb)) - Train_rs::m_arp[b];
}

std::vector<std::string> checkTrainInvariants() {
    Report out;
    std::vector<int32_t> owner(static_cast<size_t>(Train_rs::size()), -1);
    int64_t cars = 0;
    std::set<int32_t> numbers;
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (!isValid(ti)) {
            if (!m_held[static_cast<size_t>(ti)].empty()) out.add("free record ", ti, " holds sections");
            continue;
        }
        const int32_t n = m_n[static_cast<size_t>(ti)];
        if (n < 0 || n >= m_max || !numbers.insert(n).second) out.add("train ", ti, " has bad or repeated number ", n);
        // Walk the chain from the head.
        int32_t r = headCar(ti);
        int32_t prev = -1;
        int32_t k = 0;
        for (; Train_rs::isValid(r) && k <= carCount(ti); ++k) {
            if (owner[static_cast<size_t>(r)] >= 0) {
                out.add("car ", r, " in trains ", owner[static_cast<size_t>(r)], " and ", ti);
                break;
            }
            owner[static_cast<size_t>(r)] = ti;
            if (Train_rs::m_ac[2 * static_cast<size_t>(r)] != (prev < 0 ? Train_rs::kNone : prev))
                out.add("train ", ti, " car ", r, " front link ", Train_rs::m_ac[2 * static_cast<size_t>(r)]);
            prev = r;
            r = Train_rs::next(r);
        }
        cars += k;
        if (k != carCount(ti)) out.add("train ", ti, " has ", k, " cars, not ", carCount(ti));
        if (prev != lastCar(ti)) out.add("train ", ti, " last car ", lastCar(ti), " but chain ends at ", prev);
        if (isPlaced(ti)) {
            if (k == carCount(ti)) checkPlaced(ti, out);
        } else if (m_NF[static_cast<size_t>(ti)] != kNotPlaced) {
            out.add("train ", ti, " off the track with m_NF ", m_NF[static_cast<size_t>(ti)]);
        }
        // Held list against the section table.
        std::set<int32_t> held;
        for (int16_t s : m_held[static_cast<size_t>(ti)]) {
            held.insert(s);
            if (!Heisoku::isValid(s) || Heisoku::m_ti[static_cast<size_t>(s)] != ti)
                out.add("train ", ti, " lists section ", s, " it does not hold");
        }
        if (!isPlaced(ti) && !held.empty()) out.add("train ", ti, " off the track holds sections");
        for (int32_t s = 0; s < Heisoku::size(); ++s) {
            if (Heisoku::m_ti[static_cast<size_t>(s)] == ti && !held.count(s))
                out.add("train ", ti, " holds section ", s, " without listing it");
        }
    }
    for (int32_t s = 0; s < Heisoku::size(); ++s) {
        const int16_t t = Heisoku::m_ti[static_cast<size_t>(s)];
        if (t >= 0 && !isPlaced(t)) out.add("section ", s, " held by train ", t, " that is not placed");
    }
    if (cars != Train_rs::count()) out.add(Train_rs::count(), " car records in use, ", cars, " in trains");
    return out.take();
}

}  // namespace tetsuro::Train
