#include "rail/rail_signals.h"

#include "rail/antenna.h"
#include "rail/heisoku.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"
#include "rail/signal.h"

namespace tetsuro::Rail {

int32_t getSignal(int32_t r) {
    if (!isValidRef(r)) return -1;
    int32_t n = RailRef::index(r);
    return RailRef::isReversed(r) ? m_iSE[n] : m_iSS[n];
}

int32_t getSignal(int32_t n, bool b) { return getSignal(RailRef::make(n, b)); }

bool setSignal(int32_t r, int32_t v) {
    if (!isValidRef(r) || v < -1 || v >= Signal::kMax) return false;
    int32_t n = RailRef::index(r);
    (RailRef::isReversed(r) ? m_iSE[n] : m_iSS[n]) = static_cast<int16_t>(v);
    changed();
    return true;
}

bool setSignal(int32_t n, bool b, int32_t v) { return setSignal(RailRef::make(n, b), v); }

int32_t addSignal(int32_t r) {
    if (!isValidRef(r)) return -1;
    int32_t s = getSignal(r);
    if (s >= 0) return s;
    s = Signal::add();
    if (s < 0) return -1;
    setSignal(r, s);
    return s;
}

int32_t setSignal(int32_t r) { return addSignal(r); }

bool removeSignal(int32_t r) {
    int32_t s = getSignal(r);
    if (s < 0) return false;
    Signal::remove(s);
    setSignal(r, -1);
    return true;
}

bool removeSignal(int64_t z, int64_t y, int64_t x) {
    bool any = false;
    for (int32_t r : getAll_StartEnd(z, y, x)) any = removeSignal(r) || any;
    return any;
}

void setSignalAdd(int64_t z, int64_t y, int64_t x) {
    for (int32_t r : getAll_StartEnd(z, y, x)) addSignal(r);
}

int32_t getSignalSP(int32_t r) { return Signal::getSt(getSignal(r)) == Signal::kCaution ? 9 : 100; }

bool eraseSignalAntenna(int64_t z, int64_t y, int64_t x) {
    Antenna::remove(z, y, x);
    return removeSignal(z, y, x);
}

int32_t getAntenna(int32_t r) {
    if (!isValidRef(r)) return -1;
    return Antenna::searchIndex(endPoint(r));
}

int investigateAntenna(int64_t z, int64_t y, int64_t x) {
    if (getAll_RZYX(z, y, x).empty()) return -2;
    auto ends = getAll_StartEnd(z, y, x);
    if (ends.size() == 1) return 0;
    // Three or more ends are a junction; four happen on imports and level
    // crossings and must keep their sections apart just the same.
    if (ends.size() >= 3) return 2;
    if (ends.size() == 2 && getSpd(ends[0]) != getSpd(ends[1])) return 3;
    if (railHooks().platformMarker(RailPoint{static_cast<int32_t>(z), static_cast<int32_t>(y),
                                             static_cast<int32_t>(x)}) == 1) {
        return 1;
    }
    return -1;
}

}  // namespace tetsuro::Rail
