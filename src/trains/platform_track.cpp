#include "trains/platform_track.h"

#include <algorithm>

#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/rail_geometry.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "rail/rail_topology.h"
#include "rail/reconcile.h"
#include "rail/section_ops.h"
#include "trains/platform_store.h"
#include "trains/station_mesh_index.h"
#include "trains/station_store.h"

namespace tetsuro {

namespace {

bool insideMap(const RailPoint& p) {
    const int64_t ymax = int64_t{Sub::s_iMY} * Sub::m_iMS;
    const int64_t xmax = int64_t{Sub::s_iMX} * Sub::m_iMS;
    return p.y >= 0 && p.x >= 0 && p.y <= ymax && p.x <= xmax;
}

bool planEqual(const RailPoint& a, const RailPoint& b) { return a.y == b.y && a.x == b.x; }

void reconcile(const std::vector<RailPoint>& points) {
    std::vector<int32_t> zyx;
    zyx.reserve(points.size() * 3);
    for (const RailPoint& p : points) {
        zyx.push_back(p.z);
        zyx.push_back(p.y);
        zyx.push_back(p.x);
    }
    Heisoku::checkSignalAntennaHeisoku(zyx);
}

// Joints without a boundary that only platform pieces kept apart join up
// again (nothing happens where the pieces do not continue each other).
void mergeJoints(const std::vector<RailPoint>& points) {
    for (const RailPoint& p : points) {
        if (Antenna::searchIndex(p) >= 0) continue;
        // A rail with a piece keeps its length: the piece spans it.
        bool carries = false;
        for (int32_t r : Rail::getAll_StartEnd(p.z, p.y, p.x)) {
            carries = carries || !platformIndex().onRail(RailRef::index(r)).empty();
        }
        if (!carries) Rail::merge(p.z, p.y, p.x);
    }
}

void noteEnds(std::vector<RailPoint>& points, int32_t fo) {
    for (int p = 0; p < 2; ++p) {
        const int32_t fb = Form::getFB(fo, p);
        if (!FoBuild::isValid(fb)) continue;
        points.push_back(FoBuild::from(fb));
        points.push_back(FoBuild::to(fb));
    }
}

// Another piece than fb passes through p.
bool shared(int32_t fb, const RailPoint& p) {
    for (int32_t o : FoBuild::searchIndex(FoBuild::kAnyZ, p.y, p.x)) {
        if (o != fb) return true;
    }
    return false;
}

}  // namespace

namespace PlatformTrack {

int32_t stretchRail(const RailPoint& f, const RailPoint& t) {
    if (!insideMap(f) || !insideMap(t) || planEqual(f, t)) return -1;
    const int32_t ri = Rail::searchIndex(f.z, f.y, f.x, t.z, t.y, t.x);
    if (ri < 0 || !platformIndex().onRail(ri).empty()) return -1;
    if (Bunki::searchIndex(f.z, f.y, f.x) >= 0 || Bunki::searchIndex(t.z, t.y, t.x) >= 0) return -1;
    for (int32_t other : Rail::getAll_Cross(f.y, f.x, t.y, t.x, false)) {
        if (other != ri) return -1;
    }
    return ri;
}

}  // namespace PlatformTrack

namespace Station {

int32_t addFoBuild(bool yard, int32_t si, int32_t fi, int32_t ri, const RailPoint& f, const RailPoint& t,
                   int32_t gym) {
    if (Form::isValid(fi)) {
        si = Form::getSt(fi);
    } else {
        fi = -1;
    }
    int32_t created = -1;
    if (fi < 0 && si < 0) {
        for (const MeshYX& m : Sub::extendMesh9(FoBuild::getUseMesh(f, t))) {
            si = searchStIndex_myx_0(m.my, m.mx);
            if (si >= 0) break;
        }
        if (si < 0) {
            const int32_t before = count();
            const MeshYX mid = midpointMesh(f, t);
            si = add(yard, mid.my, mid.mx);
            if (si < 0) return kPlatformStationLimit;
            if (count() > before) created = si;
        }
    } else if (fi < 0 && !isValid(si)) {
        return kPlatformRefused;
    }
    const int32_t fb = Form::addFoBuild(yard, si, fi, ri, f, t, gym);
    const int32_t owner = fb >= 0 ? Form::getSt(FoBuild::m_fo[fb]) : -1;
    // A station made for the piece keeps nothing when the piece joined
    // another station's platform, or was refused.
    if (created >= 0 && owner != created) remove(created);
    // The stretch was checked, so only a full table refuses the piece.
    if (fb < 0) return kPlatformStationLimit;
    for (const MeshYX& m : FoBuild::getUseMesh(fb)) setMesh(m.my, m.mx, owner, StationMeshIndex::pieceRank(fb));
    return fb;
}

}  // namespace Station

namespace Heisoku {

int32_t addFoBuild(bool yard, const RailPoint& f, const RailPoint& t, int32_t si, int32_t fi, int32_t gym,
                   PlatformChange& out) {
    if (PlatformTrack::stretchRail(f, t) < 0) return kPlatformRefused;
    Rail::division(f.z, f.y, f.x);
    Rail::division(t.z, t.y, t.x);
    const int32_t r = Rail::getIndex(f.z, f.y, f.x, t.z, t.y, t.x);
    int32_t fb = r < 0 ? kPlatformRefused : Station::addFoBuild(yard, si, fi, RailRef::index(r), f, t, gym);
    if (fb < 0) {
        // The splits heal where nothing needs a boundary.
        reconcile({f, t});
        mergeJoints({f, t});
        return fb;
    }
    const int32_t fo = FoBuild::m_fo[fb];
    std::vector<RailPoint> points{f, t};
    noteEnds(points, fo);
    Rail::renewFormRIRP(fo);
    noteEnds(points, fo);
    reconcile(points);
    out.stations.push_back(Form::getSt(fo));
    return fb;
}

int64_t removeFoBuild(const RailPoint& f, const RailPoint& t, PlatformChange& out) {
    if (planEqual(f, t)) return 0;
    const int32_t fb = FoBuild::searchIndex(f, t);
    if (fb < 0) return 0;
    const int32_t fo = FoBuild::m_fo[fb];
    const int64_t length = Form::getLength(fo);
    const RailPoint oldF = FoBuild::from(fb), oldT = FoBuild::to(fb);
    out.stations.push_back(Form::getSt(fo));

    bool whole = (planEqual(f, oldF) && planEqual(t, oldT)) || (planEqual(f, oldT) && planEqual(t, oldF)) ||
                 shared(fb, f) || shared(fb, t);
    RailPoint nf = oldF, nt = oldT;
    if (!whole) {
        if (planEqual(f, oldF)) {
            nf = t;
        } else if (planEqual(f, oldT)) {
            nt = t;
        } else if (planEqual(t, oldF)) {
            nf = f;
        } else if (planEqual(t, oldT)) {
            nt = f;
        } else {
            whole = true;
        }
    }
    if (whole) {
        PlatformLinks::removeWholePiece(fb, out);
    } else {
        // The new end takes the rail's height there, where the track will
        // be split for the platform's end.
        const int32_t ri = FoBuild::m_ri[fb];
        for (RailPoint* p : {&nf, &nt}) {
            p->z = Rail::isValid(ri) ? Rail::getZ(ri, p->y, p->x) : FoBuild::getZ(fb, p->y, p->x);
        }
        const auto before = FoBuild::getUseMesh(fb);
        out.freedMeshes.insert(out.freedMeshes.end(), before.begin(), before.end());
        FoBuild::setEnds(fb, nf, nt);
        out.piecesChanged = true;
        Rail::renewFormRIRP(fo);
        noteEnds(out.points, fo);
    }
    PlatformLinks::settleStations(out);
    std::vector<RailPoint> points{f, t, oldF, oldT};
    points.insert(points.end(), out.points.begin(), out.points.end());
    reconcile(points);
    checkRail();
    mergeJoints(points);
    return length;
}

}  // namespace Heisoku

}  // namespace tetsuro
