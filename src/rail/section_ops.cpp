#include "rail/section_ops.h"

#include "rail/signal.h"

#include <vector>

#include "rail/antenna.h"
#include "rail/heisoku.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "rail/rail_topology.h"

namespace tetsuro::Heisoku {

namespace {

// Tells the trains when the operation moved pieces between sections.
class SectionWatch {
public:
    SectionWatch() : m_epoch(Rail::sectionEpoch()) {}
    ~SectionWatch() {
        if (Rail::sectionEpoch() != m_epoch) railHooks().renewTrainSections();
    }
    SectionWatch(const SectionWatch&) = delete;
    SectionWatch& operator=(const SectionWatch&) = delete;

private:
    uint64_t m_epoch;
};

}  // namespace

int32_t addRail(int typ, int spd, int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                int64_t tx) {
    SectionWatch watch;
    int32_t ri = Rail::add(typ, spd, fz, fy, fx, tz, ty, tx);
    if (ri < 0) return -1;
    const RailPoint f = Rail::startPoint(ri);
    const RailPoint t = Rail::endPoint(ri);
    if (Rail::getHS(ri) < 0) {
        int32_t s = add();
        if (s < 0) {
            // No section can be made: the piece is not built.
            Rail::erase(ri);
            return -1;
        }
        Rail::setHS(ri, s);
        Antenna::add(0, f.z, f.y, f.x);
        Antenna::add(0, t.z, t.y, t.x);
    }
    if (Antenna::getType(f.z, f.y, f.x) > 0) Rail::addSignal(ri);
    if (Antenna::getType(t.z, t.y, t.x) > 0) Rail::addSignal(RailRef::flip(ri));
    return ri;
}

int32_t division(int64_t z, int64_t y, int64_t x) {
    SectionWatch watch;
    auto leaving = Rail::getAll_StartEnd(z, y, x);
    if (leaving.empty()) {
        Rail::division(z, y, x);
        leaving = Rail::getAll_StartEnd(z, y, x);
    }
    if (leaving.size() <= 1) return -1;
    // A boundary needs a signal on every reference; without room for them
    // the track goes on without the boundary.
    int32_t missing = 0;
    for (int32_t r : leaving) missing += Rail::getSignal(r) < 0 ? 1 : 0;
    if (!Signal::canAdd(missing)) return -1;
    // Every reference after the first may need a section of its own; make
    // sure they can all be made before anything changes.
    if (!canAdd(static_cast<int32_t>(leaving.size()) - 1)) {
        bool distinct = true;
        for (size_t i = 0; i < leaving.size() && distinct; ++i) {
            int32_t hi = Rail::getHS(leaving[i]);
            if (hi < 0) distinct = false;
            for (size_t j = 0; j < i && distinct; ++j) distinct = Rail::getHS(leaving[j]) != hi;
        }
        if (!distinct) return -1;
    }
    auto marker = Antenna::add(1, z, y, x);
    if (marker.status == Antenna::AddStatus::Refused) return -1;
    for (size_t i = 0; i < leaving.size(); ++i) {
        int32_t hi = Rail::getHS(leaving[i]);
        bool shared = hi < 0;
        for (size_t j = 0; j < i && !shared; ++j) shared = Rail::getHS(leaving[j]) == hi;
        if (shared) {
            int32_t s = add();
            if (s >= 0) Rail::floodFrom(leaving[i], s);
        }
    }
    for (int32_t r : leaving) Rail::addSignal(r);
    return marker.index;
}

int32_t division(const std::vector<int32_t>& zyx) {
    if (zyx.size() < 3) return -1;
    return division(zyx[0], zyx[1], zyx[2]);
}

bool addSignalAntennaHeisoku(int64_t z, int64_t y, int64_t x, int t) {
    int32_t m = division(z, y, x);
    if (m < 0) return false;
    return Antenna::setType(m, t);
}

void merge(int64_t z, int64_t y, int64_t x) {
    SectionWatch watch;
    auto leaving = Rail::getAll_StartEnd(z, y, x);
    if (leaving.empty()) return;
    int32_t into = Rail::getHS(leaving[0]);
    for (size_t i = 1; i < leaving.size(); ++i) {
        // Looked up again each time: an earlier join may have moved it.
        into = Rail::getHS(leaving[0]);
        Rail::changeHeisoku(Rail::getHS(leaving[i]), into);
    }
}

void merge(int32_t rf, int32_t rt) {
    SectionWatch watch;
    Rail::changeHeisoku(Rail::getHS(rf), Rail::getHS(rt));
}

void checkRail() {
    SectionWatch watch;
    for (int32_t n = 0; n < Rail::size(); ++n) {
        if (!Rail::isValid(n) || Rail::m_iHS[n] >= 0) continue;
        int32_t s = add();
        if (s < 0) return;
        Rail::changeHeisokuOne(n, s);
    }
}

}  // namespace tetsuro::Heisoku
