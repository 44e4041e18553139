#include "game/headless_driver.h"

#include <algorithm>

namespace tetsuro {

HeadlessDriver::HeadlessDriver(MainCanvas& canvas, VirtualClock& clock, RecordingHost& host, Options opt)
    : m_canvas(canvas), m_clock(clock), m_host(host) {
    // Boot waits for a client size, as it does for a real window.
    m_canvas._wm_size(opt.height, opt.width);
}

void HeadlessDriver::schedule(const ScriptedInput& e) {
    auto pos = std::upper_bound(m_script.begin() + std::ptrdiff_t(m_next), m_script.end(), e,
                                [](const ScriptedInput& a, const ScriptedInput& b) { return a.atMs < b.atMs; });
    m_script.insert(pos, e);
}

void HeadlessDriver::deliver(const ScriptedInput& e) {
    RawInput& in = m_canvas.input();
    switch (e.kind) {
        case ScriptedInput::KeyDown: in.keyDown(e.code); break;
        case ScriptedInput::KeyUp: in.keyUp(e.code); break;
        case ScriptedInput::LButtonDown:
            in.mouseY = e.y, in.mouseX = e.x;
            in.mouseL = 1;
            m_canvas.wm_LButtonDown();
            break;
        case ScriptedInput::LButtonUp:
            in.mouseY = e.y, in.mouseX = e.x;
            m_canvas.wm_LButtonUp();
            in.mouseL = -1;
            break;
        case ScriptedInput::RButtonDown:
            in.mouseY = e.y, in.mouseX = e.x;
            in.mouseR = 1;
            m_canvas.wm_RButtonDown();
            break;
        case ScriptedInput::RButtonUp: in.mouseR = -1; break;
        case ScriptedInput::MouseMove:
            in.mouseY = e.y, in.mouseX = e.x;
            m_canvas.wm_MouseMove();
            break;
        case ScriptedInput::WheelUp: m_canvas.wm_MouseWheelUp(); break;
        case ScriptedInput::WheelDown: m_canvas.wm_MouseWheelDown(); break;
    }
}

int HeadlessDriver::step() {
    while (m_next < m_script.size() && m_script[m_next].atMs <= m_clock.nowMs()) deliver(m_script[m_next++]);
    if (m_next == m_script.size() && m_next > 0) {
        m_script.clear();
        m_next = 0;
    }
    const int wait = m_canvas.wm_timer();
    if (m_host.takePendingPaint()) {
        m_canvas.paint(*m_surface);
        ++m_paints;
    }
    ++m_steps;
    // The clock is in milliseconds and the wait in thirds of one: round up so
    // the next tick lands in the next frame, never just before it.
    m_clock.advanceMs(std::max<int64_t>((int64_t(wait) + 2) / 3, 1));
    return wait;
}

bool HeadlessDriver::bootToTitle(int64_t maxSteps) {
    return runUntil([&] { return m_canvas.state() >= STATE_TITLE; }, maxSteps);
}

}  // namespace tetsuro
