#pragma once
// Shared fixture of the train tests: a 256 x 256 map of 10 m meshes, empty
// rail and train stores, a small catalogue in memory, the trains plugged
// into the rail core's hooks, and both invariant checkers after every test
// (and wherever a test calls sound()). Track is laid through the rail
// core's own command, trains are bought with Train::add.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rail/heisoku.h"
#include "rail/rail_commands.h"
#include "rail/rail_core.h"
#include "rail/rail_geometry.h"
#include "rail/rail_hooks.h"
#include "rail/rail_invariants.h"
#include "rail/rail_search.h"
#include "rail/rail_sections.h"
#include "rail/rail_store.h"
#include "support/shift_jis.h"
#include "support/sub.h"
#include "trains/train_cars.h"
#include "trains/train_chain.h"
#include "trains/train_direction.h"
#include "trains/train_hooks.h"
#include "trains/train_invariants.h"
#include "trains/train_placement.h"
#include "trains/train_queries.h"
#include "trains/train_rail_hooks.h"
#include "trains/train_sections.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"

namespace tetsuro::testing {

inline constexpr int64_t kUnit = kTrackUnitsPerDm;

inline std::string lines(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& l : v) s += l + "\n";
    return s;
}

// Records the riders taken off; platform search as without platforms.
class RecordingTrainHooks : public TrainHooks {
public:
    void takeOffRiders(int32_t ti) override { takenOff.push_back(ti); }
    std::vector<int32_t> takenOff;
};

// A catalogue type made in code, appended to the catalogue.
inline void addTestTrainType(const char8_t* name, int32_t speed, int32_t length) {
    TrainSpec t;
    t.m_name = SJ(name);
    t.m_speed = speed;
    t.m_accelera = 192;
    t.m_breaking = 256;
    t.m_length = length;
    t.m_id = TrainSpec::size();
    t.m_color = 0x123456;
    TrainSpec::s_o.push_back(t);
}

class TrainTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sub::reset();
        Sub::init(256, 256, 100, 1);
        RailCore::reset();
        Train::reset();
        TrainSpec::reset();
        // Type 0: 200 dm cars at 100 km/h; type 1: short 20 dm cars.
        addType(u8"試験車", 100, 200);
        addType(u8"短車", 100, 20);
        setRailHooks(&railHooks);
        setTrainHooks(&trainHooks);
    }

    void TearDown() override {
        sound();
        Train::reset();
        TrainSpec::reset();
        RailCore::reset();
        setRailHooks(nullptr);
        setTrainHooks(nullptr);
        Sub::reset();
    }

    static void addType(const char8_t* name, int32_t speed, int32_t length) { addTestTrainType(name, speed, length); }

    void sound() {
        EXPECT_EQ(lines(checkRailInvariants()), "");
        EXPECT_EQ(lines(Train::checkTrainInvariants()), "");
    }

    // A level piece through the rail core's command (switches, sections,
    // boundaries).
    static int32_t lay(int32_t fy, int32_t fx, int32_t ty, int32_t tx, int spd = 20) {
        return RailCommands::layPiece(0, spd, RailPoint{0, fy, fx}, RailPoint{0, ty, tx});
    }

    // The train's reference on the piece through (y, x) heading along (w, v).
    static int32_t heading(int64_t y, int64_t x, int64_t w, int64_t v) { return Rail::getRB_ryxwv(y, x, w, v); }

    // A train of `cars` cars of `type` placed centred on (y, x) heading (w, v).
    static int32_t placed(int32_t tn, int32_t type, int32_t cars, int64_t y, int64_t x, int64_t w, int64_t v) {
        const int32_t ti = Train::add(tn, type, cars, 24000);
        EXPECT_GE(ti, 0);
        EXPECT_TRUE(Train::setRail(ti, y, x, w, v));
        return ti;
    }

    // Front (p even) or rear end p of a train as an end.
    static TrainDirection::End end(int32_t ti, int32_t p) { return {Train::getRI(ti, p), Train::getRP(ti, p)}; }

    Train::TrainRailHooks railHooks;
    RecordingTrainHooks trainHooks;
};

}  // namespace tetsuro::testing
