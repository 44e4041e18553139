#pragma once
// The chain of screen classes every screen is built on: the game canvas at
// the bottom of the screen stack, list screens pushed over it.
#include <cstdint>
#include <string>

#include "game/key_scanner.h"

namespace tetsuro {

class Graphics;

class SurfaceView {
public:
    virtual ~SurfaceView() = default;
};

class SurfaceViewEx : public SurfaceView {
public:
    // The wait until the next tick, in thirds of a millisecond.
    virtual int wm_timer() = 0;
    virtual void wm_MouseMove() = 0;
    virtual void wm_MouseWheelDown() = 0;
    virtual void wm_MouseWheelUp() = 0;
    virtual void wm_LButtonDown() = 0;
    virtual void wm_LButtonUp() = 0;
    virtual void wm_RButtonDown() = 0;
    virtual void paint(Graphics& g) = 0;

    // 1 while a requested paint has not happened yet.
    uint8_t m_bWaitingPaint = 0;
};

class Frame : public SurfaceViewEx {
public:
    static constexpr int SOFT_KEY_1 = 0;
    static constexpr int SOFT_KEY_2 = 1;
    int getWidth() const { return m_iSizeX; }
    int getHeight() const { return m_iSizeY; }
    void setSoftLabel(int, const char*) {}

protected:
    // Client size in pixels.
    int m_iSizeX = 0, m_iSizeY = 0;
};

class DJCanvas : public Frame {
public:
    // Text typed into the entry box (UTF-8 from the platform).
    virtual void processIMEEvent(const std::string&) {}
    // Stores the client size; the drawing surfaces drop their back buffers.
    virtual void _wm_size(int height, int width) {
        m_iSizeY = height;
        m_iSizeX = width;
    }
};

class CanvasEx : public DJCanvas {
public:
    KeyScanner& keys() { return m_keys; }
    const KeyScanner& keys() const { return m_keys; }
    bool isKeyUp() const { return m_keys.isKeyUp(); }
    bool isKeyDown() const { return m_keys.isKeyDown(); }
    bool isKeyLeft() const { return m_keys.isKeyLeft(); }
    bool isKeyRight() const { return m_keys.isKeyRight(); }
    bool isKeySelect() const { return m_keys.isKeySelect(); }
    bool isKeyCancel() const { return m_keys.isKeyCancel(); }

protected:
    KeyScanner m_keys;
};

}  // namespace tetsuro
