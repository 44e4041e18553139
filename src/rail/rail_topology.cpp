#include "rail/rail_topology.h"

#include <limits>

#include "rail/antenna.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "support/sub.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::Rail {

namespace {

bool fitsHeight(int64_t z) {
    return z >= std::numeric_limits<int16_t>::min() && z <= std::numeric_limits<int16_t>::max();
}

int64_t length3(const RailPoint& a, const RailPoint& b) {
    return VelJLib::getLength(a.z, a.y, a.x, b.z, b.y, b.x);
}

// 2 same direction, 1 opposite, 0 otherwise (3D).
int compare3(std::vector<int64_t> a, std::array<int64_t, 3> b) {
    std::vector<int64_t> bv(b.begin(), b.end());
    return VelJLib::compareVector(a, bv);
}

}  // namespace

bool isValidNewPiece(int typ, int spd, int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
                     int64_t tx) {
    if (typ < 0 || typ > 3) return false;
    if (spd < kMinSpeedClass || spd > kMaxSpeedClass) return false;
    if (!fitsHeight(fz) || !fitsHeight(tz)) return false;
    const int64_t ymax = int64_t{Sub::s_iMY} * Sub::m_iMS;
    const int64_t xmax = int64_t{Sub::s_iMX} * Sub::m_iMS;
    for (int64_t y : {fy, ty}) {
        if (y < 0 || y > ymax) return false;
    }
    for (int64_t x : {fx, tx}) {
        if (x < 0 || x > xmax) return false;
    }
    if (fy == ty && fx == tx) return false;
    return VelJLib::getLength(fz, fy, fx, tz, ty, tx) <= kMaxPieceLength;
}

int32_t add(int typ, int spd, int64_t fz, int64_t fy, int64_t fx, int64_t tz, int64_t ty,
            int64_t tx) {
    if (!isValidNewPiece(typ, spd, fz, fy, fx, tz, ty, tx)) return -1;
    const RailPoint f{static_cast<int32_t>(fz), static_cast<int32_t>(fy), static_cast<int32_t>(fx)};
    const RailPoint t{static_cast<int32_t>(tz), static_cast<int32_t>(ty), static_cast<int32_t>(tx)};
    // Lengthening a dead end carries its marker along.
    if (Antenna::move(f, t) < 0) Antenna::move(t, f);
    int32_t r = extend(typ, spd, f, t);
    if (r >= 0) {
        railHooks().refreshPlatformLinks(r);
        return r;
    }
    return add_main(typ, spd, f, t);
}

int32_t add_main(int typ, int spd, const RailPoint& f, const RailPoint& t) {
    int32_t n = storeNew(static_cast<int8_t>(typ), static_cast<int8_t>(spd), Ends{f.z, f.y, f.x, t.z, t.y, t.x});
    if (n < 0) return -1;
    int32_t hs = getHeisoku(n);
    if (hs >= 0) setHS(n, hs);
    return n;
}

int32_t extend(int typ, int spd, const RailPoint& f, const RailPoint& t) {
    std::vector<int64_t> v{int64_t{t.z} - f.z, int64_t{t.y} - f.y, int64_t{t.x} - f.x};
    VelJLib::reduction(v);
    int32_t r = extend_main(v, typ, spd, f, t);
    if (r != -1) return r;
    std::vector<int64_t> back{-v[0], -v[1], -v[2]};
    return extend_main(back, typ, spd, t, f);
}

int32_t extend_check(int typ, int spd, const RailPoint& f, const RailPoint& t) {
    std::vector<int64_t> v{int64_t{t.z} - f.z, int64_t{t.y} - f.y, int64_t{t.x} - f.x};
    VelJLib::reduction(v);
    int32_t r = extend_main(v, typ, spd, f, t, false);
    if (r != -1) return r;
    std::vector<int64_t> back{-v[0], -v[1], -v[2]};
    return extend_main(back, typ, spd, t, f, false);
}

int32_t extend_main(const std::vector<int64_t>& v, int typ, int spd, const RailPoint& p,
                    const RailPoint& q, bool apply) {
    auto leaving = getAll_StartEnd(p.z, p.y, p.x);
    if (leaving.size() != 1) return -1;
    const int32_t k = leaving[0];
    const int32_t n = RailRef::index(k);
    if (m_typ[n] != typ || m_spd[n] != spd) return -3;
    // Only a true continuation: the new end must lie beyond p, on the far
    // side from the piece's other end. A piece doubling back would shrink
    // the existing one, down to nothing, under everything that refers to it.
    if (compare3(v, getVectorZYX(k)) != 1) return -2;
    if (railHooks().hasPlatformBuilding(n)) return -2;
    if (length_cm(n) + length3(p, q) > kMaxJoinedLength) return -4;
    if (!apply) return n;

    removeSignal(k);
    Antenna::remove(p);
    auto atQ = getAll_StartEnd(q.z, q.y, q.x);
    if (atQ.size() == 1) {
        Antenna::remove(q);
        if (m_iHS[n] >= 0) changeHeisoku(getHS(atQ[0]), m_iHS[n]);
    }
    const int64_t oldLength = length_um(n);
    Ends e = ends(n);
    const bool atFrom = !RailRef::isReversed(k);
    if (atFrom) {
        e.fz = q.z, e.fy = q.y, e.fx = q.x;
    } else {
        e.tz = q.z, e.ty = q.y, e.tx = q.x;
    }
    storeEnds(n, e);
    RailEdit edit;
    edit.kind = RailEditKind::Extend;
    edit.piece = n;
    edit.oldLength = oldLength;
    edit.newLength = length_um(n);
    edit.atFrom = atFrom;
    railHooks().topologyEdited(edit);
    return n;
}

int32_t division(int32_t n, int64_t z, int64_t y, int64_t x) {
    if (!isValid(n) || !fitsHeight(z)) return -1;
    if (!isPointOnLine(n, y, x) || isStartEnd(n, y, x)) return -1;
    const RailPoint at{static_cast<int32_t>(z), static_cast<int32_t>(y), static_cast<int32_t>(x)};
    const Ends e = ends(n);
    const int64_t oldLength = length_um(n);
    int32_t m = storeNew(m_typ[n], m_spd[n], Ends{at.z, at.y, at.x, e.tz, e.ty, e.tx});
    if (m < 0) return -1;
    Ends shortened = e;
    shortened.tz = at.z, shortened.ty = at.y, shortened.tx = at.x;
    storeEnds(n, shortened);
    m_iRL[m] = m_iRL[n];
    // The To-end signal stays at the old To end, now the new piece's.
    setSignal(RailRef::make(m, true), m_iSE[n]);
    setSignal(RailRef::make(n, true), -1);
    if (m_iHS[n] >= 0) setHS(m, m_iHS[n]);
    railHooks().refreshPlatformLinks(n);
    RailEdit edit;
    edit.kind = RailEditKind::Split;
    edit.piece = n;
    edit.other = m;
    edit.oldLength = oldLength;
    edit.newLength = length_um(n);
    edit.otherLength = length_um(m);
    edit.at = edit.newLength;
    railHooks().topologyEdited(edit);
    return m;
}

int32_t division(int64_t z, int64_t y, int64_t x) {
    int32_t split = 0;
    for (int32_t n : getAll_RZYX(z, y, x)) split += division(n, z, y, x) >= 0 ? 1 : 0;
    return split;
}

int32_t merge(int64_t z, int64_t y, int64_t x) {
    auto leaving = getAll_StartEnd(z, y, x);
    if (leaving.size() != 2) return -1;
    const int32_t a = leaving[0];
    const int32_t b = leaving[1];
    const int32_t na = RailRef::index(a);
    const int32_t nb = RailRef::index(b);
    if (m_typ[na] != m_typ[nb] || m_spd[na] != m_spd[nb]) return -1;
    auto va = getVectorZYX(a);
    if (compare3(std::vector<int64_t>(va.begin(), va.end()), getVectorZYX(b)) != 1) return -1;
    if (railHooks().hasPlatformBuilding(nb)) return -1;
    const RailPoint farA = endPoint(a);
    const RailPoint farB = endPoint(b);
    if (length3(farA, farB) > kMaxJoinedLength) return -1;

    const int64_t oldLength = length_um(na);
    const int64_t otherLength = length_um(nb);
    const bool atFrom = !RailRef::isReversed(a);
    auto pa = getVectorYX(na);
    auto pb = getVectorYX(nb);
    const bool aligned = pa[0] * pb[0] + pa[1] * pb[1] > 0;
    // Signals at the joint go; the one at b's far end moves to the merged end.
    removeSignal(a);
    removeSignal(b);
    const int32_t farSignal = getSignal(RailRef::flip(b));
    setSignal(RailRef::flip(b), -1);
    storeErase(nb);
    Ends e = ends(na);
    if (atFrom) {
        e.fz = farB.z, e.fy = farB.y, e.fx = farB.x;
    } else {
        e.tz = farB.z, e.ty = farB.y, e.tx = farB.x;
    }
    storeEnds(na, e);
    setSignal(RailRef::make(na, !atFrom), farSignal);
    railHooks().refreshPlatformLinks(na);
    railHooks().refreshPlatformLinks(nb);
    RailEdit edit;
    edit.kind = RailEditKind::Merge;
    edit.piece = na;
    edit.other = nb;
    edit.oldLength = oldLength;
    edit.newLength = length_um(na);
    edit.otherLength = otherLength;
    edit.atFrom = atFrom;
    edit.otherAligned = aligned;
    railHooks().topologyEdited(edit);
    return na;
}

bool reverse(int32_t n) {
    if (!isValid(n)) return false;
    Ends e = ends(n);
    const int16_t ss = m_iSS[n];
    const int16_t se = m_iSE[n];
    storeEnds(n, Ends{e.tz, e.ty, e.tx, e.fz, e.fy, e.fx});
    m_iSS[n] = se;
    m_iSE[n] = ss;
    changed();
    RailEdit edit;
    edit.kind = RailEditKind::Reverse;
    edit.piece = n;
    edit.oldLength = edit.newLength = length_um(n);
    railHooks().topologyEdited(edit);
    return true;
}

std::vector<int32_t> erase(int32_t n) {
    if (!isValid(n)) return {};
    const Ends e = ends(n);
    const int64_t length = length_um(n);
    railHooks().detachPiece(n);
    removeSignal(n);
    removeSignal(RailRef::make(n, true));
    storeErase(n);
    RailEdit edit;
    edit.kind = RailEditKind::Erase;
    edit.piece = n;
    edit.oldLength = length;
    railHooks().topologyEdited(edit);
    return {e.fz, e.fy, e.fx, e.tz, e.ty, e.tx};
}

void erase(const std::vector<int32_t>& pieces) {
    for (int32_t n : pieces) erase(n);
}

}  // namespace tetsuro::Rail
