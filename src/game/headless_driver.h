#pragma once
// Runs the frame cycle with no window: calls the timer tick, advances a
// virtual clock by the wait it returns, applies scripted input at its time,
// and paints into a surface whenever a paint was requested. Every scenario
// test, `tetsuro-cli simulate` and the frame benchmark run through it.
#include <cstdint>
#include <vector>

#include "game/graphics.h"
#include "game/host.h"
#include "game/main_canvas.h"

namespace tetsuro {

struct ScriptedInput {
    enum Kind { KeyDown, KeyUp, LButtonDown, LButtonUp, RButtonDown, RButtonUp, MouseMove, WheelUp, WheelDown };
    int64_t atMs = 0;  // virtual wall time at which it happens
    Kind kind = KeyDown;
    int code = 0;      // key code for KeyDown / KeyUp
    int y = 0, x = 0;  // pixel position for mouse events
};

class HeadlessDriver {
public:
    struct Options {
        int width = 800, height = 600;
    };

    HeadlessDriver(MainCanvas& canvas, VirtualClock& clock, RecordingHost& host, Options opt);
    HeadlessDriver(MainCanvas& canvas, VirtualClock& clock, RecordingHost& host)
        : HeadlessDriver(canvas, clock, host, Options{}) {}

    // Input to deliver when the virtual clock reaches its time; events of the
    // same time keep their order.
    void schedule(const ScriptedInput& e);

    // One timer tick; returns the wait the canvas asked for (thirds of a ms).
    int step();

    // Ticks until pred() holds or maxSteps ticks ran; true when pred held.
    template <class Pred>
    bool runUntil(Pred pred, int64_t maxSteps) {
        for (int64_t i = 0; i < maxSteps; ++i) {
            if (pred()) return true;
            step();
        }
        return pred();
    }

    // Boots to the title screen; false if it did not get there.
    bool bootToTitle(int64_t maxSteps = 1000);

    int64_t steps() const { return m_steps; }
    int64_t paints() const { return m_paints; }
    Graphics& surface() { return *m_surface; }
    void setSurface(Graphics* g) { m_surface = g ? g : &m_null; }

private:
    void deliver(const ScriptedInput& e);

    MainCanvas& m_canvas;
    VirtualClock& m_clock;
    RecordingHost& m_host;
    RecordingGraphics m_null;
    Graphics* m_surface = &m_null;
    std::vector<ScriptedInput> m_script;  // sorted by time
    size_t m_next = 0;
    int64_t m_steps = 0, m_paints = 0;
};

}  // namespace tetsuro
