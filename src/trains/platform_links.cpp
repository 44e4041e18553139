#include "trains/platform_links.h"

#include <algorithm>

#include "rail/rail_geometry.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "support/int_math.h"
#include "support/vel_jlib_geometry.h"
#include "support/vel_jlib_lines.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"
#include "trains/station_mesh_index.h"
#include "trains/station_store.h"

namespace tetsuro {

namespace {

void noteStation(PlatformChange& out, int32_t si) {
    if (si >= 0 && std::find(out.stations.begin(), out.stations.end(), si) == out.stations.end()) {
        out.stations.push_back(si);
    }
}

void noteEnds(PlatformChange& out, int32_t fo) {
    for (int p = 0; p < 2; ++p) {
        const int32_t fb = Form::getFB(fo, p);
        if (!FoBuild::isValid(fb)) continue;
        out.points.push_back(FoBuild::from(fb));
        out.points.push_back(FoBuild::to(fb));
    }
}

int32_t endValue(int32_t fb) { return FoBuild::getNeighbor_F(fb) >= 0 ? (fb | FoBuild::kEndFlag) : fb; }

bool planEqual(const RailPoint& a, const RailPoint& b) { return a.y == b.y && a.x == b.x; }

// The rail holding both plan points, highest-numbered first; -1 for none.
int32_t railHolding(const RailPoint& f, const RailPoint& t) {
    for (int32_t ri : Rail::getAll_RYX(f.y, f.x)) {
        if (Rail::isPointOnLine(ri, t.y, t.x)) return ri;
    }
    return -1;
}

// The rail end strictly inside the piece nearest its start, reached along a
// rail through the start; false when there is none.
bool cutPoint(int32_t fb, RailPoint& at) {
    const RailPoint f = FoBuild::from(fb), t = FoBuild::to(fb);
    int64_t best = -1;
    for (int32_t ri : Rail::getAll_RYX(f.y, f.x)) {
        for (const RailPoint& p : {Rail::startPoint(ri), Rail::endPoint(ri)}) {
            if (planEqual(p, f) || planEqual(p, t)) continue;
            if (!VelJLib::isPointOnLine_yx(p.y, p.x, f.y, f.x, t.y, t.x)) continue;
            const int64_t d = VelJLib::getLength(f.y, f.x, p.y, p.x);
            if (best < 0 || d < best) {
                best = d;
                at = p;
            }
        }
    }
    return best >= 0;
}

}  // namespace

namespace Rail {

void renewFormRIRP(int32_t fo) {
    if (!Form::isValid(fo)) return;
    const auto pieces = Form::pieces(fo);
    if (pieces.empty()) {
        Form::setAFB(fo, -1, -1);
        return;
    }
    if (pieces.size() == 1) {
        Form::setAFB(fo, pieces[0], pieces[0] | FoBuild::kEndFlag);
        return;
    }
    std::vector<int32_t> ends;
    for (int32_t fb : pieces) {
        if (ends.size() < 2 && FoBuild::getNeighborCount(fb) == 1) ends.push_back(fb);
    }
    for (int32_t fb : pieces) {
        if (ends.size() >= 2) break;
        if (std::find(ends.begin(), ends.end(), fb) == ends.end()) ends.push_back(fb);
    }
    Form::setAFB(fo, endValue(ends[0]), endValue(ends[1]));
}

void renewFormRIRP() {
    for (int32_t fo = 0; fo < Form::size(); ++fo) renewFormRIRP(fo);
}

void renewFormRIRP_rail(int32_t n) {
    const auto forms = platformIndex().formsEndingOn(n);
    for (int32_t fo : forms) renewFormRIRP(fo);
}

int32_t renewFoBuildRI_fb(int32_t fb, PlatformChange& out) {
    if (!FoBuild::isValid(fb)) return -1;
    RailPoint at;
    while (railHolding(FoBuild::from(fb), FoBuild::to(fb)) < 0 && cutPoint(fb, at)) {
        const RailPoint t = FoBuild::to(fb);
        const auto before = FoBuild::getUseMesh(fb);
        const int32_t rest = FoBuild::add(FoBuild::isYard(fb), FoBuild::m_fo[fb], -1, at, t, FoBuild::m_gym[fb]);
        FoBuild::setEnds(fb, FoBuild::from(fb), at);
        out.piecesChanged = true;
        if (rest < 0) {
            // No record left for the far part: it is given up.
            out.freedMeshes.insert(out.freedMeshes.end(), before.begin(), before.end());
            out.points.push_back(t);
        } else {
            renewFoBuildRI_fb(rest, out);
        }
    }
    const int32_t ri = railHolding(FoBuild::from(fb), FoBuild::to(fb));
    FoBuild::setRI(fb, ri);
    return ri;
}

void renewFoBuildRI_rail(int32_t n, PlatformChange& out) {
    const auto pieces = platformIndex().onRail(n);
    std::vector<int32_t> forms;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        forms.push_back(FoBuild::m_fo[*it]);
        renewFoBuildRI_fb(*it, out);
    }
    std::sort(forms.begin(), forms.end());
    forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
    for (int32_t fo : forms) renewFormRIRP(fo);
}

void removeFoBuild_rail(int32_t ri, PlatformChange& out) {
    const auto pieces = platformIndex().onRail(ri);
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        if (FoBuild::isValid(*it)) PlatformLinks::removeWholePiece(*it, out);
    }
    PlatformLinks::settleStations(out);
}

}  // namespace Rail

namespace PlatformLinks {

namespace {

void removePiece(int32_t fb, PlatformChange& out) {
    const auto meshes = FoBuild::getUseMesh(fb);
    out.freedMeshes.insert(out.freedMeshes.end(), meshes.begin(), meshes.end());
    out.points.push_back(FoBuild::from(fb));
    out.points.push_back(FoBuild::to(fb));
    FoBuild::remove(fb);
    out.piecesChanged = true;
}

}  // namespace

void removeForm(int32_t fo, PlatformChange& out) {
    if (!Form::isValid(fo)) return;
    noteStation(out, Form::getSt(fo));
    const auto pieces = Form::pieces(fo);
    for (int32_t fb : pieces) removePiece(fb, out);
    Form::remove(fo);
}

void removeWholePiece(int32_t fb, PlatformChange& out) {
    if (!FoBuild::isValid(fb)) return;
    const int32_t fo = FoBuild::m_fo[fb];
    noteStation(out, Form::getSt(fo));
    if (FoBuild::getNeighborCount(fb) >= 2) {
        // The rest would fall apart into two platforms: all of it goes.
        removeForm(fo, out);
        return;
    }
    removePiece(fb, out);
    if (Form::pieces(fo).empty()) {
        Form::remove(fo);
        return;
    }
    Rail::renewFormRIRP(fo);
    noteEnds(out, fo);
}

void settleStations(const PlatformChange& out) {
    Station::renewMesh();
    for (int32_t si : out.stations) Station::examine(si);
}

}  // namespace PlatformLinks

namespace Station {

MeshYX midpointMesh(const RailPoint& f, const RailPoint& t) {
    const int64_t ms = Sub::m_iMS > 0 ? Sub::m_iMS : 1;
    const int64_t y = floorDiv<int64_t>(int64_t{f.y} + t.y, 2);
    const int64_t x = floorDiv<int64_t>(int64_t{f.x} + t.x, 2);
    return MeshYX{static_cast<int32_t>(floorDiv<int64_t>(y, ms)), static_cast<int32_t>(floorDiv<int64_t>(x, ms))};
}

void examine(int32_t si) {
    if (!isValid(si)) return;
    const auto here = searchStIndex_myx(m_y[si], m_x[si]);
    if (std::find(here.begin(), here.end(), si) != here.end()) return;
    const auto bs = buildings(si);
    if (!bs.empty()) {
        m_y[si] = StBuild::obj[bs.front()].m_my;
        m_x[si] = StBuild::obj[bs.front()].m_mx;
        return;
    }
    int32_t first = -1;
    const auto fs = forms(si);
    for (int32_t fi : fs) {
        const auto& p = Form::pieces(fi);
        if (!p.empty() && (first < 0 || p.front() < first)) first = p.front();
    }
    if (first >= 0) {
        const MeshYX m = midpointMesh(FoBuild::from(first), FoBuild::to(first));
        m_y[si] = static_cast<int16_t>(m.my);
        m_x[si] = static_cast<int16_t>(m.mx);
        return;
    }
    // Platforms without pieces (left by a file that named a platform and no
    // pieces) go with the station rather than point at a free record.
    for (int32_t fi : fs) Form::remove(fi);
    remove(si);
}

}  // namespace Station

}  // namespace tetsuro
