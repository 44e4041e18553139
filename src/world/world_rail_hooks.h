#pragma once
// The rail core's calls into the subsystems the world has: costs go through
// the finance books, track edits reach the trains. Platforms, the 3D view
// and timetables keep the rail core's defaults until they land.
#include "city/finance.h"
#include "rail/rail_hooks.h"
#include "trains/train_commands.h"

namespace tetsuro {

class WorldRailHooks : public RailHooks {
public:
    explicit WorldRailHooks(Finance& finance) : m_finance(finance) {}
    // A player's construction: cash + assets must cover it (the shortfall
    // message is shown by the finance check).
    bool canAfford(int64_t cost) override { return m_finance.checkCost(cost); }
    // Signals and similar charges move cash only, no book.
    void charge(int64_t cost) override { m_finance.addFund(-cost); }

    // Trains: car ends follow track edits; sections are claimed again.
    void setTrains(TrainController* trains) { m_trains = trains; }
    void topologyEdited(const RailEdit& e) override {
        if (m_trains != nullptr) m_trains->topologyEdited(e);
    }
    void renewTrainSections() override {
        if (m_trains != nullptr) m_trains->renewTrainSections();
    }

private:
    Finance& m_finance;
    TrainController* m_trains = nullptr;
};

}  // namespace tetsuro
