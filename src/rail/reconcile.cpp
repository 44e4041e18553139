#include "rail/reconcile.h"

#include <deque>
#include <set>

#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "rail/rail_topology.h"
#include "rail/section_ops.h"

namespace tetsuro::Heisoku {

namespace {

class Reconciler {
public:
    Reconciler() : m_epoch(Rail::sectionEpoch()) {}
    ~Reconciler() {
        if (Rail::sectionEpoch() != m_epoch) railHooks().renewTrainSections();
    }
    Reconciler(const Reconciler&) = delete;
    Reconciler& operator=(const Reconciler&) = delete;

    void push(const RailPoint& p) {
        if (m_seen.insert(p).second) m_work.push_back(p);
    }

    void run() {
        while (!m_work.empty()) {
            RailPoint p = m_work.front();
            m_work.pop_front();
            reconcile(p);
        }
    }

    // Removes the boundary at p (the caller knows the track needs none).
    void eraseBoundary(const RailPoint& p) {
        bool signalGone = Rail::eraseSignalAntenna(p.z, p.y, p.x);
        bool split = sectionsDiffer(p);
        if (split) merge(p.z, p.y, p.x);
        if (!signalGone && !split) return;
        int32_t r = Rail::merge(p.z, p.y, p.x);
        if (r >= 0) {
            push(Rail::startPoint(r));
            push(Rail::endPoint(r));
        }
    }

private:
    static bool sectionsDiffer(const RailPoint& p) {
        auto leaving = Rail::getAll_StartEnd(p.z, p.y, p.x);
        for (size_t i = 1; i < leaving.size(); ++i) {
            if (Rail::getHS(leaving[i]) != Rail::getHS(leaving[0])) return true;
        }
        return false;
    }

    void reconcile(const RailPoint& p) {
        const int t = Rail::investigateAntenna(p.z, p.y, p.x);
        const int32_t m = Antenna::searchIndex(p);
        if (t < 0) {
            if (m >= 0) {
                eraseBoundary(p);
            } else {
                Rail::removeSignal(p.z, p.y, p.x);
                // Sections never differ across a point without a boundary.
                if (sectionsDiffer(p)) merge(p.z, p.y, p.x);
            }
        } else if (t == 0) {
            // A dead end keeps its marker and the signal facing into the
            // section, so that the section's entry shows caution.
            if (m < 0) {
                Antenna::add(0, p.z, p.y, p.x);
            } else {
                Antenna::setType(m, 0);
            }
            Rail::setSignalAdd(p.z, p.y, p.x);
        } else {
            // division also separates sections that a stale marker left joined.
            int32_t mm = division(p.z, p.y, p.x);
            if (mm >= 0) Antenna::setType(mm, t);
        }
    }

    std::deque<RailPoint> m_work;
    std::set<RailPoint> m_seen;
    uint64_t m_epoch;
};

}  // namespace

void checkSignalAntennaHeisoku(int64_t z, int64_t y, int64_t x) {
    checkSignalAntennaHeisoku(std::vector<int32_t>{static_cast<int32_t>(z), static_cast<int32_t>(y),
                                                   static_cast<int32_t>(x)});
}

void checkSignalAntennaHeisoku(const std::vector<int32_t>& zyx) {
    Reconciler rec;
    for (size_t i = 0; i + 2 < zyx.size(); i += 3) rec.push(RailPoint{zyx[i], zyx[i + 1], zyx[i + 2]});
    rec.run();
}

void checkSignalAntennaHeisoku_rail(int32_t ri) {
    if (!Rail::isValidRef(ri)) return;
    RailPoint s = Rail::startPoint(ri);
    RailPoint e = Rail::endPoint(ri);
    checkSignalAntennaHeisoku(std::vector<int32_t>{s.z, s.y, s.x, e.z, e.y, e.x});
}

bool eraseSignalAntennaHeisoku(int64_t z, int64_t y, int64_t x) {
    if (Rail::investigateAntenna(z, y, x) >= 0) return false;
    RailPoint p{static_cast<int32_t>(z), static_cast<int32_t>(y), static_cast<int32_t>(x)};
    Reconciler rec;
    rec.eraseBoundary(p);
    rec.run();
    return true;
}

bool removeRail(int32_t ri) {
    if (!Rail::isValidRef(ri)) return false;
    const int32_t n = RailRef::index(ri);
    Reconciler rec;
    const std::vector<RailPoint> platformPoints = railHooks().removePlatformsOn(n);
    Bunki::remove_rail(n);
    // A piece inside a section leaves two runs behind that must not share it.
    const int32_t s = Rail::m_iHS[n];
    const int32_t atFrom = Rail::searchNext(RailRef::flip(n));
    const int32_t atTo = Rail::searchNext(n);
    auto ends = Rail::erase(n);
    if (s >= 0 && atFrom >= 0 && atTo >= 0 && RailRef::index(atFrom) != RailRef::index(atTo) &&
        Rail::getHS(atFrom) == s && Rail::getHS(atTo) == s) {
        int32_t fresh = add();
        if (fresh >= 0) Rail::changeHeisokuOne(RailRef::index(atTo), fresh);
    }
    rec.push(RailPoint{ends[0], ends[1], ends[2]});
    rec.push(RailPoint{ends[3], ends[4], ends[5]});
    for (const RailPoint& p : platformPoints) rec.push(p);
    rec.run();
    return true;
}

}  // namespace tetsuro::Heisoku
