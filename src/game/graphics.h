#pragma once
// The drawing surface a paint goes to. The 2D layer adds its drawing
// operations to this interface; the frame cycle itself only locks the
// surface before drawing and unlocks it (copy or swap to the window) after.
#include <cstdint>

namespace tetsuro {

class Graphics {
public:
    virtual ~Graphics() = default;
    virtual void lock() {}
    virtual void unlock() {}
};

// Counts what the frame cycle did with it; enough for tests of the paint
// handshake and for runs that need no picture.
class RecordingGraphics final : public Graphics {
public:
    void lock() override { ++locks; }
    void unlock() override { ++unlocks; }
    int64_t locks = 0, unlocks = 0;
};

}  // namespace tetsuro
