#pragma once
// Where the rail core calls into subsystems that land later or live
// elsewhere: platforms and stations, trains, the 3D cache and visible area,
// the timetable and the company's money. NullRailHooks is what runs until
// they are wired: it changes nothing, approves every charge and records it.
#include <array>
#include <cstdint>
#include <vector>

#include "rail/rail_types.h"

namespace tetsuro {

// What a topology edit did to a piece, so that trains on it can re-map the
// positions of their car ends (counted in track units from the start of a
// reference). Lengths are in track units; the hook runs after the edit.
enum class RailEditKind : int8_t {
    // `piece` was cut at `at`: positions beyond `at` now lie on `other`
    // (which starts at the cut and runs the same way) at position - at.
    Split,
    // `other` was absorbed into `piece` and erased. `atFrom`: the joint was
    // `piece`'s From end (its From end moved to `other`'s far end, so
    // positions counted from it grow by otherLength). `otherAligned`: `other` ran the same
    // way as `piece`.
    Merge,
    // From and To were exchanged: flipping the direction bit keeps a
    // reference's start point, so positions stay as they are.
    Reverse,
    // The piece is gone: take the train off.
    Erase,
    // The piece was lengthened at its From end (`atFrom`) or its To end:
    // positions counted from the end that moved grow by newLength -
    // oldLength, the others stay.
    Extend,
};

struct RailEdit {
    RailEditKind kind = RailEditKind::Erase;
    int32_t piece = -1;
    int32_t other = -1;
    int64_t oldLength = 0;
    int64_t newLength = 0;
    int64_t otherLength = 0;
    int64_t at = 0;
    bool atFrom = false;
    bool otherAligned = true;
};

// The real rectangle of the draw patches in view (inclusive).
struct RailViewRect {
    int64_t fy = 0;
    int64_t fx = 0;
    int64_t ty = -1;
    int64_t tx = -1;
};

class RailHooks {
public:
    virtual ~RailHooks() = default;

    // ---- platforms and stations ----
    // A platform building stands on piece n (it may not be lengthened,
    // merged into or branched from).
    virtual bool hasPlatformBuilding(int32_t /*n*/) { return false; }
    // Piece n belongs to a platform (it does not pass its section on).
    virtual bool hasPlatform(int32_t /*n*/) { return false; }
    // The marker platform buildings ask for at a point with two piece ends
    // of equal speed class: 1 where a platform ends, -1 for none.
    virtual int platformMarker(const RailPoint& /*p*/) { return -1; }
    // The two pieces of platform fo ({-1, -1} when there is none).
    virtual std::array<int32_t, 2> platformPieces(int32_t /*fo*/) { return {-1, -1}; }
    // Piece n changed shape: refresh the platform links to it.
    virtual void refreshPlatformLinks(int32_t /*n*/) {}
    // Piece n is about to be erased: detach it from stations and platforms.
    virtual void detachPiece(int32_t /*n*/) {}
    // Piece n is being removed by the player: its platform links and
    // buildings go too. Returns further points whose markers the removal
    // changed (ends of platform buildings that went with it); they are
    // reconciled once the piece is erased, with its own two ends.
    virtual std::vector<RailPoint> removePlatformsOn(int32_t /*n*/) { return {}; }

    // ---- trains ----
    // A piece was split, merged, reversed, lengthened or erased.
    virtual void topologyEdited(const RailEdit& /*e*/) {}
    // Sections were joined or re-cut: trains re-establish what they hold.
    virtual void renewTrainSections() {}

    // ---- view ----
    // Drop the cached 3D meshes built from the drawing list.
    virtual void drop3DCache() {}
    // The area in view; the default is the whole map.
    virtual RailViewRect viewRect();

    // ---- timetable ----
    // Timetable slots per day and the current slot; by default from the
    // timetable unit and the game clock.
    virtual int32_t diaCount();
    virtual int32_t diaIndex();

    // ---- finance ----
    virtual bool canAfford(int64_t /*cost*/) { return true; }
    virtual void charge(int64_t /*cost*/) {}
};

// The stand-in until the real subsystems are wired: approves every cost and
// records what was charged.
class NullRailHooks : public RailHooks {
public:
    bool canAfford(int64_t cost) override { return cost <= m_budget; }
    void charge(int64_t cost) override {
        m_charged += cost;
        m_charges.push_back(cost);
    }
    int64_t m_budget = INT64_MAX;
    int64_t m_charged = 0;
    std::vector<int64_t> m_charges;
};

// The hooks in use (a shared NullRailHooks when none are set).
RailHooks& railHooks();
// Installs hooks (null restores the shared null hooks). The caller keeps
// them alive while installed.
void setRailHooks(RailHooks* hooks);
// The shared null hooks, for tests that read what was charged.
NullRailHooks& nullRailHooks();

}  // namespace tetsuro
