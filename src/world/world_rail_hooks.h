#pragma once
// The rail core's calls into the subsystems the world has: costs go through
// the finance books, the platform calls to the stations, track edits to the
// trains. The 3D view and timetables keep the rail core's defaults.
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

    // Where the platform calls go (null: the rail core's defaults).
    void setPlatforms(RailHooks* platforms) { m_platforms = platforms; }
    bool hasPlatformBuilding(int32_t n) override { return m_platforms ? m_platforms->hasPlatformBuilding(n) : false; }
    bool hasPlatform(int32_t n) override { return m_platforms ? m_platforms->hasPlatform(n) : false; }
    int platformMarker(const RailPoint& p) override { return m_platforms ? m_platforms->platformMarker(p) : -1; }
    std::array<int32_t, 2> platformPieces(int32_t fo) override {
        return m_platforms ? m_platforms->platformPieces(fo) : std::array<int32_t, 2>{-1, -1};
    }
    void refreshPlatformLinks(int32_t n) override {
        if (m_platforms) m_platforms->refreshPlatformLinks(n);
    }
    void detachPiece(int32_t n) override {
        if (m_platforms) m_platforms->detachPiece(n);
    }
    std::vector<RailPoint> removePlatformsOn(int32_t n) override {
        return m_platforms ? m_platforms->removePlatformsOn(n) : std::vector<RailPoint>{};
    }

private:
    Finance& m_finance;
    TrainController* m_trains = nullptr;
    RailHooks* m_platforms = nullptr;
};

}  // namespace tetsuro
