#include "train_bench.h"

#include <chrono>

#include "rail/rail_commands.h"
#include "rail/heisoku.h"
#include "rail/rail_core.h"
#include "rail/rail_hooks.h"
#include "rail/rail_store.h"
#include "support/shift_jis.h"
#include "support/sub.h"
#include "trains/train_chain.h"
#include "trains/train_direction.h"
#include "trains/train_placement.h"
#include "trains/train_queries.h"
#include "trains/train_rail_hooks.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"

namespace tetsuro::cli {

namespace {

constexpr int32_t kPieces = 1000;
constexpr int32_t kPieceLength = 100;  // dm
constexpr int32_t kCars = 10;
constexpr int32_t kY = 3000;
constexpr int32_t kX0 = 1000;

// One step: the chain moves l; a head at its rail's end enters the next
// rail, or turns round at the end of the line. Returns rails entered.
int32_t step(int32_t ti, int64_t l, int64_t& reversals) {
    if (!Train::moveChain(ti, l)) return 0;
    const int32_t next = TrainDirection::nextRail(Train::getRI(ti, 0));
    if (next >= 0 && Train::moveRail(ti, next)) return 1;
    reversals += Train::reverse(ti, false);
    return 0;
}

// Lays the line: straight pieces in alternating speed classes (each its
// own section, with signals between), or one class zigzagging slightly
// (one section, no signals). Then places the train near the west end.
int32_t setUp(bool sections) {
    RailCore::reset();
    Train::reset();
    for (int32_t k = 0; k < kPieces; ++k) {
        const int32_t dy = sections ? 0 : 10;
        const RailPoint f{0, kY + (k % 2) * dy, kX0 + k * kPieceLength};
        const RailPoint t{0, kY + ((k + 1) % 2) * dy, kX0 + (k + 1) * kPieceLength};
        if (RailCommands::layPiece(0, sections ? 20 + k % 2 : 20, f, t) < 0) return -1;
    }
    // Centred on the west end of piece 15, heading east.
    const int32_t ti = Train::add(0, 0, kCars, 0);
    const RailPoint p = Rail::startPoint(15);
    if (ti < 0 || !Train::setRail(ti, p.y, p.x, RailRef::make(15, true))) return -1;
    return ti;
}

}  // namespace

int benchTrains(const FigurePrinter& print, int64_t steps) {
    Sub::reset();
    Sub::init(64, 1100, 100, 1);
    TrainSpec::reset();
    TrainSpec type;
    type.m_name = SJ(u8"試験車");
    type.m_speed = 100;
    type.m_length = 200;
    TrainSpec::s_o.push_back(type);
    Train::TrainRailHooks hooks;
    setRailHooks(&hooks);

    for (bool sections : {true, false}) {
        const int32_t ti = setUp(sections);
        if (ti < 0 || !Train::isPlaced(ti)) return 1;
        // 37.5 dm a step: a car end changes piece every few steps, as at speed.
        const int64_t l = 75 * kTrackUnitsPerDm / 2;
        int64_t reversals = 0;
        for (int64_t i = 0; i < 10000; ++i) step(ti, l, reversals);  // warm up
        int64_t entered = 0;
        reversals = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (int64_t i = 0; i < steps; ++i) entered += step(ti, l, reversals);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

        nlohmann::json work{{"steps", steps},
                            {"cars", kCars},
                            {"pieces", kPieces},
                            {"sections", Heisoku::count()},
                            {"rails_entered", entered},
                            {"reversals", reversals},
                            {"step_dm", 37.5}};
        const std::string suffix = sections ? "" : ".one_section";
        print("trains.ns_per_car_moved" + suffix, s * 1e9 / (double(steps) * kCars), "ns/car", work);
        print("trains.ns_per_step" + suffix, s * 1e9 / double(steps), "ns/step", work);
    }

    setRailHooks(nullptr);
    Train::reset();
    TrainSpec::reset();
    RailCore::reset();
    return 0;
}

}  // namespace tetsuro::cli
