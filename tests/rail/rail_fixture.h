#pragma once
// Shared fixture of the rail tests: a 256 x 256 map of 10 m meshes (25600 dm
// a side), empty stores, recording hooks, and the invariant checker after
// every test (and wherever a test calls sound()).
#include "support/split_mix64.h"
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rail/antenna.h"
#include "rail/bunki.h"
#include "rail/heisoku.h"
#include "rail/rail_commands.h"
#include "rail/rail_connect.h"
#include "rail/rail_core.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_invariants.h"
#include "rail/rail_put_list.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_signals.h"
#include "rail/rail_store.h"
#include "rail/rail_topology.h"
#include "rail/reconcile.h"
#include "rail/section_ops.h"
#include "rail/signal.h"
#include "support/sub.h"
#include "support/vel_jlib_geometry.h"

namespace tetsuro::test {

// Records what the rail core told the other subsystems.
class RecordingHooks : public NullRailHooks {
public:
    void topologyEdited(const RailEdit& e) override { edits.push_back(e); }
    void renewTrainSections() override { ++renewals; }
    int32_t diaIndex() override { return slot; }
    std::vector<RailEdit> edits;
    int renewals = 0;
    int32_t slot = 0;
};

using TestRandom = SplitMix64;

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

class RailTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sub::reset();
        Sub::init(256, 256, 100, 1);
        RailCore::reset();
        setRailHooks(&hooks);
    }

    void TearDown() override {
        sound();
        RailCore::reset();
        setRailHooks(nullptr);
        Sub::reset();
    }

    // The invariant checker, with the test's options.
    void sound() {
        auto problems = checkRailInvariants(checks);
        EXPECT_TRUE(problems.empty()) << joinLines(problems);
    }

    // Lays a level piece through the rail core's command (switches, section,
    // boundaries), then checks the invariants.
    int32_t lay(int spd, int32_t fy, int32_t fx, int32_t ty, int32_t tx, int typ = 0, int32_t z = 0) {
        int32_t r = RailCommands::layPiece(typ, spd, RailPoint{z, fy, fx}, RailPoint{z, ty, tx});
        sound();
        return r;
    }

    static int32_t rev(int32_t n) { return RailRef::make(n, true); }

    RecordingHooks hooks;
    RailInvariantOptions checks;
};

// Tests of the bare piece store (no sections or boundaries built).
class RailStoreTest : public RailTest {
protected:
    void SetUp() override {
        RailTest::SetUp();
        checks.requireSections = false;
        checks.checkBoundaries = false;
    }
    int32_t add(int spd, int32_t fz, int32_t fy, int32_t fx, int32_t tz, int32_t ty, int32_t tx, int typ = 0) {
        return Rail::add(typ, spd, fz, fy, fx, tz, ty, tx);
    }
};

}  // namespace tetsuro::test
