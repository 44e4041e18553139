// The timer tick, the frame step and the simulation step of MainCanvas.
#include <algorithm>
#include <new>

#include "game/game_clock.h"
#include "game/canvas_text.h"
#include "game/main_canvas.h"
#include "support/shift_jis.h"

namespace tetsuro {

namespace {

// Sets a re-entry flag for a scope and clears it however the scope ends, so
// an exception can never leave the game frozen behind a stale flag.
template <class Flag>
class FlagScope {
public:
    explicit FlagScope(Flag& f) : m_f(f) { m_f = 1; }
    ~FlagScope() { m_f = 0; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    Flag& m_f;
};

constexpr int kEarlyWait = 50;     // about 17 ms
constexpr int kReentryWait = 16;   // about 6 ms
constexpr int64_t kPaintEvery = 500;
// A pending paint older than this is asked for again: a paint that arrived
// while a step ran was only noted, and nothing else would ask again.
constexpr int64_t kPaintRetryMs = 1000;

}  // namespace

int MainCanvas::wm_timer() {
    // 1. 3D scene building, a little per tick.
    if ((m_slots.m_sba[SBA_VIEW_MODE] & 7) > 1 && m_iPut3DCreate > 0 && m_bWaitingPaint == 0) {
        view().put3DCreate(*this, std::min(16, std::max(1, m_iPut3DCreate - 64)));
        requestPaint();
        callPaint();
    }
    // 2. Text entry holds the game still.
    if (m_b2IME == 1) {
        m_keys.scanKey(1, m_input.keypadState());
        if (m_keys.event(KEY_SELECT) == 0) {
            m_b2IME = 2;
            m_host.beginTextEntry(m_sIME);
        }
        return kEarlyWait;
    }
    if (m_b2IME == 2) return kEarlyWait;
    // 3. Boot.
    if (m_iState == STATE_BOOT) {
        try {
            if (boot()) m_iState = STATE_LOAD_RESOURCE;
        } catch (const std::exception& e) {
            m_host.messageBox(e.what());
            terminate();
        }
        return kEarlyWait;
    }
    // 4. Resources.
    if (m_iState == STATE_LOAD_RESOURCE) {
        if (m_bRepaint) {
            m_bRepaint = 0;
            callPaint();
        }
        if (loadResource()) {
            m_iState = STATE_TITLE;
            requestPaint();
            callPaint();
        }
        return kEarlyWait;
    }
    // 5. The close key.
    if (m_keys.event(KEY_SOFT2) == 1) {
        m_keys.setEvent(KEY_SOFT2, 2);
        if (wm_destroy()) terminate();
    }
    // 6. The drawn map area must be complete before anything else.
    if (m_bRenewPutArea) {
        if (!view().renewPutArea(*this)) return kEarlyWait;
        m_bRenewPutArea = 0;
    }
    // 7. No simulation before the previous step has been painted.
    if (m_bWaitingPaint) {
        if (nowMs() - m_lPaintWaitSince > kPaintRetryMs) {
            m_lPaintWaitSince = nowMs();
            callPaint();
        }
        return kEarlyWait;
    }
    // 8. The 3D viewer mode's own mouse handling.
    if (m_b3DView) viewerModeInput();
    // 9. Re-entry from a modal loop inside the frame step.
    if (m_bWM_TIMER) return kReentryWait;
    // A frame rate changed behind our back is re-based before counting, so
    // game time never jumps by the ratio of two rates.
    if (m_frameClock.fps != m_slots.m_sba[SBA_FPS]) rebaseFrame();
    // 10.
    const int64_t now = getFrameTMS();
    int64_t elapsed = getTMSFrame(now) - getTMSFrame(m_iFrame);
    if (elapsed == 0) return kEarlyWait;
    // 11.
    const int64_t ticks = std::max<int64_t>(getCountFrame(now - m_iFrame), 0);
    m_iFrame = now;
    m_iWaitPassenger = std::max<int64_t>(m_iWaitPassenger - elapsed, 0);
    elapsed = std::clamp<int64_t>(elapsed, 0, 3000);
    const int ms = int(elapsed / 3);
    // 12. Message timer (-1 never counts down).
    if (m_iMsgWait > 0) {
        m_iMsgWait -= ms;
        if (m_iMsgWait <= 0) {
            m_iMsgWait = 0;
            requestPaint();
        }
    }
    // 13. Year-end panels.
    if (m_iAccountWait > 0) {
        m_iAccountWait -= ms;
        if (m_slots.m_sba[SBA_GAME_SPEED] == getMaxSpeed()) m_iAccountWait = 0;
        if (m_iAccountWait <= 0) {
            if (m_bAccount) {
                m_bAccount = 0;
                m_bCStatus = 0;
                m_iAccountWait = 0;
            } else {
                m_bAccount = 1;
                m_iAccountWait = 20000;
            }
            requestPaint();
        }
    }
    // 14.
    return wm_timer_main(ms, ticks);
}

void MainCanvas::viewerModeInput() {
    auto& sba = m_slots.m_sba;
    auto& swa = m_slots.m_swa;
    if (m_input.mouseL == -1) {
        m_input.mouseL = 0;
        const int64_t ms = std::max<int>(swa[SWA_MESH_SIZE], 1);
        const int64_t y = m_slots.m_sdwa[SDWA_TRACK_Y] / ms, x = m_slots.m_sdwa[SDWA_TRACK_X] / ms;
        const int64_t idx = y * swa[SWA_MAP_MX] + x;
        if (y >= 0 && x >= 0 && x < swa[SWA_MAP_MX] && idx >= 0 && idx < int64_t(m_swa3DView.size()))
            m_i3DView = m_swa3DView[size_t(idx)] - 1;
    } else if (m_input.mouseL == 1) {
        m_input.mouseL = 2;
    }
    if (m_input.mouseR == -1) {
        m_input.mouseR = 0;
        if ((sba[SBA_VIEW_MODE] & 7) == 3) {
            sba[SBA_VIEW_MODE] = 4;
            m_bCursorMap = 0;
        } else {
            sba[SBA_VIEW_MODE] = 3;
            swa[SWA_HEADING] = 247;
            m_bCursorMap = 1;
        }
        requestPaint();
    }
    if (!m_host.shiftDown()) {
        // One zoom step per notch, its size growing with the scale; up zooms in.
        while (m_iMouseWheel != 0) {
            const int step = swa[SWA_VIEW_SCALE] / 8 + 1;
            const int dir = m_iMouseWheel > 0 ? -1 : 1;
            m_iMouseWheel += dir;
            view().renewBlockSize(*this, dir * step);
            requestPaint();
        }
    }
}

int MainCanvas::wm_timer_main(int ms, int64_t ticks) {
    try {
        return frameStepGuarded(ms, ticks);
    } catch (const std::bad_alloc&) {
        m_host.messageBox(kOutOfMemoryMessage);
    } catch (const std::exception& e) {
        // Whatever escapes a subsystem must not end the game.
        m_host.messageBox(std::string(kInternalErrorPrefix) + e.what());
    }
    return getNextWait();
}

int MainCanvas::frameStepGuarded(int ms, int64_t ticks) {
    FlagScope<uint8_t> running(m_bWM_TIMER);
    // 1. Keys.
    if (ms >= 0) m_keys.scanKey(ms, m_input.keypadState());
    else ms = 0;
    // 2. The current state's logic.
    runStateLogic(ms, ticks);
    // 3. Mouse bookkeeping.
    if (m_input.mouseL == 1) {
        m_iMouseLY = m_input.mouseY;
        m_iMouseLX = m_input.mouseX;
        m_iMouseLRCY = m_slots.m_sdwa[SDWA_VIEW_Y];
        m_iMouseLRCX = m_slots.m_sdwa[SDWA_VIEW_X];
        m_lMouseLMY = m_slots.m_la[LA_CURSOR3D_Y];
        m_lMouseLMX = m_slots.m_la[LA_CURSOR3D_X];
        m_lMouseLMCY = m_slots.m_la[LA_VIEW3D_Y];
        m_lMouseLMCX = m_slots.m_la[LA_VIEW3D_X];
    }
    for (int* b : {&m_input.mouseL, &m_input.mouseR}) {
        if (*b >= 1 && *b <= 4095) *b = std::min(*b + ms, 4096);
        else if (*b <= -1 && *b >= -4095) *b = std::max(*b - ms, -4096);
    }
    // 4. Map cursor flag.
    if (!m_b3DView) {
        if (!m_bCursorM && !m_bCursorR) m_bCursorMap = 0;
        else if (m_input.mouseL <= 0) m_bCursorMap = 1;
    }
    // 5.
    if (m_input.mouseL < -1) m_bMouseClick = 0;
    // 6.
    if (m_bRepaint && !m_bPaint) prePaint();
    // 7. (the flag scope ends here)
    return getNextWait();
}

void MainCanvas::runStateLogic(int ms, int64_t ticks) {
    if (m_iState != STATE_PLAY) {
        states().stateLogic(*this, m_iState, ms);
        return;
    }
    states().keyMain(*this, ms);
    callNextFrame(ticks);
    if (m_iCapitalState == 6 && m_iMsgWait == 0) {
        m_iCmd = 0;
        clearMessage();
        m_iState = STATE_TITLE;
        states().returnToTitle(*this);
        wm_size();
        requestPaint();
    }
}

void MainCanvas::callNextFrame(int64_t ticks) {
    // A corrupt save can hold any speed byte.
    const int s = std::clamp<int>(m_slots.m_sba[SBA_GAME_SPEED], -1, getMaxSpeed());
    int64_t n;
    if (s >= 1) {
        n = ticks << (s - 1);
    } else {
        // Speeds 0 and -1 run at a half and a quarter: carry the fraction
        // (in quarter ticks) so an exact timer does not freeze the game.
        const int64_t quarters = m_lTickFraction + ticks * (s == 0 ? 2 : 1);
        n = quarters / 4;
        m_lTickFraction = quarters % 4;
    }
    nextFrame(n, false);
}

int64_t MainCanvas::nextFrame(int64_t n, bool noPaint) {
    if (m_bWaitingPaint || n <= 0 || m_slots.m_sba[SBA_PAUSED] > 0) return 0;
    if (m_iCapitalState == 5) {
        m_iCapitalState = 6;
        putMsg(SJ(u8"倒産しました"), -1);
        return 0;
    }
    if (m_iCapitalState == 6) return 0;
    if (m_bNextFrame) return 0;
    FlagScope<int> running(m_bNextFrame);

    auto& clockSlot = m_slots.m_la[LA_CLOCK];
    int64_t done = 0;
    while (done < n) {
        if (!noPaint && nowMs() - m_dwPaintTime >= kPaintEvery) break;
        int64_t step = n - done;
        const int64_t hour = clockToHour(clockSlot);
        if (clockToHour(clockSlot + step) != hour) step = (hour + 1) * kTicksPerHour - clockSlot;
        if (m_lClockLimit >= 0) {
            if (clockSlot >= m_lClockLimit) break;
            step = std::min(step, m_lClockLimit - clockSlot);
        }
        const int64_t advanced = std::max<int64_t>(sim().advanceTrain(*this, step), 0);
        done += advanced;
        sim().carAdvance(*this, advanced);
        if (sim().isDriving(*this)) {
            sim().driveView(*this);
            requestPaint();
        }
        if (clockToHour(clockSlot) != hour) {
            sim().renewPassenger(*this, int(((hour % 24) + 24) % 24));
            sim().renewDestination(*this, 0);
            sim().depart(*this);
            sim().develop(*this);
            if (sim().putDT(*this)) {
                requestPaint();
                return done;
            }
        }
        if (clockSlot == kFifthYearEndClock || advanced < step) break;
    }
    sim().putDT(*this);
    if (done > 0 || nowMs() - m_dwPaintTime > kPaintEvery) requestPaint();
    return done;
}

void MainCanvas::nextHour() {
    auto& paused = m_slots.m_sba[SBA_PAUSED];
    const int8_t keep = paused;
    paused = 0;
    const int64_t clk = m_slots.m_la[LA_CLOCK];
    nextFrame((clockToHour(clk) + 1) * kTicksPerHour - clk, true);
    paused = keep;
}

}  // namespace tetsuro
