#pragma once
// The frame clock counts thirds of a millisecond ("tms"), so 15, 30 and 60
// frames per second all have whole frame lengths (200, 100, 50).
#include <cstdint>

namespace tetsuro {

struct FrameClock {
    int fps = 60;

    int64_t frameOf(int64_t tms) const { return tms * fps / 3000; }
    int64_t startOf(int64_t frame) const { return frame * 3000 / fps; }
    // A number of frames expressed in 1/60-second ticks.
    int64_t ticksOf(int64_t frames) const { return frames * 60 / fps; }
    // Time from tms to the start of the next frame.
    int64_t nextWait(int64_t tms) const { return startOf(frameOf(tms) + 1) - tms; }
};

}  // namespace tetsuro
