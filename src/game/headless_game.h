#pragma once
// A whole game with no window: virtual clock, recording host, canvas and
// driver in one object. Scenario tests, `tetsuro-cli simulate` and the
// benchmarks build on it.
#include <cstdint>
#include <optional>

#include "game/headless_driver.h"
#include "game/main_canvas.h"
#include "game/scoped_data_dir.h"

namespace tetsuro {

struct HeadlessGameOptions {
    int fps = 60;
    int speed = 5;               // game speed exponent
    int32_t seed = 1;            // the canvas's random source
    int width = 800, height = 600;
    CanvasHooks hooks{};
};

class HeadlessGame {
public:
    explicit HeadlessGame(const HeadlessGameOptions& opt);

    // Boots to the title and starts an empty free game in play; false when
    // boot did not reach the title.
    bool startEmptyGame();

    // Runs the frame cycle until the clock has advanced exactly `ticks`
    // (the simulation never steps past the target, whatever the frame rate
    // and speed); false if maxSteps frame steps were not enough.
    bool runTicks(int64_t ticks, int64_t maxSteps);

    // Checksum of the game state (slot arrays without the frame rate; the
    // tables join as they land).
    uint64_t checksum() const;

    MainCanvas& canvas() { return m_canvas; }
    HeadlessDriver& driver() { return m_driver; }
    VirtualClock& clock() { return m_clock; }
    RecordingHost& host() { return m_host; }

private:
    HeadlessGameOptions m_opt;
    ScopedDataDir m_dataDir;  // before the game, so it outlives whatever may write
    VirtualClock m_clock;
    RecordingHost m_host;
    MainCanvas m_canvas;
    HeadlessDriver m_driver;
};

}  // namespace tetsuro
