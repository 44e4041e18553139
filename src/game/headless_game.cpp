#include "game/headless_game.h"

namespace tetsuro {

HeadlessGame::HeadlessGame(const HeadlessGameOptions& opt)
    : m_opt(opt),
      m_clock(0),
      m_canvas(m_host, m_clock, opt.hooks),
      m_driver(m_canvas, m_clock, m_host, HeadlessDriver::Options{opt.width, opt.height}) {
    m_canvas.setBootSeed(opt.seed);
}

bool HeadlessGame::startEmptyGame() {
    if (!m_driver.bootToTitle()) return false;
    m_canvas.startEmptyGame();
    m_canvas.slots().m_sba[SBA_GAME_SPEED] = int8_t(m_opt.speed);
    m_canvas.setFps(m_opt.fps);
    return true;
}

bool HeadlessGame::runTicks(int64_t ticks, int64_t maxSteps) {
    const int64_t target = m_canvas.clock() + ticks;
    m_canvas.setClockLimit(target);
    const bool ok = m_driver.runUntil([&] { return m_canvas.clock() >= target; }, maxSteps);
    m_canvas.setClockLimit(-1);
    return ok;
}

uint64_t HeadlessGame::checksum() const {
    // The frame rate is how the game is shown, not what it is: leave it out
    // so runs at different rates can be compared.
    GameSlots s = m_canvas.slots();
    s.m_sba[SBA_FPS] = 0;
    return s.checksum();
}

}  // namespace tetsuro
