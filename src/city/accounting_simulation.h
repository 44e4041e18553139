#pragma once
// The simulation hooks with the accounting in them: the date update runs
// the books, and every other piece of the step goes to the hooks it wraps
// (the defaults when there are none yet).
#include <cstdint>

#include "game/canvas_hooks.h"

namespace tetsuro {

class Finance;

class AccountingSimulation : public SimulationHooks {
public:
    // inner may be null: the frame cycle's defaults then run the rest.
    explicit AccountingSimulation(Finance& finance, SimulationHooks* inner = nullptr)
        : m_finance(finance), m_inner(inner ? inner : &m_default) {}

    int64_t advanceTrain(MainCanvas& c, int64_t step) override { return m_inner->advanceTrain(c, step); }
    void carAdvance(MainCanvas& c, int64_t ticks) override { m_inner->carAdvance(c, ticks); }
    bool isDriving(const MainCanvas& c) const override { return m_inner->isDriving(c); }
    void driveView(MainCanvas& c) override { m_inner->driveView(c); }
    void renewPassenger(MainCanvas& c, int hourOfDay) override { m_inner->renewPassenger(c, hourOfDay); }
    void renewDestination(MainCanvas& c, int mode) override { m_inner->renewDestination(c, mode); }
    void depart(MainCanvas& c) override { m_inner->depart(c); }
    void develop(MainCanvas& c) override { m_inner->develop(c); }
    // The books of the canvas being stepped.
    bool putDT(MainCanvas& c) override;

private:
    Finance& m_finance;
    SimulationHooks m_default;
    SimulationHooks* m_inner;
};

}  // namespace tetsuro
