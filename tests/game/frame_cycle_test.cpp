#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "canvas_fixture.h"
#include "game/game_clock.h"

namespace tetsuro {
namespace {

using test::CanvasFixture;

// Records what the simulation step hands to the subsystems.
struct RecordingSimulation : SimulationHooks {
    std::vector<int64_t> steps, hours;
    int putDTCalls = 0;
    bool closeYear = false;
    int64_t stallMsPerStep = 0;       // advance the fake wall clock per piece
    VirtualClock* wall = nullptr;
    MainCanvas* nested = nullptr;     // re-enter from inside a piece
    int64_t nestedResult = -1;
    int nestedTimer = -1;
    bool throwOnce = false;

    int64_t advanceTrain(MainCanvas& c, int64_t step) override {
        steps.push_back(step);
        if (throwOnce) {
            throwOnce = false;
            throw std::bad_alloc();
        }
        if (wall) wall->advanceMs(stallMsPerStep);
        if (nested) {
            nestedResult = nested->nextFrame(10, true);
            nestedTimer = nested->wm_timer();
            nested = nullptr;
        }
        return SimulationHooks::advanceTrain(c, step);
    }
    void renewPassenger(MainCanvas& c, int hourOfDay) override {
        hours.push_back(hourOfDay);
        (void)c;
    }
    bool putDT(MainCanvas&) override {
        ++putDTCalls;
        return closeYear;
    }
};

struct Fixture {
    RecordingSimulation sim;
    CanvasFixture f{CanvasHooks{&sim, nullptr, nullptr}};
};

TEST(FrameCycle, TicksPerFrameFollowRateAndSpeed) {
    struct Case {
        int fps, speed;
        int64_t ticksPerFrame;
    };
    const Case cases[] = {{60, 1, 1}, {60, 5, 16}, {30, 1, 2}, {15, 1, 4}, {15, 3, 16}, {60, 22, 1 << 21}};
    for (const auto& c : cases) {
        Fixture x;
        x.f.toPlay(c.speed, c.fps);
        x.f.canvas.slots().m_sba[SBA_TIME_SCALE] = 1;  // let the speed stand
        EXPECT_EQ(x.f.ticksOverFrames(8), 8 * c.ticksPerFrame) << c.fps << " fps, speed " << c.speed;
    }
}

// With an exact timer every 60 fps frame is one tick: speeds 0 and -1 carry
// the fraction instead of freezing.
TEST(FrameCycle, SlowSpeedsCarryTheFraction) {
    struct Case {
        int speed;
        int64_t ticksIn16Frames;
    };
    for (const auto& c : {Case{0, 8}, Case{-1, 4}}) {
        Fixture x;
        x.f.toPlay(c.speed);
        EXPECT_EQ(x.f.ticksOverFrames(16), c.ticksIn16Frames) << "speed " << c.speed;
    }
}

TEST(FrameCycle, SameRunWhateverTheFrameRate) {
    auto run = [](int fps) {
        Fixture x;
        x.f.toPlay(3, fps);
        x.f.canvas.slots().m_la[LA_CLOCK] = kNewGameClock;
        x.sim.hours.clear();
        const int64_t target = x.f.canvas.clock() + 3 * kTicksPerHour;
        x.f.canvas.setClockLimit(target);
        x.f.driver.runUntil([&] { return x.f.canvas.clock() >= target; }, 1000000);
        return std::make_pair(x.f.canvas.clock(), x.sim.hours);
    };
    EXPECT_EQ(run(60), run(15));
    EXPECT_EQ(run(60), run(30));
}

TEST(FrameCycle, StepCrossingAnHourStopsOnItAndRunsHourlyEvents) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    c.slots().m_la[LA_CLOCK] = 5 * kTicksPerHour - 100;  // 04:59:58.33
    x.sim.steps.clear();
    x.sim.hours.clear();
    EXPECT_EQ(c.nextFrame(300, true), 300);
    ASSERT_EQ(x.sim.steps.size(), 2u);
    EXPECT_EQ(x.sim.steps[0], 100);  // ends exactly on the hour
    EXPECT_EQ(x.sim.steps[1], 200);  // and the frame goes on
    ASSERT_EQ(x.sim.hours.size(), 1u);
    EXPECT_EQ(x.sim.hours[0], 4);  // the hour just ended
    EXPECT_EQ(c.clock(), 5 * kTicksPerHour + 200);
}

TEST(FrameCycle, YearCloseAndFifthYearEndEndTheFrame) {
    {
        Fixture x;
        x.f.toPlay(1);
        auto& c = x.f.canvas;
        c.slots().m_la[LA_CLOCK] = 7 * kTicksPerHour - 10;
        x.sim.closeYear = true;
        EXPECT_EQ(c.nextFrame(5 * kTicksPerHour, true), 10);
        EXPECT_EQ(c.clock(), 7 * kTicksPerHour);
        EXPECT_EQ(c.m_bNextFrame, 0);
    }
    {
        Fixture x;
        x.f.toPlay(1);
        auto& c = x.f.canvas;
        c.slots().m_la[LA_CLOCK] = kFifthYearEndClock - 10;
        EXPECT_EQ(c.nextFrame(5 * kTicksPerHour, true), 10);
        EXPECT_EQ(c.clock(), kFifthYearEndClock);
    }
}

TEST(FrameCycle, NoSimulationUntilThePreviousStepWasPainted) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    x.f.driver.setSurface(nullptr);
    // Take the paint away from the driver: the request stays pending.
    x.f.clock.advanceMs(17);
    const int64_t before = c.clock();
    c.wm_timer();
    EXPECT_TRUE(c.isPaintPending());
    ASSERT_TRUE(x.f.host.takePendingPaint());
    const int64_t after = c.clock();
    EXPECT_GT(after, before);
    for (int i = 0; i < 5; ++i) {
        x.f.clock.advanceMs(17);
        EXPECT_EQ(c.wm_timer(), 50);
    }
    EXPECT_EQ(c.clock(), after);
    RecordingGraphics g;
    c.paint(g);
    EXPECT_EQ(g.locks, 1);
    EXPECT_FALSE(c.isPaintPending());
    x.f.clock.advanceMs(17);
    c.wm_timer();
    EXPECT_GT(c.clock(), after);
}

// A paint that arrives while a step runs is only noted; the cycle must ask
// again or the game would wait for it forever.
TEST(FrameCycle, LostPaintIsRequestedAgain) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    x.f.clock.advanceMs(17);
    c.wm_timer();
    ASSERT_TRUE(x.f.host.takePendingPaint());
    c.m_bNextFrame = 1;  // the paint arrives during a step
    RecordingGraphics g;
    c.paint(g);
    c.m_bNextFrame = 0;
    EXPECT_EQ(g.locks, 0);
    EXPECT_TRUE(c.isPaintPending());
    x.f.driver.runUntil([&] { return !c.isPaintPending(); }, 200);
    EXPECT_FALSE(c.isPaintPending());
}

TEST(FrameCycle, FiveHundredMillisecondRuleYieldsToPainting) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    x.sim.wall = &x.f.clock;
    x.sim.stallMsPerStep = 300;  // each piece takes 300 ms of wall time
    x.sim.steps.clear();
    c.m_dwPaintTime = x.f.clock.nowMs();
    const int64_t done = c.nextFrame(10 * kTicksPerHour, false);
    EXPECT_EQ(x.sim.steps.size(), 2u);  // 0 ms, 300 ms: stop at 600 ms
    EXPECT_LT(done, 10 * kTicksPerHour);
    // Without the rule (nextHour) the work runs to the end.
    x.sim.steps.clear();
    c.nextHour();
    EXPECT_EQ(c.clock() % kTicksPerHour, 0);
}

TEST(FrameCycle, ReentryFromAModalLoopIsHeldOff) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    x.sim.nested = &c;
    x.f.clock.advanceMs(17);
    c.wm_timer();
    EXPECT_EQ(x.sim.nestedResult, 0);
    EXPECT_EQ(x.sim.nestedTimer, 16);
}

TEST(FrameCycle, OutOfMemoryInAStepIsReportedAndTheGameGoesOn) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    x.sim.throwOnce = true;
    x.f.driver.step();
    x.f.driver.step();
    ASSERT_EQ(x.f.host.messages.size(), 1u);
    EXPECT_NE(x.f.host.messages[0].find("メモリが足りません"), std::string::npos);
    EXPECT_EQ(c.m_bWM_TIMER, 0);
    EXPECT_EQ(c.m_bNextFrame, 0);
    const int64_t before = c.clock();
    for (int i = 0; i < 10; ++i) x.f.driver.step();
    EXPECT_GT(c.clock(), before);
}

TEST(FrameCycle, PauseHoldsTheClockAndNextHourStepsOverIt) {
    Fixture x;
    x.f.toPlay(5);
    auto& c = x.f.canvas;
    c.changeStop();
    EXPECT_EQ(c.slots().m_sba[SBA_PAUSED], 1);
    const int64_t before = c.clock();
    for (int i = 0; i < 20; ++i) x.f.driver.step();
    EXPECT_EQ(c.clock(), before);
    c.nextHour();
    EXPECT_EQ(c.clock(), (before / kTicksPerHour + 1) * kTicksPerHour);
    EXPECT_EQ(c.slots().m_sba[SBA_PAUSED], 1);
    c.changeStop();
    EXPECT_EQ(c.slots().m_sba[SBA_PAUSED], 0);
}

TEST(FrameCycle, SpeedLimitsFollowTheTimeScale) {
    struct Case {
        int timeScale, lowest;
    };
    for (const auto& k : {Case{6, 2}, Case{5, 1}, Case{1, -1}, Case{3, -1}}) {
        Fixture x;
        x.f.toPlay(10);
        auto& s = x.f.canvas.slots().m_sba;
        s[SBA_TIME_SCALE] = int8_t(k.timeScale);
        for (int i = 0; i < 40; ++i) x.f.canvas.downSpeed();
        EXPECT_EQ(s[SBA_GAME_SPEED], k.lowest) << "time scale " << k.timeScale;
    }
    Fixture x;
    x.f.toPlay(20);
    for (int i = 0; i < 10; ++i) x.f.canvas.upSpeed();
    EXPECT_EQ(x.f.canvas.slots().m_sba[SBA_GAME_SPEED], 22);
}

// A corrupt speed byte must not shift by a negative or huge amount.
TEST(FrameCycle, CorruptSpeedIsClamped) {
    Fixture x;
    x.f.toPlay(1);
    x.f.canvas.slots().m_sba[SBA_GAME_SPEED] = 100;
    EXPECT_EQ(x.f.ticksOverFrames(1), int64_t(1) << 21);
}

// Changing the frame rate must not make game time jump.
TEST(FrameCycle, FrameRateChangeIsRebased) {
    Fixture x;
    x.f.toPlay(1, 60);
    auto& c = x.f.canvas;
    c.slots().m_sba[SBA_FPS] = 15;  // written directly, as a menu or a load would
    const int64_t before = c.clock();
    x.f.driver.step();
    x.f.driver.step();
    EXPECT_LE(c.clock() - before, 4);
    EXPECT_EQ(x.f.ticksOverFrames(4), 16);
}

TEST(FrameCycle, BankruptcyEndsPlay) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    c.m_iCapitalState = 5;
    x.f.driver.step();
    x.f.driver.step();
    EXPECT_EQ(c.m_iCapitalState, 6);
    EXPECT_EQ(c.messageWait(), -1);
    EXPECT_EQ(c.state(), STATE_PLAY);
    c.clearMessage();  // the player dismisses it
    x.f.driver.step();
    x.f.driver.step();
    EXPECT_EQ(c.state(), STATE_TITLE);
}

TEST(FrameCycle, CloseKeyAsksToSaveInPlayAndClosesOnSecondPress) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    auto press = [&] {
        c.input().keyDown(keycode::NumpadPlus);
        x.f.driver.step();
        x.f.driver.step();
        c.input().keyUp(keycode::NumpadPlus);
        x.f.driver.step();
        x.f.driver.step();
    };
    press();
    EXPECT_FALSE(x.f.host.terminated);
    EXPECT_EQ(c.m_iCmd, CMD_ASK_SAVE_ON_EXIT);
    EXPECT_EQ(c.messageWait(), -1);
    press();
    EXPECT_TRUE(x.f.host.terminated);
}

TEST(FrameCycle, SavingIsRefusedOutsidePlay) {
    CanvasFixture f;
    f.driver.bootToTitle();
    EXPECT_EQ(f.canvas.state(), STATE_TITLE);
    EXPECT_FALSE(f.canvas.canSave());
    f.canvas.startEmptyGame();
    EXPECT_TRUE(f.canvas.canSave());
}

TEST(FrameCycle, BootWaitsForAWindowSize) {
    VirtualClock clock;
    RecordingHost host;
    MainCanvas c(host, clock);
    EXPECT_EQ(c.wm_timer(), 50);
    EXPECT_EQ(c.state(), STATE_BOOT);
    c._wm_size(480, 640);
    c.wm_timer();
    EXPECT_EQ(c.state(), STATE_LOAD_RESOURCE);
    c.wm_timer();
    EXPECT_EQ(c.state(), STATE_TITLE);
    EXPECT_EQ(c.slots().m_sba[SBA_FPS], 60);
    EXPECT_EQ(c.slots().m_sba[SBA_DIA_LINES], 8);
}

TEST(FrameCycle, TimersCountDownAtMostOneSecondPerFrame) {
    Fixture x;
    x.f.toPlay(1);
    auto& c = x.f.canvas;
    c.putMsg(J_String(), 5000);
    x.f.clock.advanceMs(60000);  // a long stall
    x.f.driver.step();
    EXPECT_EQ(c.messageWait(), 4000);
}

}  // namespace
}  // namespace tetsuro
