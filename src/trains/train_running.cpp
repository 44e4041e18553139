#include "trains/train_running.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <limits>

#include "city/finance.h"
#include "game/main_canvas.h"
#include "game/slots.h"
#include "rail/rail_connect.h"
#include "rail/rail_geometry.h"
#include "rail/rail_sections.h"
#include "support/int_math.h"
#include "support/shift_jis.h"
#include "support/sub_dia.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"
#include "trains/train_chain.h"
#include "trains/train_dia.h"
#include "trains/train_direction.h"
#include "trains/train_placement.h"
#include "trains/train_run_rules.h"
#include "trains/train_spec.h"

namespace tetsuro {

namespace {

RunningHooks g_noHooks;

constexpr int64_t kWeekTicks = 36288000;
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
// Zero-length steps at one clock value before the clock is pushed on by a
// tick: event passes that keep changing something without ever letting
// time pass (two platforms handing a train back and forth) must not hang
// the game.
constexpr int64_t kZeroStepLimit = 4096;

size_t at(int32_t ti) { return static_cast<size_t>(ti); }

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Times a block of work into one of the stats counters when profiling.
class Timer {
public:
    Timer(bool on, int64_t& into) : m_into(on ? &into : nullptr), m_start(on ? nowNs() : 0) {}
    ~Timer() {
        if (m_into != nullptr) *m_into += nowNs() - m_start;
    }

private:
    int64_t* m_into;
    int64_t m_start;
};

// A platform dwell: waiting, at a platform point, with a platform.
bool isDwelling(int32_t ti) {
    const size_t i = at(ti);
    return Train::m_SP[i] < 0 && Train::m_NF[i] >= 0 && Train::m_NP[i] <= 0;
}

}  // namespace

void TrainRunner::setHooks(RunningHooks* hooks) { m_hooks = hooks; }

RunningHooks& TrainRunner::hooks() { return m_hooks != nullptr ? *m_hooks : g_noHooks; }

int64_t& TrainRunner::clock() { return m_canvas->slots().m_la[LA_CLOCK]; }

int64_t TrainRunner::recordTime() { return floorMod(clock(), kWeekTicks); }

void TrainRunner::fitTables() {
    const size_t n = static_cast<size_t>(Train::size());
    if (m_run.size() != n) m_run.resize(n);
    if (m_moved.size() != n) m_moved.resize(n, 0);
}

void TrainRunner::invalidate(int32_t ti) {
    Train::m_iNextCount[at(ti)] = 0;
    m_run[at(ti)].valid = false;
}

TrainRunner::Run& TrainRunner::runFor(int32_t ti, int64_t L, int& costMul) {
    const size_t i = at(ti);
    const int64_t sp = Train::m_SP[i];
    Running::Motion m{sp, 0, 0};
    if (Train::m_ac[i] == Train::kBraking) {
        m.a = -Train::brakingUm(ti);
        costMul = 0;
    } else if (sp >= L || Train::m_ac[i] == Train::kToBrakingPoint) {
        costMul = 1;
    } else {
        m.a = Train::accelerationUm(ti);
        m.cap = L;
        costMul = 2;
    }
    Run& r = m_run[i];
    if (!r.valid || r.motion.a != m.a || r.motion.cap != m.cap || Running::speedAt(r.motion, r.tau) != sp) {
        r.motion = m;
        r.tau = 0;
        r.valid = true;
    }
    return r;
}

int64_t TrainRunner::boundFor(int32_t ti, int64_t cnt) {
    const size_t i = at(ti);
    if (Train::m_iNextCount[i] > 0) return std::min<int64_t>(cnt, Train::m_iNextCount[i]);
    if (Train::m_SP[i] < 0) return std::min<int64_t>(cnt, -int64_t{Train::m_SP[i]});
    int64_t L = Train::getMaxSP_um(ti);
    if (Train::m_SP[i] > L) {
        // A lowered limit takes effect at once.
        Train::m_SP[i] = static_cast<int32_t>(L);
        invalidate(ti);
        if (Train::m_ac[i] == Train::kToBrakingPoint) {
            Train::m_NF[i] = Train::kNoPlatform;
            Train::m_NP[i] = 0;
            Train::searchForm(ti);
        } else if (Train::m_ac[i] == Train::kBraking) {
            Train::searchForm_checkBD(ti, true);
        }
        // The decision may have made it creep, which has its own limit.
        L = Train::getMaxSP_um(ti);
        if (Train::m_SP[i] > L) Train::m_SP[i] = static_cast<int32_t>(L);
    }
    const int64_t D = std::min(Train::headPos(ti), Train::m_NP[i]);
    if (D <= 0) return 0;

    int costMul = 0;
    Run& r = runFor(ti, L, costMul);
    const Running::Motion& m = r.motion;
    const int64_t sp = Train::m_SP[i];
    int64_t bound = kNever;
    if (m.a < 0) {
        if (sp == 0) return 0;  // stopped short of the stop point
        bound = ceilDiv(sp, -m.a);
    } else if (m.a > 0) {
        bound = ceilDiv(L - sp, m.a);
    }
    int64_t t = bound;
    const int64_t horizon = bound != kNever ? r.tau + bound : kNever;
    const int64_t reach = Running::timeToCover(m, r.tau, D, horizon);
    if (reach > 0) t = std::min(t, reach - r.tau);
    if (!m_literal) {
        // The lazy stepper brings a train up to date wherever the sections
        // it holds change, so that other trains always see them as they are.
        const int64_t ds = Train::sectionChangeDistance(ti);
        if (ds > 0) {
            const int64_t cross = Running::timeToCover(m, r.tau, ds, horizon);
            if (cross > 0) t = std::min(t, cross - r.tau);
        }
    }
    if (t == kNever) return cnt;  // never moves: nothing to wait for
    t = std::max<int64_t>(1, t);
    if (t < std::numeric_limits<int32_t>::max()) Train::m_iNextCount[i] = static_cast<int32_t>(t);
    return std::min(cnt, t);
}

int64_t TrainRunner::researchNextCount(int64_t cnt) {
    Timer timer(m_profiling, m_stats.nsStepChoice);
    const int32_t n = Train::size();
    for (int32_t ti = 0; ti < n; ++ti) {
        if (!Train::isPlaced(ti)) continue;
        cnt = boundFor(ti, cnt);
        if (cnt == 0) return 0;
    }
    return std::max<int64_t>(cnt, 0);
}

bool TrainRunner::advanceOne(int32_t ti, int64_t k) {
    const size_t i = at(ti);
    ++m_stats.trainSteps;
    Train::m_iNextCount[i] = static_cast<int32_t>(std::max<int64_t>(int64_t{Train::m_iNextCount[i]} - k, -1));
    bool event = false;
    int64_t cost = 0;
    if (Train::m_SP[i] < 0) {
        const bool dwell = isDwelling(ti);
        if (!(dwell && Form::isYard(Train::m_NF[i]))) cost = k;
        const int64_t sp = int64_t{Train::m_SP[i]} + k;
        if (sp >= 0) {
            Train::m_SP[i] = 0;
            invalidate(ti);
            event = true;
            if (dwell) {
                Train::leave(ti, static_cast<int32_t>(recordTime()));
                hooks().departed(ti, Train::m_NF[i], clock());
            }
        } else {
            Train::m_SP[i] = static_cast<int32_t>(sp);
        }
    } else {
        const int64_t L = Train::getMaxSP_um(ti);
        if (Train::m_SP[i] > L) Train::m_SP[i] = static_cast<int32_t>(L);
        int costMul = 0;
        Run& r = runFor(ti, L, costMul);
        const int64_t from = Running::distanceAt(r.motion, r.tau);
        r.tau += k;
        const int64_t dist = Running::distanceAt(r.motion, r.tau) - from;
        const int64_t sp = Running::speedAt(r.motion, r.tau);
        bool checkBraking = false;
        int8_t& phase = Train::m_ac[i];
        if (costMul == 2) {
            if (phase == Train::kStanding || phase == Train::kAtLimit) phase = Train::kAccelerating;
            if (sp >= L) {
                ++phase;
                checkBraking = phase == Train::kToBrakingPoint;
            }
        }
        Train::m_SP[i] = static_cast<int32_t>(sp);
        cost = Running::costRate(TrainSpec::getSpeed(Train::m_Typ[i]), Train::carCount(ti)) * costMul * k;
        if (dist > 0) m_moved[i] = 1;
        if (Train::advance(ti, dist)) event = true;
        // The stop point has been counted down all along; at the end of the
        // creep only the braking decision is made again, after the move, so
        // that it does not depend on how time was cut.
        if (checkBraking) {
            Train::searchForm_checkBD(ti, false);
            invalidate(ti);
        }
        if (phase == Train::kBraking && sp == 0) event = true;
    }
    if (cost > 0) {
        Timer timer(m_profiling, m_stats.nsCosts);
        m_finance.addExpense(ti, cost);
    }
    return event;
}

bool TrainRunner::step(int64_t k) {
    Timer timer(m_profiling, m_stats.nsRunning);
    clock() += k;
    ++m_stats.steps;
    bool event = false;
    const int32_t n = Train::size();
    for (int32_t ti = 0; ti < n; ++ti) {
        if (Train::isPlaced(ti) && advanceOne(ti, k)) event = true;
    }
    return event;
}

bool TrainRunner::eventPass() {
    Timer timer(m_profiling, m_stats.nsEvents);
    bool changed = false;
    for (int32_t ti = 0; ti < Train::size(); ++ti) {
        if (eventFor(ti)) changed = true;
    }
    return changed;
}

bool TrainRunner::eventFor(int32_t ti) {
    if (!Train::isPlaced(ti) || Train::m_SP[at(ti)] < 0) return false;
    if (!handleEvent(ti)) return false;
    ++m_stats.events;
    if (Train::isPlaced(ti)) invalidate(ti);
    return true;
}

bool TrainRunner::handleEvent(int32_t ti) {
    const size_t i = at(ti);
    const int64_t hp = Train::headPos(ti);
    int64_t& NP = Train::m_NP[i];
    int16_t& NF = Train::m_NF[i];
    int8_t& phase = Train::m_ac[i];
    if (hp > 0 && NP > 0) {
        if (phase == Train::kBraking && Train::m_SP[i] == 0) {
            // Stopped short of the stop point: start again.
            phase = Train::kAccelerating;
            return true;
        }
        return false;
    }
    if (NP <= 0 && Train::m_SP[i] == 0 && phase == Train::kStanding && NF >= 0) {
        hooks().board(ti, NF);
        NP = Train::pullOutNP(ti, NF);
        NF = Train::kPullingOut;
        return true;
    }
    if (NF == Train::kPullingOut && NP <= 0) {
        const int32_t fi = Form::searchIndex_ri(RailRef::index(Train::headRef(ti)));
        if (fi >= 0) {
            NP = Form::getLength_um(fi);
        } else {
            NF = Train::kNoPlatform;
            Train::searchForm(ti);
        }
        return true;
    }
    if (NF >= 0 && NP <= 0) {
        if (phase == Train::kToBrakingPoint) {
            phase = Train::kBraking;
            NP += Train::getBrakingDistance(ti, 0);
            return true;
        }
        const int32_t fi = NF;
        const int8_t rule = Train::stopRule(fi, Train::m_di[i]);
        if (rule == 0 || Form::getLength_um(fi) < Train::length_um(ti)) {
            Train::searchForm(ti);
        } else {
            stopAtPlatform(ti, fi, rule);
        }
        return true;
    }
    if (hp > 0) {
        // No platform and the rail not yet at its end: only a platform
        // search can have left this; look again.
        if (NF == Train::kNoPlatform && NP <= 0) {
            Train::searchForm(ti);
            return true;
        }
        return false;
    }
    atRailEnd(ti);
    return true;
}

void TrainRunner::stopAtPlatform(int32_t ti, int32_t fi, int8_t rule) {
    const size_t i = at(ti);
    const int64_t now = clock();
    if (!Train::arrive(ti, static_cast<int32_t>(recordTime()), fi)) {
        m_canvas->putMsg(SJ(u8"ダイヤを組めません"), -1);
        hooks().selectTrain(ti);
    }
    hooks().alight(ti, fi);
    Train::m_lLastMS[i] = now;
    Train::m_ac[i] = Train::kStanding;
    Train::m_SP[i] = 0;
    // At a terminal the train turns only when the buffer stop lies ahead
    // of it: one that has just turned at the buffer stop and come back in
    // would otherwise shuttle between the two for ever.
    const bool terminal = Rail::isStopForm(fi) && Train::platformAhead(ti, fi).bufferStop;
    if ((rule & Dia::kCodeMask) == Dia::kTurnBack || terminal) Train::reverse(ti, false);
    const int64_t wait = Running::dwellTicks(Form::m_DD[at(fi)], Train::m_di[i], Sub::getDiaUnit(), now);
    Train::m_SP[i] = static_cast<int32_t>(-std::min<int64_t>(wait, std::numeric_limits<int32_t>::max()));
    hooks().arrived(ti, fi, now);
}

void TrainRunner::atRailEnd(int32_t ti) {
    const size_t i = at(ti);
    const int32_t rb = TrainDirection::nextRail(Train::headRef(ti));
    if (rb >= 0) {
        enterRail(ti, rb);
        return;
    }
    // A dead end: turn round, or leave the track when the train cannot.
    if (Train::reverse(ti, false)) {
        Train::m_NF[i] = Train::kNoPlatform;
        Train::m_NP[i] = 0;
        Train::searchForm(ti);
        return;
    }
    hooks().takenOff(ti, clock());
    Train::setNonPlacement(ti);
}

void TrainRunner::enterRail(int32_t ti, int32_t rb) {
    const size_t i = at(ti);
    const int32_t s = TrainDirection::entrySignalSpeed(rb);
    const int32_t left = Rail::getHS(Train::headRef(ti));
    if (!Train::moveRail(ti, rb)) {
        // The section ahead is held: stop dead and try again later. A
        // train running on to its braking point is left braking for the
        // stop point, so that it starts again when the wait is over.
        if (Train::m_ac[i] == Train::kToBrakingPoint) {
            Train::m_NP[i] += Train::getBrakingDistance(ti, 0);
            Train::m_ac[i] = Train::kBraking;
        }
        Train::m_SP[i] = -Running::kBlockWait;
        return;
    }
    if (Rail::getHS(rb) != left) Train::m_Signal[i] = static_cast<int8_t>(s);
    Train::searchForm(ti);
    if (m_hooks != nullptr) {
        const int32_t fi = Form::searchIndex_ri(RailRef::index(rb));
        if (fi >= 0) hooks().headOnPlatform(ti, fi);
    }
}

int64_t TrainRunner::advanceTrain_nextCount(int64_t cnt) {
    if (cnt <= 0) return 0;
    fitTables();
    if (!m_literal) {
        if (!m_lazyReady) lazyBegin();
        return lazyNextCount(cnt);
    }
    int64_t used = 0;
    bool event = false;
    while (used < cnt && !event) {
        const int64_t k = researchNextCount(cnt - used);
        if (k == 0) break;
        event = step(k);
        used += k;
    }
    if (used > 0) hooks().travellersAdvance(used);
    const bool changed = eventPass();
    if (used == 0 && zeroStepStuck(changed)) {
        // Nothing can move on by itself: let a tick pass.
        step(1);
        used = 1;
        hooks().travellersAdvance(used);
        eventPass();
    }
    return used;
}

bool TrainRunner::zeroStepStuck(bool changed) {
    if (m_zeroClock != clock()) m_zeroClock = clock(), m_zeroSteps = 0;
    return !changed || ++m_zeroSteps > kZeroStepLimit;
}

// ---- the lazy stepper ----
//
// Every train keeps the clock it is up to date at and the tick of its next
// decision point, in a heap. Time jumps from one such tick to the next; only
// the trains due then are moved. A train's step is cut wherever the sections
// it holds change, so the sections (and the signals they set) are always
// as the literal stepper would have them, and cutting a train's time into
// more steps changes nothing. At the end of every call all trains are
// brought up to the clock, so costs, positions and panels are current
// between calls.

void TrainRunner::schedule(int32_t ti, int64_t tick) {
    m_next[at(ti)] = tick;
    if (tick == kNever) return;
    m_heap.emplace_back(tick, ti);
    std::push_heap(m_heap.begin(), m_heap.end(), std::greater<>());
}

void TrainRunner::scheduleFromNow(int32_t ti) {
    const int64_t b = boundFor(ti, kNever);
    schedule(ti, b == kNever ? kNever : clock() + b);
}

bool TrainRunner::sync(int32_t ti, int64_t t) {
    const int64_t k = t - m_last[at(ti)];
    m_last[at(ti)] = t;
    return k > 0 && advanceOne(ti, k);
}

void TrainRunner::lazyBegin() {
    const int64_t now = clock();
    m_last.assign(static_cast<size_t>(Train::size()), now);
    m_next.assign(static_cast<size_t>(Train::size()), kNever);
    m_heap.clear();
    for (int32_t ti = 0; ti < Train::size(); ++ti) {
        if (Train::isPlaced(ti)) scheduleFromNow(ti);
    }
    m_lazyReady = true;
}

void TrainRunner::lazyEnd() {
    Timer timer(m_profiling, m_stats.nsRunning);
    const int64_t now = clock();
    for (int32_t ti = 0; ti < Train::size(); ++ti) {
        if (Train::isPlaced(ti)) sync(ti, now);
    }
    m_lazyReady = false;
}

int64_t TrainRunner::lazyNextCount(int64_t cnt) {
    const int64_t start = clock();
    const int64_t target = start + cnt;
    m_eventful.clear();
    // Choosing the next points is timed apart from moving the trains.
    int64_t choiceNs = 0;
    {
        Timer timer(m_profiling, m_stats.nsRunning);
        while (true) {
            const int64_t t = m_heap.empty() ? kNever : m_heap.front().first;
            if (t > target) {
                clock() = target;
                break;
            }
            clock() = t;
            ++m_stats.steps;
            m_due.clear();
            while (!m_heap.empty() && m_heap.front().first == t) {
                const int32_t ti = m_heap.front().second;
                std::pop_heap(m_heap.begin(), m_heap.end(), std::greater<>());
                m_heap.pop_back();
                if (Train::isPlaced(ti) && m_next[at(ti)] == t) m_due.push_back(ti);
            }
            std::sort(m_due.begin(), m_due.end());
            m_due.erase(std::unique(m_due.begin(), m_due.end()), m_due.end());
            for (int32_t ti : m_due) {
                m_next[at(ti)] = kNever;
                if (sync(ti, t)) m_eventful.push_back(ti);
            }
            // Trains with no event are due again at their next decision
            // point; one already at it waits for the event pass.
            const int64_t c0 = m_profiling ? nowNs() : 0;
            for (int32_t ti : m_due) {
                if (!m_eventful.empty() && std::binary_search(m_eventful.begin(), m_eventful.end(), ti)) continue;
                const int64_t b = boundFor(ti, kNever);
                if (b == 0) m_eventful.insert(std::upper_bound(m_eventful.begin(), m_eventful.end(), ti), ti);
                else schedule(ti, b == kNever ? kNever : t + b);
            }
            if (m_profiling) choiceNs += nowNs() - c0;
            if (!m_eventful.empty() || t == target) break;
        }
    }
    m_stats.nsRunning -= choiceNs;
    m_stats.nsStepChoice += choiceNs;
    int64_t used = clock() - start;
    if (used > 0) hooks().travellersAdvance(used);
    bool changed = false;
    {
        Timer timer(m_profiling, m_stats.nsEvents);
        for (int32_t ti : m_eventful) {
            if (eventFor(ti)) changed = true;
        }
    }
    if (used == 0 && zeroStepStuck(changed)) {
        // Nothing can move on by itself: let a tick pass.
        clock() += 1;
        used = 1;
        for (int32_t ti : m_eventful) {
            if (Train::isPlaced(ti)) sync(ti, clock());
        }
        hooks().travellersAdvance(used);
        for (int32_t ti : m_eventful) eventFor(ti);
    }
    Timer timer(m_profiling, m_stats.nsStepChoice);
    for (int32_t ti : m_eventful) {
        if (Train::isPlaced(ti)) scheduleFromNow(ti);
    }
    return used;
}

int64_t TrainRunner::advanceTrain(int64_t cnt) {
    if (cnt <= 0) return 0;
    ++m_stats.calls;
    fitTables();
    // The player may have changed the track, a limit or a train between
    // calls: every train's next decision point is worked out afresh. (The
    // points are exact, so this changes nothing when nothing was changed.)
    for (int32_t ti = 0; ti < Train::size(); ++ti) Train::m_iNextCount[at(ti)] = 0;
    if (!m_literal) lazyBegin();
    for (int64_t rem = cnt; rem > 0;) rem -= advanceTrain_nextCount(rem);
    if (!m_literal) lazyEnd();
    {
        Timer timer(m_profiling, m_stats.nsCosts);
        m_finance.chargeRunningCost();
    }
    for (int32_t ti = 0; ti < Train::size(); ++ti) {
        if (m_moved[at(ti)] == 0) continue;
        m_moved[at(ti)] = 0;
        if (Train::isPlaced(ti)) Train::renewRZYX(ti);
    }
    return cnt;
}

}  // namespace tetsuro
