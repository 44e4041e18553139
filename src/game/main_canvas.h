#pragma once
// MainCanvas: the single controller of the game. It owns the slot arrays and
// runs the frame cycle: each timer tick scans the keys, runs the current
// state's logic, advances the simulation by the real time elapsed (under the
// frame rate, time scale and game speed) in pieces that never cross a game
// hour, and requests a paint. The next simulation step waits until the last
// one has been painted, and a step yields after 500 ms of work so the screen
// refreshes at least twice a second.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/canvas_hooks.h"
#include "game/frame_clock.h"
#include "game/game_state.h"
#include "game/host.h"
#include "game/input_state.h"
#include "game/screen.h"
#include "game/slots.h"
#include "support/j_string.h"
#include "support/random_source.h"

namespace tetsuro {

struct CanvasHooks {
    SimulationHooks* simulation = nullptr;
    ViewHooks* view = nullptr;
    StateHooks* state = nullptr;
};

// Time factors derived from the time scale; the trains, travellers and road
// cars read them when they land.
struct TimeScaleFactors {
    int64_t timeFactor = 120;   // 2^(6 - k) x 60
    int64_t tsDenominator = 16; // 2^(k - 1)
    int diaMax = 2048;          // timetable entries per train
};

class MainCanvas : public CanvasEx {
public:
    MainCanvas(IHost& host, const IClock& clock, CanvasHooks hooks = {});
    ~MainCanvas() override;
    MainCanvas(const MainCanvas&) = delete;
    MainCanvas& operator=(const MainCanvas&) = delete;

    // The one canvas of the running game (null when none exists).
    static MainCanvas* s_o;

    // --- game state ---------------------------------------------------
    GameSlots& slots() { return m_slots; }
    const GameSlots& slots() const { return m_slots; }
    int64_t clock() const { return m_slots.m_la[LA_CLOCK]; }
    int state() const { return m_iState; }
    void setState(int s) { m_iState = s; }
    RawInput& input() { return m_input; }
    IHost& host() { return m_host; }
    const IClock& wallClock() const { return m_clock; }

    // --- boot and platform events -------------------------------------
    bool boot();
    bool loadResource();
    int wm_timer() override;
    void wm_MouseMove() override { m_bMouseMove = 1; }
    void wm_MouseWheelDown() override;
    void wm_MouseWheelUp() override;
    void wm_LButtonDown() override;
    void wm_LButtonUp() override {}
    void wm_RButtonDown() override {}
    void paint(Graphics& g) override;
    void _wm_size(int height, int width) override;
    void wm_size();
    // True when the program may close now; in play it asks to save first.
    bool wm_destroy();
    void terminate() { m_host.terminate(); }
    void processIMEEvent(const std::string& text) override;

    // --- frame cycle ----------------------------------------------------
    int wm_timer_main(int ms, int64_t ticks);
    void callNextFrame(int64_t ticks);
    int64_t nextFrame(int64_t n, bool noPaint);
    void nextHour();
    int64_t getFrameTMS() const { return m_frameClock.frameOf(nowTms()); }
    int64_t getTMSFrame(int64_t n) const { return m_frameClock.startOf(n); }
    int64_t getCountFrame(int64_t n) const { return m_frameClock.ticksOf(n); }
    int getNextWait() const { return int(m_frameClock.nextWait(nowTms())); }

    // --- speed, pause, time scale --------------------------------------
    static constexpr int getMaxSpeed() { return 22; }
    void upSpeed();
    void downSpeed();
    void changeStop();
    void initTimeScale();
    const TimeScaleFactors& timeScale() const { return m_timeScale; }

    // --- settings --------------------------------------------------------
    void setMapSize(int my, int mx);
    void setMeshSize(int size);
    void setDiaUnit(int minutes);
    void setDiaLines(int rows);
    // Changes the frame rate and re-bases the frame counter on it.
    void setFps(int fps);
    // After the slot arrays were replaced by a load: validate (repairing
    // settings, or rejecting the data: the caller then restores the old
    // arrays), re-apply sizes and units, and re-base the frame counter.
    bool afterSlotsLoaded(std::string* error = nullptr);

    // --- game start (until the title flow lands) -------------------------
    // An empty free game in play: new-game settings, the start clock.
    void startEmptyGame();

    // --- painting ---------------------------------------------------------
    void requestPaint() { m_bRepaint = 1; }
    void prePaint();
    void callPaint() { m_host.invalidate(); }
    bool isPaintPending() const { return m_bWaitingPaint != 0; }

    // --- messages ---------------------------------------------------------
    // A one-line message for ms milliseconds (-1: until dismissed).
    void putMsg(const J_String& text, int ms);
    const J_String& message() const { return m_sMsg; }
    int messageWait() const { return m_iMsgWait; }
    void clearMessage() {
        m_iMsgWait = 0;
        m_sMsg = J_String();
    }

    // --- saving guard -----------------------------------------------------
    // Saving acts only in play: in the title it would write the empty boot
    // world over the player's save.
    bool canSave() const { return m_iState == STATE_PLAY && m_slots.m_sba[SBA_STARTED] != 0; }

    // --- random source ------------------------------------------------------
    int RND_get(int n) { return m_rnd.get(n); }
    void seedRandom(int32_t type, int32_t count = 0) { m_rnd.seed(type, count); }
    void setBootSeed(std::optional<int32_t> seed) { m_bootSeed = seed; }

    // --- headless runs -------------------------------------------------------
    // A clock value the simulation never steps past (-1: none). Lets a run
    // stop on an exact tick whatever the frame rate and speed.
    void setClockLimit(int64_t limit) { m_lClockLimit = limit; }

    // Frame-cycle fields (public: panels, commands and tests read them).
    int m_iState = STATE_BOOT;
    int64_t m_iFrame = 0;
    uint8_t m_bWM_TIMER = 0;
    uint8_t m_bRepaint = 0;
    int m_bPaint = 0;
    int m_bNextFrame = 0;
    int64_t m_dwPaintTime = 0;
    int m_iMsgWait = 0;
    int m_iAccountWait = 0;
    int m_bAccount = 0, m_bCStatus = 0;
    int64_t m_iWaitPassenger = 0;
    int m_iPutChar = 0;
    int m_iCapitalState = 0;
    int m_b3DView = 0;
    int m_i3DView = -1;
    std::vector<int16_t> m_swa3DView;
    int m_iPut3DCreate = 0;
    uint8_t m_bRenewPutArea = 0;
    int m_iMouseWheel = 0;
    int m_iMouseLY = 0, m_iMouseLX = 0, m_iMouseLRCY = 0, m_iMouseLRCX = 0;
    int64_t m_lMouseLMY = 0, m_lMouseLMX = 0, m_lMouseLMCY = 0, m_lMouseLMCX = 0;
    int m_bMouseClick = 0;
    int m_bMouseMove = 0;
    int m_bCursorMap = 0;
    int m_bCursorM = 0, m_bCursorR = 0;
    int m_b2IME = 0;
    std::string m_sIME;
    int m_iCmd = 0;
    int m_bCmd = 0;

private:
    int64_t nowMs() const { return m_clock.nowMs(); }
    int64_t nowTms() const { return m_clock.nowMs() * 3; }
    void rebaseFrame();
    int frameStepGuarded(int ms, int64_t ticks);
    void runStateLogic(int ms, int64_t ticks);
    void viewerModeInput();
    void execPaint(Graphics& g);

    SimulationHooks& sim() { return *m_hooks.simulation; }
    ViewHooks& view() { return *m_hooks.view; }
    StateHooks& states() { return *m_hooks.state; }

    IHost& m_host;
    const IClock& m_clock;
    CanvasHooks m_hooks;
    SimulationHooks m_defaultSimulation;
    ViewHooks m_defaultView;
    StateHooks m_defaultState;

    GameSlots m_slots;
    RawInput m_input;
    FrameClock m_frameClock;
    TimeScaleFactors m_timeScale;
    RandomSource m_rnd{RandomSource::Variant::Canvas};
    std::optional<int32_t> m_bootSeed;

    J_String m_sMsg;
    int64_t m_lTickFraction = 0;   // carried quarter ticks at speeds 0 and -1
    int64_t m_lClockLimit = -1;
    int64_t m_lPaintWaitSince = 0; // when the pending paint was requested
};

}  // namespace tetsuro
