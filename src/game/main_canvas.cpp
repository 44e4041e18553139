#include "game/main_canvas.h"

#include <algorithm>

#include "game/slot_validator.h"
#include "support/errors.h"
#include "support/shift_jis.h"
#include "support/sub.h"

namespace tetsuro {

MainCanvas* MainCanvas::s_o = nullptr;

MainCanvas::MainCanvas(IHost& host, const IClock& clock, CanvasHooks hooks)
    : m_host(host), m_clock(clock), m_hooks(hooks) {
    if (!m_hooks.simulation) m_hooks.simulation = &m_defaultSimulation;
    if (!m_hooks.view) m_hooks.view = &m_defaultView;
    if (!m_hooks.state) m_hooks.state = &m_defaultState;
    m_slots.reset();
    Sub::create(m_slots.m_sba.data(), m_slots.m_swa.data(), m_slots.m_sdwa.data(), m_slots.m_la.data());
    setDiaUnit(10);
    setMapSize(0, 0);
    initTimeScale();
    s_o = this;
}

MainCanvas::~MainCanvas() {
    if (s_o == this) s_o = nullptr;
}

bool MainCanvas::boot() {
    // Fonts need a client area; boot is retried at the next tick until the
    // window has a size.
    if (m_iSizeX == 0 || m_iSizeY == 0) return false;
    m_keys.initKey();
    view().setScreen(*this);
    wm_size();
    const int32_t seed = m_bootSeed ? *m_bootSeed : int32_t((nowMs() & 0x7FFF) + 1);
    m_rnd.seed(seed, 0);
    view().createDrawTables(*this);
    states().loadSettings(*this);
    auto& sba = m_slots.m_sba;
    sba[SBA_SHOW_BLOCK] = 1;
    sba[SBA_SHOW_GRID] = 1;
    sba[SBA_SHOW_DIA] = 0;
    sba[SBA_SHOW_STATION_NAME] = 1;
    sba[SBA_SHOW_RIDERS] = 1;
    sba[SBA_SHOW_PASSENGER] = 1;
    sba[SBA_SHOW_FUNC] = 1;
    setDiaLines(8);
    sba[SBA_FPS] = 60;
    requestPaint();
    m_bPaint = 0;
    rebaseFrame();
    return true;
}

bool MainCanvas::loadResource() { return view().loadResource(*this); }

void MainCanvas::_wm_size(int height, int width) {
    DJCanvas::_wm_size(std::max(height, 0), std::max(width, 0));
}

void MainCanvas::wm_size() { view().layout(*this); }

bool MainCanvas::wm_destroy() {
    if (m_iState != STATE_PLAY) return true;
    if (m_iCmd == CMD_ASK_SAVE_ON_EXIT) return true;
    m_bCmd = 0;
    m_bCursorM = 1;
    m_bCursorR = 0;
    putMsg(SJ(u8" 保存しますか？"), -1);
    m_iCmd = CMD_ASK_SAVE_ON_EXIT;
    requestPaint();
    return false;
}

void MainCanvas::processIMEEvent(const std::string& text) {
    m_sIME = text;
    m_b2IME = 3;
}

void MainCanvas::wm_MouseWheelDown() {
    --m_iMouseWheel;
    wm_timer();
}

void MainCanvas::wm_MouseWheelUp() {
    ++m_iMouseWheel;
    wm_timer();
}

void MainCanvas::wm_LButtonDown() { states().clickFuncArea(*this); }

void MainCanvas::putMsg(const J_String& text, int ms) {
    m_sMsg = text;
    m_iMsgWait = ms;
    requestPaint();
}

void MainCanvas::setMapSize(int my, int mx) {
    m_slots.m_swa[SWA_MAP_MY] = int16_t(std::clamp(my, 0, 32767));
    m_slots.m_swa[SWA_MAP_MX] = int16_t(std::clamp(mx, 0, 32767));
    Sub::init(m_slots.m_swa[SWA_MAP_MY], m_slots.m_swa[SWA_MAP_MX], m_slots.m_swa[SWA_MESH_SIZE],
              std::clamp<int>(m_slots.m_sba[SBA_TIME_SCALE], 1, 6));
}

void MainCanvas::setMeshSize(int size) {
    if (!isLegalMeshSize(size)) return;
    m_slots.m_swa[SWA_MESH_SIZE] = int16_t(size);
    if (m_slots.m_swa[SWA_GRID] > size) m_slots.m_swa[SWA_GRID] = int16_t(size);
    Sub::init(m_slots.m_swa[SWA_MAP_MY], m_slots.m_swa[SWA_MAP_MX], size,
              std::clamp<int>(m_slots.m_sba[SBA_TIME_SCALE], 1, 6));
}

void MainCanvas::setDiaUnit(int minutes) {
    if (!isLegalDiaUnit(minutes)) return;
    m_slots.m_sba[SBA_DIA_UNIT] = int8_t(minutes);
    Sub::s_sbDiaUnit = int8_t(minutes);
}

void MainCanvas::setDiaLines(int rows) {
    if (!isLegalDiaLines(rows)) return;
    m_slots.m_sba[SBA_DIA_LINES] = int8_t(rows);
    Sub::s_sbDiaLines = int8_t(rows);
}

void MainCanvas::setFps(int fps) {
    if (!isLegalFps(fps)) return;
    m_slots.m_sba[SBA_FPS] = int8_t(fps);
    rebaseFrame();
}

void MainCanvas::rebaseFrame() {
    const int fps = m_slots.m_sba[SBA_FPS];
    m_frameClock.fps = isLegalFps(fps) ? fps : 60;
    m_iFrame = getFrameTMS();
}

bool MainCanvas::afterSlotsLoaded(std::string* error) {
    SlotCheck check = validateSlots(m_slots);
    if (!check.ok) {
        if (error) *error = check.error;
        return false;
    }
    setMeshSize(m_slots.m_swa[SWA_MESH_SIZE]);
    setMapSize(m_slots.m_swa[SWA_MAP_MY], m_slots.m_swa[SWA_MAP_MX]);
    setDiaUnit(m_slots.m_sba[SBA_DIA_UNIT]);
    Sub::s_sbDiaLines = m_slots.m_sba[SBA_DIA_LINES];
    initTimeScale();
    m_lTickFraction = 0;
    rebaseFrame();
    return true;
}

void MainCanvas::startEmptyGame() {
    m_slots.resetForNewGame();
    m_iCapitalState = 0;
    m_iCmd = 0;
    m_bCmd = 0;
    clearMessage();
    initTimeScale();
    m_lTickFraction = 0;
    m_iState = STATE_PLAY;
    wm_size();
    requestPaint();
}

void MainCanvas::initTimeScale() {
    const int k = std::clamp<int>(m_slots.m_sba[SBA_TIME_SCALE], 1, 6);
    m_timeScale.timeFactor = (int64_t(1) << (6 - k)) * 60;
    m_timeScale.tsDenominator = int64_t(1) << (k - 1);
    m_timeScale.diaMax = k == 1 ? 4096 : 2048;
}

void MainCanvas::upSpeed() {
    auto& s = m_slots.m_sba[SBA_GAME_SPEED];
    if (s < getMaxSpeed()) {
        ++s;
        J_String msg = SJ(u8"ゲームスピード:");
        msg += int32_t(s);
        putMsg(msg, 500);
    }
}

void MainCanvas::downSpeed() {
    auto& s = m_slots.m_sba[SBA_GAME_SPEED];
    if (s > m_slots.m_sba[SBA_TIME_SCALE] - 4 && s >= 0) {
        --s;
        J_String msg = SJ(u8"ゲームスピード:");
        msg += int32_t(s);
        putMsg(msg, 500);
    }
}

void MainCanvas::changeStop() {
    auto& p = m_slots.m_sba[SBA_PAUSED];
    if (p == 0) {
        p = 1;
        putMsg(SJ(u8"停止"), 500);
    } else if (p == 1) {
        p = 0;
        putMsg(SJ(u8"再開"), 500);
    }
}

}  // namespace tetsuro
