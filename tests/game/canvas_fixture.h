#pragma once
#include "game/headless_driver.h"
#include "game/main_canvas.h"

namespace tetsuro::test {

// A canvas on a virtual clock with a recording host, driven headless.
struct CanvasFixture {
    explicit CanvasFixture(CanvasHooks hooks = {}) : canvas(host, clock, hooks), driver(canvas, clock, host) {}

    // Boots, then starts an empty free game in play at the given speed.
    void toPlay(int speed = 1, int fps = 60) {
        canvas.setBootSeed(1234);
        driver.bootToTitle();
        canvas.startEmptyGame();
        canvas.slots().m_sba[SBA_GAME_SPEED] = int8_t(speed);
        canvas.setFps(fps);
        // Let the first paint of play go through.
        for (int i = 0; i < 4; ++i) driver.step();
    }

    // Clock advance over one frame step at a frame boundary.
    int64_t ticksOverFrames(int frames) {
        const int64_t before = canvas.clock();
        const int64_t f0 = canvas.getFrameTMS();
        driver.runUntil([&] { return canvas.getFrameTMS() >= f0 + frames; }, 100000);
        return canvas.clock() - before;
    }

    VirtualClock clock{1000};
    RecordingHost host;
    MainCanvas canvas;
    HeadlessDriver driver;
};

}  // namespace tetsuro::test
