#pragma once
// What the game needs from its platform, and nothing more. The desktop host
// implements it over the window system; tests and the headless driver use
// RecordingHost.
#include <cstdint>
#include <string>
#include <vector>

namespace tetsuro {

class IHost {
public:
    virtual ~IHost() = default;
    // Ask for a paint of the whole client area (no erase).
    virtual void invalidate() = 0;
    // End the program through the normal close path.
    virtual void terminate() = 0;
    // A modal message box with an OK button; lines are UTF-8.
    virtual void messageBox(const std::string& text) = 0;
    // Open the one-line text entry with a starting text (UTF-8); the result
    // arrives through MainCanvas::processIMEEvent.
    virtual void beginTextEntry(const std::string& text) = 0;
    virtual bool ctrlDown() const = 0;
    virtual bool shiftDown() const = 0;
    // Let the platform deliver pending events during long work.
    virtual void pumpEvents() = 0;
    virtual void openUrl(const std::string& url) = 0;
};

// Wall time in milliseconds. The desktop uses a monotonic system clock; the
// headless driver a virtual one, so runs repeat exactly on any machine.
class IClock {
public:
    virtual ~IClock() = default;
    virtual int64_t nowMs() const = 0;
};

class VirtualClock final : public IClock {
public:
    explicit VirtualClock(int64_t startMs = 0) : m_ms(startMs) {}
    int64_t nowMs() const override { return m_ms; }
    void advanceMs(int64_t ms) { m_ms += ms; }
    void setMs(int64_t ms) { m_ms = ms; }

private:
    int64_t m_ms;
};

// A host that remembers what was asked of it.
class RecordingHost : public IHost {
public:
    void invalidate() override { ++invalidates; pendingPaint = true; }
    void terminate() override { terminated = true; }
    void messageBox(const std::string& text) override { messages.push_back(text); }
    void beginTextEntry(const std::string& text) override { textEntries.push_back(text); }
    bool ctrlDown() const override { return ctrl; }
    bool shiftDown() const override { return shift; }
    void pumpEvents() override {}
    void openUrl(const std::string& url) override { urls.push_back(url); }

    bool takePendingPaint() {
        bool p = pendingPaint;
        pendingPaint = false;
        return p;
    }

    int64_t invalidates = 0;
    bool pendingPaint = false;
    bool terminated = false;
    bool ctrl = false, shift = false;
    std::vector<std::string> messages, textEntries, urls;
};

}  // namespace tetsuro
