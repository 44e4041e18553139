#pragma once
// Worlds built from world files for the running scenarios, with every
// arrival, departure and train taken off recorded.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/game_clock.h"
#include "trains/train_running.h"
#include "world/headless_world.h"
#include "world/world_file.h"

namespace tetsuro::testing_running {

struct RunEvent {
    char kind = 'A';  // A arrive, D depart, O taken off
    int64_t clock = 0;
    int32_t ti = -1;
    int32_t fi = -1;
    friend bool operator==(const RunEvent&, const RunEvent&) = default;
};

class EventRecorder : public RunningHooks {
public:
    void arrived(int32_t ti, int32_t fi, int64_t clock) override { events.push_back({'A', clock, ti, fi}); }
    void departed(int32_t ti, int32_t fi, int64_t clock) override { events.push_back({'D', clock, ti, fi}); }
    void takenOff(int32_t ti, int64_t clock) override { events.push_back({'O', clock, ti, -1}); }
    std::vector<RunEvent> events;
};

// A built world with the recorder plugged into its runner.
struct RunWorld {
    std::unique_ptr<HeadlessWorld> world;
    EventRecorder recorder;
    std::string error;

    explicit RunWorld(const std::string& json, int speed = 22);
    explicit RunWorld(const WorldSpec& desc, int speed = 22);
    ~RunWorld();
    TrainRunner& runner() { return world->world().runner(); }
    int64_t clock() { return world->canvas().slots().m_la[LA_CLOCK]; }
    // Feeds the runner pieces of `piece` ticks until the clock reaches `until`.
    void runPieces(int64_t until, int64_t piece);
    // Runs through the frame cycle (speed, fps as built) until the clock limit.
    void runFrames(int64_t until);
};

}  // namespace tetsuro::testing_running
