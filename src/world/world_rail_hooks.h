#pragma once
// The rail core's calls into the subsystems the world has: costs go through
// the finance books. Platforms, trains, the 3D view and timetables keep the
// rail core's defaults until they land.
#include "city/finance.h"
#include "rail/rail_hooks.h"

namespace tetsuro {

class WorldRailHooks : public RailHooks {
public:
    explicit WorldRailHooks(Finance& finance) : m_finance(finance) {}
    // A player's construction: cash + assets must cover it (the shortfall
    // message is shown by the finance check).
    bool canAfford(int64_t cost) override { return m_finance.checkCost(cost); }
    // Signals and similar charges move cash only, no book.
    void charge(int64_t cost) override { m_finance.addFund(-cost); }

private:
    Finance& m_finance;
};

}  // namespace tetsuro
