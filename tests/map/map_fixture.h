#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "game/host.h"
#include "game/main_canvas.h"
#include "map/block.h"
#include "map/map.h"
#include "map/map_controller.h"
#include "map/map_hooks.h"
#include "support/sub.h"

namespace tetsuro::test {

// The map tables are static: every test starts from and leaves the
// program-start state.
inline void resetMapState() {
    Map::reset();
    Map::s_maxArrayBytes = UINT64_MAX;
    Block::reset();
    setMapHooks(nullptr);
}

class MapStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetMapState(); }
    void TearDown() override {
        resetMapState();
        Sub::reset();
    }
};

// A hook object that records what the map asked of the later subsystems.
struct RecordingMapHooks : MapHooks {
    void clearGroundID(int32_t patch) override { groundPatches.push_back(patch); }
    void clearGroundIDAll() override { ++groundAll; }
    void deleteObject_myx(int32_t my, int32_t mx) override { objectMeshes.push_back({my, mx}); }
    void deleteObjectRect(int32_t, int32_t, int32_t h, int32_t w) override { rectMeshes += int64_t(h) * w; }
    void deleteObjectAll() override { ++objectAll; }
    void setCYX(int32_t y, int32_t x) override { cy = y, cx = x; }
    void setScope(int32_t s) override { scope = s; }
    void meshSizeChanged(int32_t ms) override { meshSize = ms; }
    void initRoadCross() override { ++roadCrossInits; }
    void initCrossing() override { ++crossingInits; }
    void setRoadCrossing(int32_t my, int32_t mx, int32_t slot, int32_t ci) override {
        labels.push_back({my, mx, slot, ci});
    }
    int32_t getRoadCrossing(int32_t my, int32_t mx, int32_t slot) const override {
        for (const auto& l : labels)
            if (l[0] == my && l[1] == mx && l[2] == slot) return l[3];
        return -1;
    }
    void renewPutList() override { ++putLists; }
    void renewDiaSize(int32_t, int32_t) override { ++diaSizes; }

    std::vector<int32_t> groundPatches;
    int groundAll = 0, objectAll = 0, roadCrossInits = 0, crossingInits = 0, putLists = 0, diaSizes = 0;
    std::vector<std::array<int32_t, 2>> objectMeshes;
    std::vector<std::array<int32_t, 4>> labels;
    int64_t rectMeshes = 0;
    int32_t cy = 0, cx = 0, scope = 0, meshSize = 0;
};

// A canvas with a map controller, the window 800 x 600 (width x height).
class ControllerTest : public MapStateTest {
protected:
    void SetUp() override {
        MapStateTest::SetUp();
        setMapHooks(&hooks);
        canvas._wm_size(600, 800);
    }

    VirtualClock clock{1000};
    RecordingHost host;
    RecordingMapHooks hooks;
    MainCanvas canvas{host, clock};
    MapController ctl{canvas};
};

}  // namespace tetsuro::test
