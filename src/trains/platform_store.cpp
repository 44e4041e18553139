#include "trains/platform_store.h"

#include <algorithm>

#include "rail/rail_geometry.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "rail/slot_pool.h"
#include "support/vel_jlib_geometry.h"
#include "support/vel_jlib_lines.h"
#include "trains/dia_connect.h"
#include "trains/dia_rules.h"
#include "trains/station_store.h"
#include "trains/train_dia.h"

namespace tetsuro {

namespace {

PlatformIndex g_index;
SlotPool g_pieces;
SlotPool g_forms;

// The meshes under each piece, worked out once: the outline walk costs
// about as much as everything else a rebuild of the mesh index does. They
// depend on the mesh and map size, so a change of those works them out
// again (and the coverage with them).
std::vector<std::vector<MeshYX>> g_meshes;
struct MeshKey {
    int32_t ms = -1, my = -1, mx = -1;
    friend bool operator==(const MeshKey&, const MeshKey&) = default;
};
MeshKey g_meshKey;

MeshKey currentMeshKey() { return MeshKey{Sub::m_iMS, Sub::s_iMY, Sub::s_iMX}; }

void refreshMeshCache() {
    g_meshKey = currentMeshKey();
    g_meshes.assign(FoBuild::m_fo.size(), {});
    g_index.clearCoverage();
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) {
        if (!FoBuild::isValid(fb)) continue;
        g_meshes[fb] = FoBuild::getUseMesh(FoBuild::from(fb), FoBuild::to(fb));
        g_index.cover(g_meshes[fb], 1);
    }
}

void ensureMeshCache() {
    if (g_meshKey != currentMeshKey() || g_meshes.size() != FoBuild::m_fo.size()) refreshMeshCache();
}

// Works out the meshes of a piece whose ends were just written.
void coverPiece(int32_t fb) {
    g_meshes[fb] = FoBuild::getUseMesh(FoBuild::from(fb), FoBuild::to(fb));
    g_index.cover(g_meshes[fb], 1);
}

void uncoverPiece(int32_t fb) {
    g_index.cover(g_meshes[fb], -1);
    g_meshes[fb].clear();
}

template <class T>
void growTo(std::vector<T>& v, int32_t n, T fill) {
    if (v.size() < static_cast<size_t>(n)) v.resize(static_cast<size_t>(n), fill);
}

void growPieces(int32_t n) {
    growTo<int8_t>(FoBuild::m_typ, n, 0);
    growTo<int16_t>(FoBuild::m_fo, n, -1);
    growTo<int32_t>(FoBuild::m_ri, n, -1);
    growTo<int16_t>(FoBuild::m_fz, n, 0);
    growTo<int32_t>(FoBuild::m_fy, n, 0);
    growTo<int32_t>(FoBuild::m_fx, n, 0);
    growTo<int16_t>(FoBuild::m_tz, n, 0);
    growTo<int32_t>(FoBuild::m_ty, n, 0);
    growTo<int32_t>(FoBuild::m_tx, n, 0);
    growTo<int16_t>(FoBuild::m_gym, n, 0);
}

void growForms(int32_t n) {
    growTo<int16_t>(Form::m_st, n, -1);
    growTo<int8_t>(Form::m_no, n, 0);
    if (Form::m_DD.size() < static_cast<size_t>(n)) Form::m_DD.resize(static_cast<size_t>(n));
    growTo<int16_t>(Form::m_afb, n * 2, -1);
}

// The rails of a platform's end pieces, for the end lookup.
std::array<int32_t, 2> endRails(int32_t fi) {
    std::array<int32_t, 2> r{-1, -1};
    for (int p = 0; p < 2; ++p) {
        int32_t fb = Form::getFB(fi, p);
        if (FoBuild::isValid(fb)) r[p] = FoBuild::m_ri[fb];
    }
    return r;
}

bool sameEnds(int32_t fb, const RailPoint& a, const RailPoint& b) {
    RailPoint f = FoBuild::from(fb), t = FoBuild::to(fb);
    return (f == a && t == b) || (f == b && t == a);
}

}  // namespace

const PlatformIndex& platformIndex() { return g_index; }
PlatformIndex& mutablePlatformIndex() { return g_index; }

namespace FoBuild {

int32_t size() { return static_cast<int32_t>(m_fo.size()); }
int32_t count() { return g_pieces.count(); }
bool isValid(int32_t fb) { return fb >= 0 && fb < size() && m_fo[fb] >= 0; }
int32_t peekFree() { return g_pieces.peek(kMax); }

RailPoint from(int32_t fb) { return RailPoint{m_fz[fb], m_fy[fb], m_fx[fb]}; }
RailPoint to(int32_t fb) { return RailPoint{m_tz[fb], m_ty[fb], m_tx[fb]}; }
bool isYard(int32_t fb) { return isValid(fb) && m_typ[fb] == 0; }

int32_t add(bool yard, int32_t fo, int32_t ri, const RailPoint& f, const RailPoint& t, int32_t gym) {
    if (fo < 0 || (f.y == t.y && f.x == t.x)) return -1;
    for (int32_t other : g_index.onRail(ri)) {
        if (sameEnds(other, f, t)) return -1;
    }
    ensureMeshCache();
    const int32_t fb = g_pieces.acquire(kMax);
    if (fb < 0) return -1;
    growPieces(g_pieces.size());
    g_meshes.resize(m_fo.size());
    m_typ[fb] = yard ? 0 : 1;
    m_fo[fb] = static_cast<int16_t>(fo);
    m_ri[fb] = ri;
    m_fz[fb] = static_cast<int16_t>(f.z);
    m_fy[fb] = f.y;
    m_fx[fb] = f.x;
    m_tz[fb] = static_cast<int16_t>(t.z);
    m_ty[fb] = t.y;
    m_tx[fb] = t.x;
    m_gym[fb] = static_cast<int16_t>(gym);
    g_index.pieceAdded(fb, fo, ri);
    coverPiece(fb);
    return fb;
}

void remove(int32_t fb) {
    if (!isValid(fb)) return;
    ensureMeshCache();
    uncoverPiece(fb);
    g_index.pieceRemoved(fb, m_fo[fb], m_ri[fb]);
    m_fo[fb] = -1;
    m_ri[fb] = -1;
    g_pieces.release(fb);
}

void setRI(int32_t fb, int32_t ri) {
    if (!isValid(fb) || m_ri[fb] == ri) return;
    g_index.pieceMoved(fb, m_ri[fb], ri);
    m_ri[fb] = ri;
    const int32_t fo = m_fo[fb];
    if (Form::getFB(fo, 0) == fb || Form::getFB(fo, 1) == fb) g_index.setEndRails(fo, endRails(fo));
}

void setEnds(int32_t fb, const RailPoint& f, const RailPoint& t) {
    if (!isValid(fb)) return;
    ensureMeshCache();
    uncoverPiece(fb);
    m_fz[fb] = static_cast<int16_t>(f.z);
    m_fy[fb] = f.y;
    m_fx[fb] = f.x;
    m_tz[fb] = static_cast<int16_t>(t.z);
    m_ty[fb] = t.y;
    m_tx[fb] = t.x;
    coverPiece(fb);
}

bool isPointOn(int32_t fb, int64_t z, int64_t y, int64_t x) {
    if (!isValid(fb)) return false;
    if (!VelJLib::isPointOnLine_yx(y, x, m_fy[fb], m_fx[fb], m_ty[fb], m_tx[fb])) return false;
    return z == kAnyZ || getZ(fb, y, x) == z;
}

bool isEnd(int32_t fb, const RailPoint& p) { return isValid(fb) && (from(fb) == p || to(fb) == p); }

std::vector<int32_t> searchIndex(int64_t z, int64_t y, int64_t x) {
    // A piece lies on its rail, so only the pieces on rails through the
    // point can pass through it.
    std::vector<int32_t> out;
    for (int32_t ri : Rail::getAll_RYX(y, x)) {
        for (int32_t fb : g_index.onRail(ri)) {
            if (isPointOn(fb, z, y, x)) out.push_back(fb);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

int32_t searchIndex(const RailPoint& f, const RailPoint& t) {
    for (int32_t fb : searchIndex(f.z, f.y, f.x)) {
        if (isPointOn(fb, t.z, t.y, t.x)) return fb;
    }
    return -1;
}

int32_t searchFoIndex(int64_t z, int64_t y, int64_t x) {
    auto v = searchIndex(z, y, x);
    return v.empty() ? -1 : m_fo[v[0]];
}

std::vector<MeshYX> getUseMesh(const RailPoint& f, const RailPoint& t) {
    return Sub::getUseMeshRail(f.y, f.x, t.y, t.x, kMeshWidth);
}

const std::vector<MeshYX>& getUseMesh(int32_t fb) {
    static const std::vector<MeshYX> kNone;
    if (!isValid(fb)) return kNone;
    ensureMeshCache();
    return g_meshes[fb];
}

int32_t coverage(int32_t my, int32_t mx) {
    ensureMeshCache();
    return g_index.coverage(my, mx);
}

int32_t getZ(int32_t fb, int64_t y, int64_t x) {
    if (!isValid(fb)) return -1;
    const int64_t fz = m_fz[fb];
    const int64_t dz = int64_t{m_tz[fb]} - fz;
    const int64_t l = VelJLib::getLength(m_fy[fb], m_fx[fb], m_ty[fb], m_tx[fb]);
    if (l <= 0) return static_cast<int32_t>(fz);
    const int64_t h = VelJLib::getLength(m_fy[fb], m_fx[fb], y, x);
    const int64_t sign = dz > 0 ? 1 : (dz < 0 ? -1 : 0);
    return static_cast<int32_t>(fz + (dz * h + sign * l / 2) / l);
}

int64_t getLength(const RailPoint& f, const RailPoint& t) { return VelJLib::getLength(f.z, f.y, f.x, t.z, t.y, t.x); }

int64_t getLength(int32_t fb) { return isValid(fb) ? getLength(from(fb), to(fb)) : 0; }

int32_t getNeighborCount(int32_t fb) {
    if (!isValid(fb)) return 0;
    const RailPoint f = from(fb), t = to(fb);
    int32_t n = 0;
    for (int32_t o : g_index.ofForm(m_fo[fb])) {
        if (o != fb && (isEnd(o, f) || isEnd(o, t))) ++n;
    }
    return n;
}

namespace {
int32_t neighborAt(int32_t fb, const RailPoint& p) {
    for (int32_t o : g_index.ofForm(m_fo[fb])) {
        if (o != fb && isEnd(o, p)) return o;
    }
    return -1;
}
}  // namespace

int32_t getNeighbor_F(int32_t fb) { return isValid(fb) ? neighborAt(fb, from(fb)) : -1; }
int32_t getNeighbor_T(int32_t fb) { return isValid(fb) ? neighborAt(fb, to(fb)) : -1; }

int64_t getCost(bool yard, int64_t length) { return length * (yard ? 1 : 100); }
int64_t getCost(int32_t fb) { return isValid(fb) ? getCost(isYard(fb), getLength(fb)) : 0; }

int64_t getValue(int32_t fb, int64_t ym) {
    if (!isValid(fb)) return 0;
    return Sub::getAssets(getCost(fb), 40, ym - m_gym[fb]);
}

}  // namespace FoBuild

namespace Form {

int32_t size() { return static_cast<int32_t>(m_st.size()); }
int32_t count() { return g_forms.count(); }
bool isValid(int32_t fi) { return fi >= 0 && fi < size() && m_st[fi] >= 0; }

int32_t diaCount() {
    const int32_t unit = Sub::s_sbDiaUnit > 0 ? Sub::s_sbDiaUnit : 10;
    return 1440 / unit;
}

std::vector<int8_t> defaultRules() {
    const int32_t unit = Sub::s_sbDiaUnit > 0 ? Sub::s_sbDiaUnit : 10;
    return Dia::defaultPlatformRules(diaCount(), unit);
}

int32_t add(int32_t si) {
    if (!Station::isValid(si)) return -1;
    int32_t no = -1;
    for (int32_t fi = 0; fi < size(); ++fi) {
        if (isValid(fi) && m_st[fi] == si) no = std::max<int32_t>(no, m_no[fi]);
    }
    if (no + 1 > kMaxNo) return -1;
    const int32_t fi = g_forms.acquire(kMax);
    if (fi < 0) return -1;
    growForms(g_forms.size());
    m_st[fi] = static_cast<int16_t>(si);
    m_no[fi] = static_cast<int8_t>(no + 1);
    m_DD[fi] = defaultRules();
    m_afb[static_cast<size_t>(fi) * 2] = -1;
    m_afb[static_cast<size_t>(fi) * 2 + 1] = -1;
    g_index.setEndRails(fi, {-1, -1});
    return fi;
}

void remove(int32_t fi) {
    if (!isValid(fi)) return;
    g_index.setEndRails(fi, {-1, -1});
    m_st[fi] = -1;
    // The record is reused by the next platform: no train may keep it as a stop.
    Train::clearDiaUsingPlatform(fi);
    m_afb[static_cast<size_t>(fi) * 2] = -1;
    m_afb[static_cast<size_t>(fi) * 2 + 1] = -1;
    g_forms.release(fi);
}

int32_t addFoBuild(bool yard, int32_t si, int32_t fi, int32_t ri, const RailPoint& f, const RailPoint& t,
                   int32_t gym) {
    if (si == -1) return -1;
    int32_t made = -1;
    if (!isValid(fi)) {
        fi = FoBuild::searchFoIndex(f.z, f.y, f.x);
        if (fi < 0) fi = FoBuild::searchFoIndex(t.z, t.y, t.x);
        if (fi < 0) fi = made = add(si);
        if (fi < 0) return -1;
    }
    const int32_t fb = FoBuild::add(yard, fi, ri, f, t, gym);
    if (fb < 0 && made >= 0) remove(made);
    return fb;
}

const std::vector<int32_t>& pieces(int32_t fi) { return g_index.ofForm(fi); }

int32_t getSt(int32_t fi) { return isValid(fi) ? m_st[fi] : -1; }

int32_t getFB(int32_t fi, int p) {
    if (!isValid(fi) || p < 0 || p > 1) return -1;
    const int32_t v = m_afb[static_cast<size_t>(fi) * 2 + p];
    return v < 0 ? -1 : (v & (FoBuild::kEndFlag - 1));
}

bool isEndFlag(int32_t fi, int p) {
    if (!isValid(fi) || p < 0 || p > 1) return false;
    const int32_t v = m_afb[static_cast<size_t>(fi) * 2 + p];
    return v >= 0 && (v & FoBuild::kEndFlag) != 0;
}

void setAFB(int32_t fi, int32_t a, int32_t b) {
    if (!isValid(fi)) return;
    m_afb[static_cast<size_t>(fi) * 2] = static_cast<int16_t>(a);
    m_afb[static_cast<size_t>(fi) * 2 + 1] = static_cast<int16_t>(b);
    g_index.setEndRails(fi, endRails(fi));
}

int32_t getRI(int32_t fi, int p) {
    const int32_t fb = getFB(fi, p);
    if (!FoBuild::isValid(fb)) return -1;
    const int32_t ri = FoBuild::m_ri[fb];
    if (!Rail::isValid(ri)) return -1;
    // The flag says the free end is the piece's end point, so the way in
    // runs against the piece; the rail may run either way along the piece.
    const auto rv = Rail::getVectorYX(ri);
    const int64_t py = int64_t{FoBuild::m_ty[fb]} - FoBuild::m_fy[fb];
    const int64_t px = int64_t{FoBuild::m_tx[fb]} - FoBuild::m_fx[fb];
    const bool aligned = rv[0] * py + rv[1] * px > 0;
    const bool intoPlatformAlongPiece = !isEndFlag(fi, p);
    return RailRef::make(ri, aligned != intoPlatformAlongPiece);
}

bool isYard(int32_t fi) {
    const auto& v = pieces(fi);
    return !v.empty() && FoBuild::isYard(v.front());
}

int64_t getLength(int32_t fi) {
    int64_t l = 0;
    for (int32_t fb : pieces(fi)) l += FoBuild::getLength(fb);
    return l;
}

int64_t getLength_um(int32_t fi) { return getLength(fi) * kTrackUnitsPerDm; }

int64_t getValue(int32_t fi, int64_t ym) {
    int64_t v = 0;
    for (int32_t fb : pieces(fi)) v += FoBuild::getValue(fb, ym);
    return v;
}

int32_t getGYM(int32_t fi) {
    int32_t g = -1;
    for (int32_t fb : pieces(fi)) {
        if (g < 0 || FoBuild::m_gym[fb] < g) g = FoBuild::m_gym[fb];
    }
    return g;
}

bool isUseRail(int32_t fi, int32_t ri) {
    for (int p = 0; p < 2; ++p) {
        const int32_t fb = getFB(fi, p);
        if (FoBuild::isValid(fb) && FoBuild::m_ri[fb] == ri) return true;
    }
    return false;
}

int32_t searchIndex_ri(int32_t ri) {
    if (ri < 0) return -1;
    const auto& v = g_index.onRail(RailRef::index(ri));
    return v.empty() ? -1 : FoBuild::m_fo[v.front()];
}

int32_t searchIndex_rib(int32_t rib, int32_t n) {
    if (rib < 0) return -1;
    for (int32_t fi : g_index.formsEndingOn(RailRef::index(rib))) {
        if (fi == n) continue;
        if (getRI(fi, 0) == rib || getRI(fi, 1) == rib) return fi;
    }
    return -1;
}

}  // namespace Form

namespace PlatformStore {

void reset() {
    for (auto* v : {&FoBuild::m_fo, &FoBuild::m_fz, &FoBuild::m_tz, &FoBuild::m_gym}) v->clear();
    for (auto* v : {&FoBuild::m_ri, &FoBuild::m_fy, &FoBuild::m_fx, &FoBuild::m_ty, &FoBuild::m_tx}) v->clear();
    FoBuild::m_typ.clear();
    Form::m_st.clear();
    Form::m_no.clear();
    Form::m_DD.clear();
    Form::m_afb.clear();
    g_pieces.reset();
    g_forms.reset();
    g_index.clear();
    g_meshes.clear();
    g_meshKey = currentMeshKey();
    DiaConnect::touchAll();
}

void afterLoad() {
    DiaConnect::touchAll();
    using namespace FoBuild;
    size_t n = std::min({m_typ.size(), m_fo.size(), m_ri.size(), m_fz.size(), m_fy.size(), m_fx.size(),
                         m_tz.size(), m_ty.size(), m_tx.size(), m_gym.size()});
    n = std::min<size_t>(n, kMax);
    for (auto* v : {&m_fo, &m_fz, &m_tz, &m_gym}) v->resize(n);
    for (auto* v : {&m_ri, &m_fy, &m_fx, &m_ty, &m_tx}) v->resize(n);
    m_typ.resize(n);
    size_t nf = std::min<size_t>({Form::m_st.size(), Form::m_no.size(), Form::m_afb.size() / 2});
    nf = std::min<size_t>(nf, Form::kMax);
    Form::m_st.resize(nf);
    Form::m_no.resize(nf);
    Form::m_afb.resize(nf * 2);
    Form::m_DD.resize(nf);
    for (size_t fi = 0; fi < nf; ++fi) {
        if (Form::m_st[fi] >= 0 && !Station::isValid(Form::m_st[fi])) Form::m_st[fi] = -1;
        if (Form::m_st[fi] >= 0 && Form::m_DD[fi].size() != static_cast<size_t>(Form::diaCount())) {
            Form::m_DD[fi].resize(static_cast<size_t>(Form::diaCount()), 3);
        }
        // Saved rules can hold any byte.
        Dia::sanitizePlatformRules(Form::m_DD[fi]);
    }
    g_forms.rebuild(static_cast<int32_t>(nf), [](int32_t i) { return Form::m_st[i] >= 0; });
    for (size_t fb = 0; fb < n; ++fb) {
        const int32_t fo = m_fo[fb];
        const bool ok = fo >= 0 && Form::isValid(fo) && (m_fy[fb] != m_ty[fb] || m_fx[fb] != m_tx[fb]);
        if (!ok) {
            m_fo[fb] = -1;
            m_ri[fb] = -1;
        } else {
            m_ri[fb] = m_ri[fb] < 0 ? -1 : RailRef::index(m_ri[fb]);
        }
    }
    g_pieces.rebuild(static_cast<int32_t>(n), [](int32_t i) { return m_fo[i] >= 0; });
    g_index.clear();
    for (int32_t fb = 0; fb < static_cast<int32_t>(n); ++fb) {
        if (isValid(fb)) g_index.pieceAdded(fb, m_fo[fb], m_ri[fb]);
    }
    refreshMeshCache();
    for (int32_t fi = 0; fi < Form::size(); ++fi) {
        if (!Form::isValid(fi)) continue;
        for (int p = 0; p < 2; ++p) {
            const int32_t fb = Form::getFB(fi, p);
            if (fb >= 0 && (!isValid(fb) || m_fo[fb] != fi)) Form::m_afb[static_cast<size_t>(fi) * 2 + p] = -1;
        }
        g_index.setEndRails(fi, endRails(fi));
    }
}

}  // namespace PlatformStore

}  // namespace tetsuro
