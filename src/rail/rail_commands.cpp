#include "rail/rail_commands.h"

#include <set>
#include <vector>

#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_store.h"
#include "rail/rail_topology.h"
#include "rail/reconcile.h"
#include "rail/section_ops.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::RailCommands {

int32_t addPoint(int64_t z, int64_t y, int64_t x, double d) {
    if (Bunki::addIndex() < 0) return -1;
    Rail::division(z, y, x);
    Heisoku::division(z, y, x);
    return Bunki::add(z, y, x, d);
}

bool setSignal(int64_t z, int64_t y, int64_t x) {
    // Where a boundary stands there is nothing to build: no charge.
    if (Antenna::getType(z, y, x) > 0) return false;
    if (!railHooks().canAfford(kSignalCost)) return false;
    if (!Heisoku::addSignalAntennaHeisoku(z, y, x, 3)) return false;
    railHooks().charge(kSignalCost);
    return true;
}

bool eraseSignal(int64_t z, int64_t y, int64_t x) {
    std::set<int32_t> trains;
    std::set<int32_t> sections;
    for (int32_t r : Rail::getAll_StartEnd(z, y, x)) {
        int32_t s = Rail::getHS(r);
        if (!sections.insert(s).second) continue;
        int32_t t = Heisoku::getTI_ri(r);
        if (t >= 0) trains.insert(t);
    }
    if (trains.size() >= 2) return false;
    return Heisoku::eraseSignalAntennaHeisoku(z, y, x);
}

int32_t trackHeightAt(int64_t y, int64_t x) {
    auto pieces = Rail::getAll_RYX(y, x);
    return pieces.empty() ? -1 : Rail::getZ(pieces[0], y, x);
}

bool setSignalAt(int64_t y, int64_t x) {
    auto pieces = Rail::getAll_RYX(y, x);
    if (pieces.empty()) return false;
    return setSignal(Rail::getZ(pieces[0], y, x), y, x);
}

bool eraseSignalAt(int64_t y, int64_t x) {
    auto pieces = Rail::getAll_RYX(y, x);
    if (pieces.empty()) return false;
    return eraseSignal(Rail::getZ(pieces[0], y, x), y, x);
}

int32_t layPiece(int typ, int spd, const RailPoint& f, const RailPoint& t) {
    if (!Rail::isValidNewPiece(typ, spd, f.z, f.y, f.x, t.z, t.y, t.x)) return -1;
    std::vector<RailPoint> switches;
    for (int end = 0; end < 2; ++end) {
        const RailPoint& p = end == 0 ? f : t;
        const RailPoint& q = end == 0 ? t : f;
        int64_t vy = int64_t{q.y} - p.y;
        int64_t vx = int64_t{q.x} - p.x;
        int64_t g = VelJLib::getGCD(vy, vx);
        const double d = VelJLib::getAngleYX360f(vy, vx);
        // A plan point four reduced steps along the new piece.
        const int64_t w = p.y + 4 * (vy / g);
        const int64_t v = p.x + 4 * (vx / g);
        if (Bunki::isSet(p.z, p.y, p.x, d, w, v) && addPoint(p.z, p.y, p.x, d) >= 0) switches.push_back(p);
    }
    int32_t r = Heisoku::addRail(typ, spd, f.z, f.y, f.x, t.z, t.y, t.x);
    if (r < 0) {
        for (const RailPoint& p : switches) Bunki::remove(p.z, p.y, p.x);
        Heisoku::checkSignalAntennaHeisoku(std::vector<int32_t>{f.z, f.y, f.x, t.z, t.y, t.x});
        return -1;
    }
    RailPoint s = Rail::startPoint(r);
    RailPoint e = Rail::endPoint(r);
    Heisoku::checkSignalAntennaHeisoku(std::vector<int32_t>{s.z, s.y, s.x, e.z, e.y, e.x});
    railHooks().renewTrainSections();
    return r;
}

}  // namespace tetsuro::RailCommands
