#include "trains/train_rail_hooks.h"

#include <vector>

#include "rail/rail_geometry.h"
#include "trains/train_chain.h"
#include "trains/train_direction.h"
#include "trains/train_placement.h"
#include "trains/train_sections.h"

namespace tetsuro::Train {

namespace {

using TrainDirection::End;

bool touches(const RailEdit& e, int32_t ref) {
    if (ref < 0) return false;
    const int32_t n = RailRef::index(ref);
    return n == e.piece || (e.kind == RailEditKind::Merge && n == e.other);
}

// What a path entry becomes, in the order a train passes it.
std::vector<int32_t> mapRef(const RailEdit& e, int32_t ref) {
    if (!touches(e, ref)) return {ref};
    const bool rev = RailRef::isReversed(ref);
    switch (e.kind) {
        case RailEditKind::Split:
            // The piece keeps the From side, `other` runs on to the To end.
            // Heading for the From end the train meets `other` first.
            return rev ? std::vector<int32_t>{ref, RailRef::make(e.other, true)}
                       : std::vector<int32_t>{RailRef::make(e.other, false), ref};
        case RailEditKind::Merge:
            if (RailRef::index(ref) == e.piece) return {ref};
            return {RailRef::make(e.piece, rev != !e.otherAligned)};
        case RailEditKind::Reverse:
            return {RailRef::flip(ref)};
        case RailEditKind::Extend:
        case RailEditKind::Erase:
            return {ref};
    }
    return {ref};
}

// Where a car end stands after the edit. Positions count from the end the
// car is heading for, so they only change where that end moved.
End mapEnd(const RailEdit& e, End end) {
    if (!touches(e, end.ref)) return end;
    const bool rev = RailRef::isReversed(end.ref);
    switch (e.kind) {
        case RailEditKind::Split:
            if (!rev) {
                // Counted from the From end, which stays with the piece.
                if (end.pos > e.at) return End{RailRef::make(e.other, false), end.pos - e.at};
                return end;
            }
            // Counted from the To end, which went to `other`.
            if (end.pos <= e.otherLength) return End{RailRef::make(e.other, true), end.pos};
            return End{end.ref, end.pos - e.otherLength};
        case RailEditKind::Merge: {
            if (RailRef::index(end.ref) == e.piece) {
                // The joint was at the piece's From end (atFrom) or To end; an
                // end heading for the joint now heads for the other piece's
                // far end, one length further on.
                const bool headsForJoint = rev != e.atFrom;
                return headsForJoint ? End{end.ref, end.pos + e.otherLength} : end;
            }
            const int32_t ref = mapRef(e, end.ref)[0];
            // Heading for the other piece's far end: the distance is unchanged;
            // heading through the joint into the piece: the piece's old length
            // lies beyond it.
            const bool headsForFar = RailRef::isReversed(ref) != e.atFrom;
            return End{ref, headsForFar ? end.pos : end.pos + e.oldLength};
        }
        case RailEditKind::Reverse:
            return End{RailRef::flip(end.ref), end.pos};
        case RailEditKind::Extend: {
            const bool headsForMovedEnd = rev != e.atFrom;
            return headsForMovedEnd ? End{end.ref, end.pos + (e.newLength - e.oldLength)} : end;
        }
        case RailEditKind::Erase:
            return end;
    }
    return end;
}

bool affected(int32_t ti, const RailEdit& e) {
    const TrainPath& path = m_path[static_cast<size_t>(ti)];
    for (int64_t s = path.oldest(); s <= path.newest(); ++s) {
        if (touches(e, path.at(s))) return true;
    }
    return false;
}

// Re-maps the path and every car end of a train; false when an end cannot
// be placed on the new path.
bool remap(int32_t ti, const RailEdit& e) {
    TrainPath& path = m_path[static_cast<size_t>(ti)];
    const int64_t base = path.oldest();
    // The expanded path, and where each old entry's pieces begin in it.
    std::vector<int32_t> expanded;
    std::vector<size_t> startOf;
    for (int64_t s = path.oldest(); s <= path.newest(); ++s) {
        startOf.push_back(expanded.size());
        for (int32_t r : mapRef(e, path.at(s))) expanded.push_back(r);
    }
    // Consecutive equal entries (the two halves of a merge) become one.
    std::vector<int32_t> merged;
    std::vector<size_t> mergedIndex(expanded.size());
    for (size_t k = 0; k < expanded.size(); ++k) {
        if (merged.empty() || merged.back() != expanded[k]) merged.push_back(expanded[k]);
        mergedIndex[k] = merged.size() - 1;
    }
    bool ok = true;
    forEachCar(ti, [&](int32_t r) {
        for (size_t i = 2 * static_cast<size_t>(r); i <= 2 * static_cast<size_t>(r) + 1; ++i) {
            const int64_t old = Train_rs::m_aseq[i] - base;
            if (old < 0 || old >= static_cast<int64_t>(startOf.size())) {
                ok = false;
                continue;
            }
            const End to = mapEnd(e, End{Train_rs::m_ari[i], Train_rs::m_arp[i]});
            const size_t from = startOf[static_cast<size_t>(old)];
            const size_t until = static_cast<size_t>(old) + 1 < startOf.size() ? startOf[static_cast<size_t>(old) + 1]
                                                                                : expanded.size();
            size_t k = from;
            while (k < until && expanded[k] != to.ref) ++k;
            if (k == until) {
                ok = false;
                continue;
            }
            Train_rs::m_ari[i] = to.ref;
            Train_rs::m_arp[i] = to.pos;
            Train_rs::m_aseq[i] = base + static_cast<int64_t>(mergedIndex[k]);
        }
    });
    if (!ok) return false;
    path.assign(merged, base);
    path.trimOlder(Train_rs::m_aseq[2 * static_cast<size_t>(lastCar(ti)) + 1]);
    path.trimNewer(Train_rs::m_aseq[2 * static_cast<size_t>(headCar(ti))]);
    return true;
}

}  // namespace

void topologyEdited(const RailEdit& e) {
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (!isPlaced(ti) || !affected(ti, e)) continue;
        if (e.kind == RailEditKind::Erase || !remap(ti, e)) {
            setNonPlacement(ti);
            continue;
        }
        // The sections under a split, merged or reversed piece stay those of
        // its parts; a train that now needs one another train holds leaves.
        if (!sectionsFree(ti)) {
            setNonPlacement(ti);
            continue;
        }
        claimSections(ti);
        renewRZYX(ti);
    }
}

void TrainRailHooks::topologyEdited(const RailEdit& e) { Train::topologyEdited(e); }

void TrainRailHooks::renewTrainSections() { Train::renewHeisoku(); }

}  // namespace tetsuro::Train
