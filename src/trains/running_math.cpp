#include "trains/running_math.h"

#include <algorithm>
#include <cmath>

#include "support/int_math.h"

namespace tetsuro::Running {

namespace {

constexpr int64_t kDay = 5184000;

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

// The rule byte of slot i of the day (any i, counted round the day).
int8_t ruleAt(std::span<const int8_t> rules, int64_t i) {
    return rules[static_cast<size_t>(floorMod(i, static_cast<int64_t>(rules.size())))];
}

// Twice the distance covered in the first tau ticks (exact).
__int128 doubledDistance(const Motion& m, int64_t tau) {
    using I = __int128;
    if (tau <= 0) return 0;
    if (m.a == 0) return I(2) * m.v0 * tau;
    if (m.a > 0) {
        if (m.v0 >= m.cap) return I(2) * m.cap * tau;
        // The speed reaches the cap at the end of tick tc.
        const int64_t tc = ceilDiv(m.cap - m.v0, m.a);
        if (tau < tc) return I(2) * m.v0 * tau + I(m.a) * tau * tau;
        const int64_t t = tc - 1;
        const I before = I(2) * m.v0 * t + I(m.a) * t * t;
        return before + (m.v0 + I(m.a) * t) + m.cap + I(2) * m.cap * (tau - tc);
    }
    const int64_t b = -m.a;
    if (m.v0 <= 0) return 0;
    // The speed reaches 0 at the end of tick tz and stays there.
    const int64_t tz = ceilDiv(m.v0, b);
    const int64_t t = std::min(tau, tz - 1);
    I q = I(2) * m.v0 * t - I(b) * t * t;
    if (tau >= tz) q += m.v0 - I(b) * t;
    return q;
}

}  // namespace

int64_t speedLimit(bool creeping, int64_t typeTop, int64_t railLimit, int32_t signal) {
    if (creeping) return kCreepSpeed;
    const int64_t sig = signal < 0 || signal >= 100 ? kOpenSignalSpeed : int64_t{signal} * 50;
    int64_t l = std::min(typeTop, sig);
    if (railLimit >= 0) l = std::min(l, railLimit);
    return l;
}

int64_t trackSpeed(int64_t speed, int64_t timesc) { return std::max<int64_t>(1, speed * timesc / 4); }

int64_t brakingDistance(int64_t b, int64_t v, int64_t ts) {
    b = std::max<int64_t>(1, b);
    return (v * (v / b)) / 2 - (ts * (ts / b)) / 2;
}

int64_t stopPoint(int64_t platformLen, int64_t trainLen, int64_t headPos, int64_t railLen) {
    return (platformLen + trainLen) / 2 + headPos - railLen;
}

int64_t pullOutDistance(int64_t platformLen, int64_t trainLen) {
    return (platformLen - trainLen) / 2 + kPullOutMargin;
}

int64_t costRate(int64_t typeTopKmh, int64_t cars) { return typeTopKmh * 10 * (cars + 2) / kCostDivisor; }

int64_t dwellTicks(std::span<const int8_t> rules, int32_t di, int32_t unitMinutes, int64_t clock) {
    const int64_t s = unitMinutes;
    const int64_t S = s * 3600;
    const int64_t T = floorMod(clock, kDay);
    if (rules.empty() || s <= 0) return kShortestStop;
    const int8_t c = ruleAt(rules, di);
    if (c == 3) return kShortestStop;
    if (c == 4) return s == 1 ? 1800 : s == 10 ? 18000 : 54000;

    const int64_t n = static_cast<int64_t>(rules.size());
    int64_t k = di;
    while (k < di + n && (ruleAt(rules, k) == 1 || ruleAt(rules, k) == 2)) ++k;
    int64_t w;
    if (k == di + n) {
        // Nothing but plain stops: leave at the end of the current slot.
        w = T - (T / S + 1) * S;
    } else {
        const int8_t ck = ruleAt(rules, k);
        // Slots are counted on from di without wrapping, so a departure
        // after midnight lies in the next day.
        const int64_t departure = ck == 0 ? k : k + 1;
        w = T - departure * S;
        if (w < S - kDay) w += kDay;
        w %= kDay;
        if (ck == 3) w += (s * 60 - 10) * 60;
        if (ck == 4) w += (s == 1 ? s * 60 - 30 : s == 10 ? s * 60 - 300 : s * 60 - 900) * 60;
    }
    return std::max<int64_t>(-w, kShortestStop);
}

int64_t speedAt(const Motion& m, int64_t tau) {
    if (tau <= 0 || m.a == 0) return m.v0;
    if (m.a > 0) return m.v0 >= m.cap ? m.cap : std::min<int64_t>(m.cap, m.v0 + m.a * tau);
    return std::max<int64_t>(0, m.v0 + m.a * tau);
}

int64_t distanceAt(const Motion& m, int64_t tau) { return static_cast<int64_t>(doubledDistance(m, tau) / 2); }

int64_t timeToCover(const Motion& m, int64_t from, int64_t d, int64_t horizon) {
    if (horizon <= from || d <= 0) return d <= 0 && horizon > from ? from + 1 : -1;
    if (m.a == 0 || (m.a > 0 && m.v0 >= m.cap)) {
        const int64_t v = m.a == 0 ? m.v0 : m.cap;
        if (v <= 0) return -1;
        const int64_t t = from + ceilDiv(d, v);
        return t <= horizon ? t : -1;
    }
    // distanceAt(t) >= T exactly when doubledDistance(t) >= 2T.
    const __int128 target2 = 2 * (__int128(distanceAt(m, from)) + d);
    if (doubledDistance(m, horizon) < target2) return -1;
    // Estimate on the parabola, then settle on the exact first tick; the
    // distance never falls as time goes on.
    const double v0 = static_cast<double>(m.v0), a = static_cast<double>(m.a);
    const double disc = v0 * v0 + a * static_cast<double>(target2);
    if (disc >= 0) {
        const double est = (-v0 + std::sqrt(disc)) / a;
        if (est > static_cast<double>(from) && est < static_cast<double>(horizon)) {
            int64_t t = std::clamp<int64_t>(static_cast<int64_t>(std::ceil(est)), from + 1, horizon);
            for (int n = 0; n < 4; ++n) {
                if (doubledDistance(m, t) < target2) {
                    ++t;
                } else if (t > from + 1 && doubledDistance(m, t - 1) >= target2) {
                    --t;
                } else {
                    return t;
                }
                if (t > horizon) break;
            }
        }
    }
    int64_t lo = from, hi = horizon;
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (doubledDistance(m, mid) >= target2) hi = mid;
        else lo = mid;
    }
    return hi;
}

}  // namespace tetsuro::Running
