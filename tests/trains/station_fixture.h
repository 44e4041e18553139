#pragma once
// Shared fixture of the station tests: a free game in a headless world (map
// of 10 m meshes), track laid through the rail core's command with its land
// marked as track land (what track construction does), recording station
// hooks, and both invariant checkers after every test and wherever a test
// calls sound().
#include "support/split_mix64.h"
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_clock.h"
#include "map/land_codes.h"
#include "map/map.h"
#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_commands.h"
#include "rail/rail_connect.h"
#include "rail/rail_geometry.h"
#include "rail/rail_invariants.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_store.h"
#include "rail/reconcile.h"
#include "rail/signal.h"
#include "support/shift_jis.h"
#include "support/sub.h"
#include "trains/platform_store.h"
#include "trains/platform_track.h"
#include "trains/station_building.h"
#include "trains/station_controller.h"
#include "trains/station_core.h"
#include "trains/station_invariants.h"
#include "trains/station_land_hooks.h"
#include "trains/station_mesh_index.h"
#include "trains/station_scan.h"
#include "trains/station_store.h"
#include "world/headless_world.h"

namespace tetsuro::test {

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

// The world's land purchase, with a record of what the later subsystems
// were asked to do.
class RecordingStationHooks : public StationLandHooks {
public:
    using StationLandHooks::StationLandHooks;
    void startRoadGrowth(int32_t sb, int32_t my, int32_t mx) override { roads.push_back({sb, my, mx}); }
    void stopRoadGrowth(int32_t sb) override { stoppedRoads.push_back(sb); }
    void takeTrainsOff(const RailPoint& a, const RailPoint& b) override { trainsOff.push_back({a, b}); }
    void stationsRemoved(const std::vector<int32_t>& s) override { removed.insert(removed.end(), s.begin(), s.end()); }

    std::vector<std::array<int32_t, 3>> roads;
    std::vector<int32_t> stoppedRoads;
    std::vector<std::array<RailPoint, 2>> trainsOff;
    std::vector<int32_t> removed;
};

using TestRandom = SplitMix64;

class StationTest : public ::testing::Test {
protected:
    // The map size; tests of names use their own.
    virtual int mapSize() const { return 256; }

    void SetUp() override {
        ASSERT_TRUE(w.startFreeGame(mapSize(), mapSize()));
        ASSERT_EQ(Sub::m_iMS, 100);
        // A new map is sea; stations want land.
        map().setMapTypAll(LAND_VACANT);
        hooks = std::make_unique<RecordingStationHooks>(w.world().finance(), w.world().map());
        stations().setHooks(*hooks);
    }

    void TearDown() override { sound(); }

    StationController& stations() { return w.world().stations(); }
    MapController& map() { return w.world().map(); }
    int64_t la(int i) { return w.canvas().slots().m_la[i]; }
    int64_t fund() { return la(LA_FUND); }

    void sound() {
        auto rail = checkRailInvariants();
        EXPECT_TRUE(rail.empty()) << joinLines(rail);
        auto st = checkStationInvariants(checks);
        EXPECT_TRUE(st.empty()) << joinLines(st);
    }

    // Lays level track at height z from f to t and marks the land under it
    // as track land (railway property and roads keep their codes).
    int32_t lay(int32_t fy, int32_t fx, int32_t ty, int32_t tx, int spd = 21, int32_t z = 0) {
        int32_t r = RailCommands::layPiece(0, spd, RailPoint{z, fy, fx}, RailPoint{z, ty, tx});
        for (const MeshYX& m : Sub::getUseMeshRail(fy, fx, ty, tx, 19)) {
            const int32_t code = map().getMapTyp(m.my, m.mx);
            if (!LandCodes::isRoad(code) && !LandCodes::isTrain(code)) map().setMapTyp(m.my, m.mx, LAND_TRACK);
        }
        return r;
    }

    static RailPoint at(int32_t y, int32_t x, int32_t z = 0) { return RailPoint{z, y, x}; }

    // A player's platform (or yard) piece, then the checks.
    int32_t platform(int32_t y0, int32_t x0, int32_t y1, int32_t x1, bool yard = false) {
        int32_t fb = stations().constructFoBuild(yard, at(y0, x0), at(y1, x1));
        sound();
        return fb;
    }

    // The marker type at a point (-1 none).
    static int marker(int32_t y, int32_t x, int32_t z = 0) { return Antenna::getType(z, y, x); }
    // The section of the piece through a point (the first one).
    static int32_t sectionAt(int32_t y, int32_t x) {
        auto v = Rail::getAll_RYX(y, x);
        return v.empty() ? -1 : Rail::getHS(v[0]);
    }

    HeadlessWorld w{HeadlessGameOptions{}};
    std::unique_ptr<RecordingStationHooks> hooks;
    StationInvariantOptions checks;
};

}  // namespace tetsuro::test
