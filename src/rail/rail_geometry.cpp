#include "rail/rail_geometry.h"

#include <algorithm>

#include "rail/rail_store.h"
#include "support/sub.h"
#include "support/vel_jlib_array.h"
#include "support/vel_jlib_geometry.h"
#include "support/vel_jlib_lines.h"

namespace tetsuro::Rail {

using namespace VelJLib;

namespace {

// Crossing points are rounded as the crossing test rounds them.
std::vector<int64_t> toPoint(const HomogeneousPoint& p) {
    return {p[1] / p[0], p[2] / p[0]};
}

}  // namespace

// ---- end points ----

int32_t getSZ(int32_t r) { return isValidRef(r) ? startPoint(r).z : -1; }
int32_t getSY(int32_t r) { return isValidRef(r) ? startPoint(r).y : -1; }
int32_t getSX(int32_t r) { return isValidRef(r) ? startPoint(r).x : -1; }
int32_t getEZ(int32_t r) { return isValidRef(r) ? endPoint(r).z : -1; }
int32_t getEY(int32_t r) { return isValidRef(r) ? endPoint(r).y : -1; }
int32_t getEX(int32_t r) { return isValidRef(r) ? endPoint(r).x : -1; }

std::vector<int32_t> getStartZYX(int32_t r) {
    if (!isValidRef(r)) return {};
    RailPoint p = startPoint(r);
    return {p.z, p.y, p.x};
}
std::vector<int32_t> getStartRZYX(int32_t r) { return getStartZYX(r); }
std::vector<int32_t> getEndZYX(int32_t r) { return getStartZYX(RailRef::flip(r)); }
std::vector<int32_t> getEndRZYX(int32_t r) { return getEndZYX(r); }

std::vector<int32_t> getStartRYX(int32_t r) {
    if (!isValidRef(r)) return {};
    RailPoint p = startPoint(r);
    return {p.y, p.x};
}

int64_t getStartRYXq(int32_t r) {
    if (!isValidRef(r)) return -1;
    RailPoint p = startPoint(r);
    return toLong(p.x, p.y);
}

// ---- vectors ----

std::array<int64_t, 3> getVectorZYX(int32_t r) {
    if (!isValidRef(r)) return {0, 0, 0};
    RailPoint s = startPoint(r);
    RailPoint e = endPoint(r);
    return {int64_t{e.z} - s.z, int64_t{e.y} - s.y, int64_t{e.x} - s.x};
}
int64_t getVectorZ(int32_t r) { return getVectorZYX(r)[0]; }
int64_t getVectorY(int32_t r) { return getVectorZYX(r)[1]; }
int64_t getVectorX(int32_t r) { return getVectorZYX(r)[2]; }
std::array<int64_t, 2> getVectorYX(int32_t r) {
    auto v = getVectorZYX(r);
    return {v[1], v[2]};
}

std::array<int64_t, 2> getVectorYX(int32_t n, int64_t y, int64_t x) {
    if (!isValid(n)) return {0, 0};
    return getVectorYX(RailRef::make(n, isEnd(n, y, x)));
}

std::array<int64_t, 3> getVectorZYX(int32_t n, int64_t z, int64_t y, int64_t x) {
    if (!isValid(n)) return {0, 0, 0};
    return getVectorZYX(RailRef::make(n, isEnd(n, z, y, x)));
}

// ---- angles ----

double getAngle(int32_t r) {
    auto v = getVectorYX(r);
    return VelJLib::getAngle(static_cast<double>(v[0]), static_cast<double>(v[1]));
}

int getAngleYX360(int32_t r) {
    auto v = getVectorYX(r);
    return VelJLib::getAngleYX360(v[0], v[1]);
}

double getAngleYX360f(int32_t r) {
    auto v = getVectorYX(r);
    return VelJLib::getAngleYX360f(v[0], v[1]);
}

int getAngleYX360(int32_t n, int64_t y, int64_t x) {
    auto v = getVectorYX(n, y, x);
    return VelJLib::getAngleYX360(v[0], v[1]);
}

double getAngleYX360f(int32_t n, int64_t y, int64_t x) {
    auto v = getVectorYX(n, y, x);
    return VelJLib::getAngleYX360f(v[0], v[1]);
}

double getAngleZ(int32_t r) {
    if (!isValidRef(r)) return 0;
    return VelJLib::getAngle(static_cast<double>(getVectorZ(r)), static_cast<double>(length_cm(r)));
}

int diffAngleYX360(int a, int b) { return diffAngle360(a, b); }

int diffAngleYX360(int64_t y, int64_t x, int32_t r) {
    return diffAngle360(VelJLib::getAngleYX360(y, x), getAngleYX360(r));
}

// ---- ends ----

bool isStart(int32_t n, int64_t z, int64_t y, int64_t x) {
    return isValid(n) && m_iFZ[n] == z && m_iFY[n] == y && m_iFX[n] == x;
}
bool isEnd(int32_t n, int64_t z, int64_t y, int64_t x) {
    return isValid(n) && m_iTZ[n] == z && m_iTY[n] == y && m_iTX[n] == x;
}
bool isStartEnd(int32_t n, int64_t z, int64_t y, int64_t x) {
    return isStart(n, z, y, x) || isEnd(n, z, y, x);
}
bool isStart(int32_t n, int64_t y, int64_t x) {
    return isValid(n) && m_iFY[n] == y && m_iFX[n] == x;
}
bool isEnd(int32_t n, int64_t y, int64_t x) {
    return isValid(n) && m_iTY[n] == y && m_iTX[n] == x;
}
bool isStartEnd(int32_t n, int64_t y, int64_t x) { return isStart(n, y, x) || isEnd(n, y, x); }

bool isPointOnLine(int32_t n, int64_t y, int64_t x) {
    return isValid(n) && isPointOnLine_yx(y, x, m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n]);
}

bool isPointOnLine(int32_t n, int64_t z, int64_t y, int64_t x) {
    return isPointOnLine(n, y, x) && getZ(n, y, x) == z;
}

// ---- type and speed ----

bool isElevated(int32_t n) { return isValid(n) && m_typ[n] == 1; }
int getElevated(int32_t n) { return isElevated(n) ? 1 : 0; }

int32_t getSpd(int32_t r) { return isValidRef(r) ? m_spd[RailRef::index(r)] : -1; }

bool setSpd(int32_t n, int32_t v) {
    if (!isValid(n) || v < kMinSpeedClass || v > kMaxSpeedClass) return false;
    m_spd[n] = static_cast<int8_t>(v);
    changed();
    return true;
}

int32_t getMaxSP_km(int32_t r) {
    int32_t s = getSpd(r);
    return s < 0 ? -1 : s * 50;
}

int64_t getCost(int64_t cls) { return cls * cls; }

// ---- lengths ----

int32_t length_cm(int32_t r) {
    if (!isValidRef(r)) return -1;
    int32_t n = RailRef::index(r);
    if (m_iLenC[n] == 0) {
        m_iLenC[n] = static_cast<int32_t>(std::min<int64_t>(
            VelJLib::getLength(m_iFZ[n], m_iFY[n], m_iFX[n], m_iTZ[n], m_iTY[n], m_iTX[n]), INT32_MAX));
    }
    return m_iLenC[n];
}

int32_t length_h_cm(int32_t r) {
    if (!isValidRef(r)) return -1;
    int32_t n = RailRef::index(r);
    return static_cast<int32_t>(
        std::min<int64_t>(VelJLib::getLength(m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n]), INT32_MAX));
}

int64_t length_um(int32_t n) {
    int32_t l = length_cm(n);
    return l < 0 ? 0 : int64_t{l} * kTrackUnitsPerDm;
}

bool setLenC(int32_t n, int32_t v) {
    if (!isValid(n)) return false;
    m_iLenC[n] = v;
    return true;
}

// ---- heights and positions ----

int32_t getZ(int32_t n, int64_t y, int64_t x) {
    if (!isValid(n)) return -1;
    int64_t fz = m_iFZ[n];
    int64_t dz = int64_t{m_iTZ[n]} - fz;
    int64_t l = length_h_cm(n);
    if (l <= 0) return static_cast<int32_t>(fz);
    int64_t h = VelJLib::getLength(m_iFY[n], m_iFX[n], y, x);
    return static_cast<int32_t>(fz + (dz * h + getSign(dz) * l / 2) / l);
}

int32_t getZ(int32_t a, int32_t b) {
    auto p = getCrossOfSegment(a, b);
    if (p.empty()) return -1;
    return getZ(a, p[0], p[1]);
}

namespace {

int64_t posAlong(int32_t r, int64_t l, int axis) {
    if (!isValidRef(r)) return 0;
    RailPoint s = startPoint(r);
    int64_t base = axis == 0 ? s.z : (axis == 1 ? s.y : s.x);
    int64_t len = length_cm(r);
    if (len <= 0) return base;
    return base + getVectorZYX(r)[axis] * l / len;
}

double posAlongF(int32_t r, double l, int axis) {
    if (!isValidRef(r)) return 0;
    RailPoint s = startPoint(r);
    double base = axis == 0 ? s.z : (axis == 1 ? s.y : s.x);
    double len = length_cm(r);
    if (len <= 0) return base;
    return base + static_cast<double>(getVectorZYX(r)[axis]) * l / len;
}

}  // namespace

int64_t getPosRZ(int32_t r, int64_t l) { return posAlong(r, l, 0); }
int64_t getPosRY(int32_t r, int64_t l) { return posAlong(r, l, 1); }
int64_t getPosRX(int32_t r, int64_t l) { return posAlong(r, l, 2); }
double getPosRZf(int32_t r, double l) { return posAlongF(r, l, 0); }
double getPosRYf(int32_t r, double l) { return posAlongF(r, l, 1); }
double getPosRXf(int32_t r, double l) { return posAlongF(r, l, 2); }

std::vector<int64_t> getPosRYX(int32_t r, double l) {
    if (!isValidRef(r)) return {};
    RailPoint s = startPoint(r);
    auto v = getVectorYX(r);
    return addVector(std::vector<int64_t>{s.y, s.x}, v, l);
}

std::vector<double> getPosRYXf(int32_t r, double l) {
    if (!isValidRef(r)) return {};
    RailPoint s = startPoint(r);
    auto v = getVectorYX(r);
    const std::array<int64_t, 2> p{s.y, s.x};
    return addVector_f(p, v, l);
}

std::array<double, 3> getPosRZYXf_um(int32_t r, int64_t p) {
    double l = static_cast<double>(p) / static_cast<double>(kTrackUnitsPerDm);
    return {getPosRZf(r, l), getPosRYf(r, l), getPosRXf(r, l)};
}

double getPosRZf_um(int32_t r, int64_t p) {
    return getPosRZf(r, static_cast<double>(p) / static_cast<double>(kTrackUnitsPerDm));
}

int64_t getPos_cm(int32_t r, int64_t z, int64_t y, int64_t x) {
    if (!isValidRef(r)) return -1;
    RailPoint s = startPoint(r);
    return VelJLib::getLength(s.z, s.y, s.x, z, y, x);
}

int64_t getPos_cm_yx(int32_t r, int64_t y, int64_t x) {
    if (!isValidRef(r)) return -1;
    return getPos_cm(r, getZ(RailRef::index(r), y, x), y, x);
}

int64_t getPos_h_cm(int32_t r, int64_t y, int64_t x) {
    if (!isValidRef(r)) return -1;
    RailPoint s = startPoint(r);
    return VelJLib::getLength(s.y, s.x, y, x);
}

// ---- crossings ----

std::vector<int64_t> getCrossOfSegment(int32_t n, int64_t fy, int64_t fx, int64_t ty, int64_t tx,
                                       bool point) {
    if (!isValid(n)) return {};
    auto p = VelJLib::getCrossOfSegment(m_iFY[n], m_iFX[n], m_iTY[n], m_iTX[n], fy, fx, ty, tx, point);
    if (!p) return {};
    return toPoint(*p);
}

std::vector<int64_t> getCrossOfSegment(int32_t a, int32_t b) {
    if (!isValid(a) || !isValid(b)) return {};
    return getCrossOfSegment(a, m_iFY[b], m_iFX[b], m_iTY[b], m_iTX[b]);
}

std::vector<int64_t> getCrossM(int32_t n, int64_t my, int64_t mx) {
    if (!isValid(n) || Sub::m_iMS <= 0) return {};
    const int64_t ms = Sub::m_iMS;
    auto c = getCrossOfRect(my * ms, mx * ms, (my + 1) * ms, (mx + 1) * ms, m_iFY[n], m_iFX[n],
                            m_iTY[n], m_iTX[n]);
    std::vector<int64_t> pts;
    for (size_t i = 0; i + 2 < c.size(); i += 3) {
        int64_t y = c[i + 1] / c[i], x = c[i + 2] / c[i];
        bool seen = false;
        for (size_t k = 0; k < pts.size(); k += 2) seen = seen || (pts[k] == y && pts[k + 1] == x);
        if (!seen) {
            pts.push_back(y);
            pts.push_back(x);
        }
    }
    if (pts.size() != 4) return {};
    return pts;
}

}  // namespace tetsuro::Rail
