#include "rail/rail_invariants.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <sstream>

#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_connect.h"
#include "rail/rail_geometry.h"
#include "rail/rail_put_list.h"
#include "rail/rail_scan.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "rail/signal.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro {

namespace {

class Report {
public:
    template <class... A>
    void add(const A&... parts) {
        if (m_lines.size() >= 50) return;  // enough to see what went wrong
        std::ostringstream s;
        (s << ... << parts);
        m_lines.push_back(s.str());
    }
    std::vector<std::string> take() { return std::move(m_lines); }

private:
    std::vector<std::string> m_lines;
};

// Union-find over piece numbers.
struct Components {
    std::vector<int32_t> parent;
    explicit Components(int32_t n) : parent(static_cast<size_t>(n)) {
        std::iota(parent.begin(), parent.end(), 0);
    }
    int32_t find(int32_t a) {
        while (parent[a] != a) a = parent[a] = parent[parent[a]];
        return a;
    }
    void join(int32_t a, int32_t b) { parent[find(a)] = find(b); }
};

void checkShapes(Report& r) {
    const size_t n = Rail::m_typ.size();
    for (size_t s : {Rail::m_spd.size(), Rail::m_iFZ.size(), Rail::m_iFY.size(), Rail::m_iFX.size(),
                     Rail::m_iTZ.size(), Rail::m_iTY.size(), Rail::m_iTX.size(), Rail::m_iHS.size(),
                     Rail::m_iSS.size(), Rail::m_iSE.size(), Rail::m_iRL.size(), Rail::m_iLenC.size()}) {
        if (s != n) r.add("piece arrays differ in length: ", s, " vs ", n);
    }
    if (Rail::m_ia4Con.size() != n * 4) r.add("connection cache length ", Rail::m_ia4Con.size());
}

void checkPieces(Report& r, const RailInvariantOptions& o) {
    using namespace Rail;
    if (count() != Scan::count()) r.add("piece count ", count(), " but ", Scan::count(), " valid");
    for (int32_t n = 0; n < size(); ++n) {
        if (!isValid(n)) {
            if (m_iFY[n] != -1 || m_iFX[n] != -1 || m_iTY[n] != -1 || m_iTX[n] != -1) {
                r.add("free slot ", n, " has coordinates (a zero-length piece)");
            }
            if (m_iHS[n] != -1 || m_iSS[n] != -1 || m_iSE[n] != -1) r.add("free slot ", n, " has references");
            continue;
        }
        const int64_t len = VelJLib::getLength(m_iFZ[n], m_iFY[n], m_iFX[n], m_iTZ[n], m_iTY[n], m_iTX[n]);
        if (len <= 0 || len > kMaxPieceLength) r.add("piece ", n, " has length ", len);
        if (m_iLenC[n] != 0 && m_iLenC[n] != len) r.add("piece ", n, " length cache ", m_iLenC[n], " not ", len);
        if (m_typ[n] < 0 || m_typ[n] > 3) r.add("piece ", n, " type ", int(m_typ[n]));
        if (m_spd[n] < kMinSpeedClass || m_spd[n] > kMaxSpeedClass) r.add("piece ", n, " class ", int(m_spd[n]));
        for (int dir = 0; dir < 2; ++dir) {
            const int32_t ref = RailRef::make(n, dir == 1);
            const size_t base = static_cast<size_t>(n) * 4 + static_cast<size_t>(dir) * 2;
            const int32_t c0 = m_ia4Con[base], c1 = m_ia4Con[base + 1];
            if (c0 == -2 && c1 == -2) continue;
            auto fresh = computeConnect(ref);
            if (c0 != fresh[0] || c1 != fresh[1]) {
                r.add("reference ", ref, " caches successors ", c0, ",", c1, " but they are ", fresh[0], ",", fresh[1]);
            }
        }
        const int32_t hs = m_iHS[n];
        if (hs >= 0 ? !Heisoku::isValid(hs) : (o.requireSections || hs != -1)) {
            r.add("piece ", n, " has section ", hs);
        }
    }
}

void checkSections(Report& r) {
    std::map<int32_t, int32_t> counts;
    for (int32_t n = 0; n < Rail::size(); ++n) {
        if (Rail::isValid(n) && Rail::m_iHS[n] >= 0) ++counts[Rail::m_iHS[n]];
    }
    int32_t valid = 0;
    for (int32_t s = 0; s < Heisoku::size(); ++s) {
        if (Heisoku::m_ti[s] < -2) r.add("section ", s, " train ", Heisoku::m_ti[s]);
        if (!Heisoku::isValid(s)) {
            if (Heisoku::pieceCount(s) != 0) r.add("free section ", s, " listed with pieces");
            continue;
        }
        ++valid;
        const int32_t c = counts.count(s) ? counts[s] : 0;
        if (c == 0) r.add("section ", s, " has no pieces");
        if (Heisoku::pieceCount(s) != c) r.add("section ", s, " lists ", Heisoku::pieceCount(s), " pieces of ", c);
        auto listed = Rail::index().sectionPieces(s);
        auto scanned = Rail::Scan::sectionPieces(s);
        std::reverse(scanned.begin(), scanned.end());
        if (listed != scanned) r.add("section ", s, " piece list differs from a scan");
    }
    if (valid != Heisoku::count()) r.add("section count ", Heisoku::count(), " but ", valid, " valid");
    if (Heisoku::m_bCreateRI && Heisoku::m_ri != Heisoku::buildRILiteral()) {
        r.add("section end references are stale");
    }
}

void checkSignals(Report& r) {
    std::vector<int32_t> owners(static_cast<size_t>(Signal::size()), 0);
    for (int32_t n = 0; n < Rail::size(); ++n) {
        if (!Rail::isValid(n)) continue;
        for (int32_t s : {int32_t{Rail::m_iSS[n]}, int32_t{Rail::m_iSE[n]}}) {
            if (s < 0) continue;
            if (!Signal::isValid(s)) {
                r.add("piece ", n, " holds free signal ", s);
            } else {
                ++owners[s];
            }
        }
    }
    int32_t valid = 0;
    for (int32_t s = 0; s < Signal::size(); ++s) {
        if (!Signal::isValid(s)) continue;
        ++valid;
        if (owners[s] != 1) r.add("signal ", s, " owned by ", owners[s], " piece ends");
    }
    if (valid != Signal::count()) r.add("signal count ", Signal::count(), " but ", valid, " valid");
}

void checkMarkers(Report& r, const RailInvariantOptions& o) {
    std::map<RailPoint, int32_t> seen;
    int32_t valid = 0;
    for (int32_t m = 0; m < Antenna::size(); ++m) {
        if (!Antenna::isValid(m)) continue;
        ++valid;
        RailPoint p = Antenna::point(m);
        if (!seen.emplace(p, m).second) r.add("markers ", seen[p], " and ", m, " share a point");
        if (Antenna::searchIndex(p) != m) r.add("marker ", m, " not found at its point");
        if (o.checkBoundaries && Rail::getAll_RZYX(p.z, p.y, p.x).empty()) r.add("marker ", m, " stands off the track");
    }
    if (valid != Antenna::count()) r.add("marker count ", Antenna::count(), " but ", valid, " valid");
    if (Antenna::pointHashSize() != static_cast<size_t>(valid)) r.add("marker hash holds stale points");
}

void checkSwitches(Report& r) {
    int32_t valid = 0;
    for (int32_t b = 0; b < Bunki::size(); ++b) {
        if (!Bunki::isValid(b)) continue;
        ++valid;
        const int64_t z = Bunki::m_z[b], y = Bunki::m_y[b], x = Bunki::m_x[b];
        if (Bunki::searchIndex(z, y, x) != b) r.add("switch ", b, " not found at its point");
        if (Rail::getAll_StartEnd(z, y, x).size() < 3) r.add("switch ", b, " where fewer than three ends meet");
    }
    if (valid != Bunki::count()) r.add("switch count ", Bunki::count(), " but ", valid, " valid");
    if (valid > Bunki::m_max) r.add("more switches than the limit");
    if (Bunki::pointHashSize() != static_cast<size_t>(valid)) r.add("switch hash holds stale points");
}

void checkIndexes(Report& r) {
    using namespace Rail;
    size_t endEntries = 0;
    size_t cellEntries = 0;
    for (int32_t n = 0; n < size(); ++n) {
        if (!isValid(n)) continue;
        endEntries += 2;
        const auto& f = index().endsAt(m_iFY[n], m_iFX[n]);
        const auto& t = index().endsAt(m_iTY[n], m_iTX[n]);
        if (std::count(f.begin(), f.end(), n) != 1) r.add("end hash misses the From end of ", n);
        if (std::count(t.begin(), t.end(), RailRef::make(n, true)) != 1) r.add("end hash misses the To end of ", n);
        if (!std::is_sorted(f.begin(), f.end(), [](int32_t a, int32_t b) { return RailRef::index(a) < RailRef::index(b); })) {
            r.add("end hash unsorted at piece ", n);
        }
        RailIndex::forEachCell(m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n], [&](int64_t cy, int64_t cx) {
            ++cellEntries;
            const auto& c = index().cell(cy, cx);
            if (std::count(c.begin(), c.end(), n) != 1) r.add("cell ", cy, ",", cx, " misses piece ", n);
        });
    }
    // Totals catch entries left behind by pieces that moved or went.
    size_t endTotal = 0;
    std::map<uint64_t, bool> pointsSeen;
    for (int32_t n = 0; n < size(); ++n) {
        if (!isValid(n)) continue;
        for (auto key : {planKey(m_iFY[n], m_iFX[n]), planKey(m_iTY[n], m_iTX[n])}) {
            if (pointsSeen.emplace(key, true).second) {
                endTotal += index().endsAt(static_cast<int32_t>(key >> 32), static_cast<int32_t>(key & 0xFFFFFFFFu)).size();
            }
        }
    }
    if (endTotal != endEntries || index().endPointCount() != pointsSeen.size()) r.add("end hash holds stale entries");
    if (cellEntries != index().cellEntryCount()) r.add("grid buckets hold stale entries");
    if (!isPutListDirty() && m_iaPutList != buildPutList(true)) r.add("drawing list is stale");
}

void checkBoundaries(Report& r) {
    using namespace Rail;
    Components comp(size());
    std::map<RailPoint, bool> done;
    for (int32_t n = 0; n < size(); ++n) {
        if (!isValid(n)) continue;
        for (RailPoint p : {startPoint(n), endPoint(n)}) {
            if (!done.emplace(p, true).second) continue;
            auto leaving = getAll_StartEnd(p.z, p.y, p.x);
            const int32_t marker = Antenna::searchIndex(p);
            if (leaving.size() == 1 && marker < 0) r.add("dead end at ", p.y, ",", p.x, " without a marker");
            if (leaving.size() >= 3 && marker < 0) r.add("junction at ", p.y, ",", p.x, " without a marker");
            if (leaving.size() == 2 && marker < 0) {
                if (getHS(leaving[0]) != getHS(leaving[1])) {
                    r.add("sections change at ", p.y, ",", p.x, " without a boundary");
                }
                comp.join(RailRef::index(leaving[0]), RailRef::index(leaving[1]));
            }
            if (marker >= 0 && Antenna::getType(marker) > 0) {
                for (int32_t ref : leaving) {
                    if (getSignal(ref) < 0) r.add("boundary at ", p.y, ",", p.x, " lacks a signal on ", ref);
                }
            }
        }
    }
    // Each section is one run of track. At the section limit boundaries
    // that could not be made leave sections joined across them.
    if (Heisoku::count() >= Heisoku::kMax) return;
    std::map<int32_t, int32_t> root;
    for (int32_t n = 0; n < size(); ++n) {
        if (!isValid(n) || m_iHS[n] < 0) continue;
        auto [it, fresh] = root.emplace(m_iHS[n], comp.find(n));
        if (!fresh && it->second != comp.find(n)) r.add("section ", m_iHS[n], " spans separate runs of track");
    }
}

}  // namespace

std::vector<std::string> checkRailInvariants(const RailInvariantOptions& options) {
    Report r;
    checkShapes(r);
    auto lines = r.take();
    if (!lines.empty()) return lines;  // the rest indexes these arrays
    checkPieces(r, options);
    checkSections(r);
    checkSignals(r);
    checkMarkers(r, options);
    checkSwitches(r);
    checkIndexes(r);
    if (options.checkBoundaries) checkBoundaries(r);
    return r.take();
}

}  // namespace tetsuro
