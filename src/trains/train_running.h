#pragma once
// Running: every placed train advanced through the game time the frame cycle
// hands over, with exact kinematics. Time moves in steps chosen so that no
// train reaches a decision point (the end of a rail, a braking point, a stop
// point, the end of acceleration or of a wait) inside a step; after each
// step the trains that reached one are dealt with (the event pass).
//
// Positions within a run of constant acceleration are computed from the
// start of that run, not summed step by step, so the results never depend on
// how time was cut into steps: one call of a day and 5184000 calls of a tick
// give the same game, bit for bit.
#include <cstdint>
#include <utility>
#include <vector>

#include "trains/running_math.h"

namespace tetsuro {

class MainCanvas;
class Finance;

// What running tells the rest of the game. The defaults do nothing: no
// travellers, no panels, no event log.
class RunningHooks {
public:
    virtual ~RunningHooks() = default;
    // A train stopped at platform fi (after its arrival was recorded) and
    // left it (after its departure was recorded); clock is LA_CLOCK then.
    virtual void arrived(int32_t /*ti*/, int32_t /*fi*/, int64_t /*clock*/) {}
    virtual void departed(int32_t /*ti*/, int32_t /*fi*/, int64_t /*clock*/) {}
    // Train ti is about to be taken off the track at a dead end where it
    // could not turn round (its riders are put off by the train hooks).
    virtual void takenOff(int32_t /*ti*/, int64_t /*clock*/) {}
    // Riders get off at platform fi and pay their fares / get on there.
    virtual void alight(int32_t /*ti*/, int32_t /*fi*/) {}
    virtual void board(int32_t /*ti*/, int32_t /*fi*/) {}
    // Travellers on foot move by the ticks of the step just made; called
    // after every step, before that step's boarding and alighting.
    virtual void travellersAdvance(int64_t /*ticks*/) {}
    // The train becomes the selected one (its timetable record was full).
    virtual void selectTrain(int32_t /*ti*/) {}
    // The selected train's head entered a rail of platform fi: the train
    // panel shows its station.
    virtual void headOnPlatform(int32_t /*ti*/, int32_t /*fi*/) {}
};

// Counters of the work done, for the benchmark's breakdown. Times are only
// taken while profiling is on.
struct RunningStats {
    int64_t calls = 0;        // advanceTrain calls
    int64_t steps = 0;        // steps made
    int64_t trainSteps = 0;   // trains moved over all steps
    int64_t events = 0;       // decision points dealt with
    int64_t nsStepChoice = 0;  // choosing steps
    int64_t nsRunning = 0;     // moving trains
    int64_t nsEvents = 0;      // the event pass
    int64_t nsCosts = 0;       // settling running costs
};

class TrainRunner {
public:
    explicit TrainRunner(Finance& finance) : m_finance(finance) {}

    void bind(MainCanvas& canvas) { m_canvas = &canvas; }
    // Null restores the do-nothing hooks; the caller keeps them alive.
    void setHooks(RunningHooks* hooks);
    RunningHooks& hooks();

    // Advances the clock and every placed train by cnt ticks (the frame
    // cycle never passes a span that crosses an hour); returns cnt. Whole
    // money units of the running costs are paid at the end.
    int64_t advanceTrain(int64_t cnt);
    // Steps until some train reaches a decision point or cnt ticks are
    // used, then deals with the events; the ticks used.
    int64_t advanceTrain_nextCount(int64_t cnt);

    // The stepper: lazy (each train brought up to date only at its own
    // events or when another train needs it) or literal (every train moved
    // at every step). Both give identical games; the literal one is kept as
    // the reference.
    void setLiteral(bool literal) { m_literal = literal; }
    bool literal() const { return m_literal; }

    void setProfiling(bool on) { m_profiling = on; }
    const RunningStats& stats() const { return m_stats; }
    void resetStats() { m_stats = {}; }

private:
    // The run of constant acceleration a train is in, and the ticks of it
    // already made.
    struct Run {
        Running::Motion motion;
        int64_t tau = 0;
        bool valid = false;
    };

    int64_t& clock();
    int64_t recordTime();
    void fitTables();
    // Forget a train's cached next decision point and its run.
    void invalidate(int32_t ti);
    // The run for the train's present phase, speed and limit L; costMul is
    // the running cost multiplier (0 braking, 1 steady, 2 accelerating).
    Run& runFor(int32_t ti, int64_t L, int& costMul);
    // The largest step, at most cnt, inside which no train reaches a
    // decision point; 0 when one is at one already.
    int64_t researchNextCount(int64_t cnt);
    // Every placed train through k ticks; true when one reached a decision point.
    bool step(int64_t k);
    // The step bound of one train (at most cnt; 0 when it is at a decision
    // point), remembered in m_iNextCount.
    int64_t boundFor(int32_t ti, int64_t cnt);
    // One train through k ticks; true when it reached a decision point.
    bool advanceOne(int32_t ti, int64_t k);
    // The event pass over every train / one train; true when it changed anything.
    bool eventPass();
    bool eventFor(int32_t ti);
    // A zero-length step changed nothing (or has happened too often at
    // this clock): time must be pushed on.
    bool zeroStepStuck(bool changed);
    // The lazy stepper.
    void schedule(int32_t ti, int64_t tick);
    void scheduleFromNow(int32_t ti);
    bool sync(int32_t ti, int64_t t);
    void lazyBegin();
    void lazyEnd();
    int64_t lazyNextCount(int64_t cnt);
    bool handleEvent(int32_t ti);
    void stopAtPlatform(int32_t ti, int32_t fi, int8_t rule);
    void atRailEnd(int32_t ti);
    void enterRail(int32_t ti, int32_t rb);

    Finance& m_finance;
    MainCanvas* m_canvas = nullptr;
    RunningHooks* m_hooks = nullptr;
    bool m_literal = false;
    bool m_profiling = false;
    RunningStats m_stats;
    std::vector<Run> m_run;
    std::vector<uint8_t> m_moved;
    int64_t m_zeroClock = -1;
    int64_t m_zeroSteps = 0;
    // Lazy stepper: the clock each train is up to date at, its next
    // decision point, the heap of those, and scratch lists.
    std::vector<int64_t> m_last;
    std::vector<int64_t> m_next;
    std::vector<std::pair<int64_t, int32_t>> m_heap;
    std::vector<int32_t> m_due;
    std::vector<int32_t> m_eventful;
    bool m_lazyReady = false;
};

}  // namespace tetsuro
