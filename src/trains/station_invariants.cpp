#include "trains/station_invariants.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

#include "map/land_codes.h"
#include "map/map.h"
#include "rail/antenna.h"
#include "rail/rail_geometry.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"
#include "trains/station_mesh_index.h"
#include "trains/station_scan.h"
#include "trains/station_store.h"

namespace tetsuro {

namespace {

class Report {
public:
    template <class... A>
    void add(const A&... parts) {
        if (m_lines.size() >= 50) return;
        std::ostringstream s;
        (s << ... << parts);
        m_lines.push_back(s.str());
    }
    bool empty() const { return m_lines.empty(); }
    std::vector<std::string> take() { return std::move(m_lines); }

private:
    std::vector<std::string> m_lines;
};

bool insideMap(int32_t my, int32_t mx) { return my >= 0 && mx >= 0 && my < Sub::s_iMY && mx < Sub::s_iMX; }

void checkShapes(Report& r) {
    const size_t ns = Station::m_y.size();
    for (size_t s : {Station::m_x.size(), Station::m_PDH.size(), Station::m_PDO.size(), Station::m_PLM.size(),
                     Station::m_PTM.size(), Station::m_sName.size() / Station::kNameBytes}) {
        if (s != ns) r.add("station arrays differ in length: ", s, " vs ", ns);
    }
    const size_t nf = Form::m_st.size();
    for (size_t s : {Form::m_no.size(), Form::m_DD.size(), Form::m_afb.size() / 2}) {
        if (s != nf) r.add("platform arrays differ in length: ", s, " vs ", nf);
    }
    const size_t nb = FoBuild::m_fo.size();
    for (size_t s : {FoBuild::m_typ.size(), FoBuild::m_ri.size(), FoBuild::m_fz.size(), FoBuild::m_fy.size(),
                     FoBuild::m_fx.size(), FoBuild::m_tz.size(), FoBuild::m_ty.size(), FoBuild::m_tx.size(),
                     FoBuild::m_gym.size()}) {
        if (s != nb) r.add("piece arrays differ in length: ", s, " vs ", nb);
    }
}

void checkStations(Report& r) {
    int32_t valid = 0;
    std::vector<int32_t> owned(static_cast<size_t>(Station::size()), 0);
    for (int32_t sb = 0; sb < StBuild::size(); ++sb) {
        if (StBuild::isValid(sb) && StBuild::obj[sb].m_st < Station::size()) ++owned[StBuild::obj[sb].m_st];
    }
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        const int32_t si = Form::getSt(FoBuild::m_fo[fb]);
        if (si >= 0 && si < Station::size()) ++owned[si];
    }
    for (int32_t si = 0; si < Station::size(); ++si) {
        if (!Station::isValid(si)) continue;
        ++valid;
        if (!insideMap(Station::m_y[si], Station::m_x[si])) r.add("station ", si, " lies off the map");
        if (owned[si] == 0) r.add("station ", si, " has neither building nor piece");
    }
    if (valid != Station::count()) r.add("station count ", Station::count(), " but ", valid, " valid");
}

void checkBuildings(Report& r, const StationInvariantOptions& o) {
    std::set<std::pair<int32_t, int32_t>> meshes;
    for (int32_t sb = 0; sb < StBuild::size(); ++sb) {
        if (!StBuild::isValid(sb)) continue;
        const auto& b = StBuild::obj[sb];
        if (!Station::isValid(b.m_st)) r.add("building ", sb, " of free station ", b.m_st);
        if (!meshes.emplace(b.m_my, b.m_mx).second) r.add("two buildings on mesh ", b.m_my, ",", b.m_mx);
        if (o.checkLand && Map::getTyp(b.m_my, b.m_mx) != LAND_STATION_BUILDING) {
            r.add("building ", sb, " stands on land ", Map::getTyp(b.m_my, b.m_mx));
        }
    }
}

// The pieces of a platform form one chain of touching pieces.
bool connected(const std::vector<int32_t>& pieces) {
    if (pieces.empty()) return true;
    std::vector<int32_t> parent(pieces.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](int32_t a) {
        while (parent[a] != a) a = parent[a] = parent[parent[a]];
        return a;
    };
    for (size_t i = 0; i < pieces.size(); ++i) {
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            const int32_t a = pieces[i], b = pieces[j];
            if (FoBuild::isEnd(b, FoBuild::from(a)) || FoBuild::isEnd(b, FoBuild::to(a))) {
                parent[find(static_cast<int32_t>(i))] = find(static_cast<int32_t>(j));
            }
        }
    }
    for (size_t i = 1; i < pieces.size(); ++i) {
        if (find(static_cast<int32_t>(i)) != find(0)) return false;
    }
    return true;
}

void checkForms(Report& r) {
    int32_t valid = 0;
    std::map<std::pair<int32_t, int32_t>, int32_t> numbers;
    for (int32_t fi = 0; fi < Form::size(); ++fi) {
        if (!Form::isValid(fi)) {
            if (!Form::pieces(fi).empty()) r.add("free platform ", fi, " listed with pieces");
            continue;
        }
        ++valid;
        const int32_t si = Form::m_st[fi];
        if (!Station::isValid(si)) r.add("platform ", fi, " of free station ", si);
        if (Form::m_no[fi] < 0) r.add("platform ", fi, " numbered ", int(Form::m_no[fi]));
        if (!numbers.emplace(std::pair{si, int32_t{Form::m_no[fi]}}, fi).second) {
            r.add("platforms ", numbers[{si, Form::m_no[fi]}], " and ", fi, " share number ", int(Form::m_no[fi]));
        }
        if (Form::m_DD[fi].size() != static_cast<size_t>(Form::diaCount())) r.add("platform ", fi, " rule length");
        const auto& pieces = Form::pieces(fi);
        if (pieces != StationScan::piecesOfForm(fi)) r.add("platform ", fi, " piece list differs from a scan");
        if (pieces.empty()) {
            r.add("platform ", fi, " has no pieces");
            continue;
        }
        if (!connected(pieces)) r.add("platform ", fi, " falls apart");
        for (int p = 0; p < 2; ++p) {
            const int32_t fb = Form::getFB(fi, p);
            if (!FoBuild::isValid(fb) || FoBuild::m_fo[fb] != fi) {
                r.add("platform ", fi, " end ", p, " is piece ", fb);
                continue;
            }
            if (pieces.size() == 1) {
                if (Form::isEndFlag(fi, p) != (p == 1)) r.add("single-piece platform ", fi, " end ", p, " flag");
            } else if (FoBuild::getNeighborCount(fb) == 1 &&
                       Form::isEndFlag(fi, p) != (FoBuild::getNeighbor_F(fb) >= 0)) {
                r.add("platform ", fi, " end ", p, " flag points the wrong way");
            }
        }
        if (pieces.size() > 1 && Form::getFB(fi, 0) == Form::getFB(fi, 1)) r.add("platform ", fi, " ends coincide");
    }
    if (valid != Form::count()) r.add("platform count ", Form::count(), " but ", valid, " valid");
}

void checkPieces(Report& r) {
    int32_t valid = 0;
    std::set<int32_t> rails;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        ++valid;
        if (!Form::isValid(FoBuild::m_fo[fb])) r.add("piece ", fb, " of free platform ", FoBuild::m_fo[fb]);
        const int32_t ri = FoBuild::m_ri[fb];
        const RailPoint f = FoBuild::from(fb), t = FoBuild::to(fb);
        if (!Rail::isValid(ri)) {
            r.add("piece ", fb, " lies on no rail (", ri, ")");
            continue;
        }
        if (!rails.insert(ri).second) r.add("rail ", ri, " carries two pieces");
        if (FoBuild::getUseMesh(fb) != FoBuild::getUseMesh(f, t)) r.add("piece ", fb, " keeps stale meshes");
        // A piece spans its whole rail: the track is split at every piece end.
        const RailPoint s = Rail::startPoint(ri), e = Rail::endPoint(ri);
        if (!((f == s && t == e) || (f == e && t == s))) {
            r.add("piece ", fb, " (", f.y, ",", f.x, ")-(", t.y, ",", t.x, ") does not span rail ", ri);
        }
    }
    if (valid != FoBuild::count()) r.add("piece count ", FoBuild::count(), " but ", valid, " valid");
    for (int32_t ri = 0; ri < Rail::size(); ++ri) {
        if (platformIndex().onRail(ri) != StationScan::piecesOnRail(ri)) r.add("rail ", ri, " piece list differs");
        if (Form::searchIndex_ri(ri) != StationScan::searchIndex_ri(ri)) {
            r.add("rail ", ri, " platform look-up differs");
        }
        for (int32_t rib : {ri, RailRef::make(ri, true)}) {
            if (Form::searchIndex_rib(rib, -1) != StationScan::searchIndex_rib(rib, -1)) {
                r.add("reference ", rib, " platform end look-up differs");
            }
        }
    }
}

void checkMeshIndex(Report& r) {
    StationMeshIndex rebuilt;
    Station::renewMeshInto(rebuilt);
    if (rebuilt.entries() != Station::meshIndex().entries()) r.add("mesh index differs from a rebuild");
}

void checkLand(Report& r) {
    std::map<std::pair<int32_t, int32_t>, int32_t> cover;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        for (const MeshYX& m : FoBuild::getUseMesh(fb)) ++cover[{m.my, m.mx}];
    }
    if (cover.size() != platformIndex().coveredMeshes()) {
        r.add("coverage lists ", platformIndex().coveredMeshes(), " meshes of ", cover.size());
    }
    for (const auto& [m, c] : cover) {
        if (FoBuild::coverage(m.first, m.second) != c) r.add("coverage of ", m.first, ",", m.second);
        const int32_t code = Map::getTyp(m.first, m.second);
        if (code == LAND_TRACK || code == LAND_OWNED) {
            r.add("mesh ", m.first, ",", m.second, " under a piece is ", code);
        }
    }
    for (int32_t my = 0; my < Map::m_my; ++my) {
        for (int32_t mx = 0; mx < Map::m_mx; ++mx) {
            const int32_t code = Map::getTyp(my, mx);
            if ((code == LAND_PLATFORM || code == LAND_YARD) && !cover.count({my, mx})) {
                r.add("mesh ", my, ",", mx, " is platform land without a piece");
            }
        }
    }
}

void checkBoundaries(Report& r) {
    std::set<RailPoint> seen;
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        for (const RailPoint& p : {FoBuild::from(fb), FoBuild::to(fb)}) {
            if (!seen.insert(p).second) continue;
            const int need = Rail::investigateAntenna(p.z, p.y, p.x);
            const int have = Antenna::getType(p.z, p.y, p.x);
            if (need >= 0 && have != need) r.add("point ", p.y, ",", p.x, " needs marker ", need, " has ", have);
            // Player signals (type 3) may stand anywhere; a platform boundary may not.
            if (need < 0 && have == 1) r.add("point ", p.y, ",", p.x, " keeps a stale boundary");
        }
    }
}

}  // namespace

std::vector<std::string> checkStationInvariants(const StationInvariantOptions& options) {
    Report r;
    checkShapes(r);
    if (!r.empty()) return r.take();
    checkStations(r);
    checkBuildings(r, options);
    checkForms(r);
    checkPieces(r);
    checkMeshIndex(r);
    if (options.checkLand) checkLand(r);
    if (options.checkBoundaries) checkBoundaries(r);
    return r.take();
}

}  // namespace tetsuro
