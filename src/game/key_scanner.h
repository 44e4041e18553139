#pragma once
// The 20 logical keys of a canvas, scanned once per frame from the keypad
// mask: a fresh press gives event 1, a held key its first repeat (event 2)
// 192 ms after the press and then one every 32 ms.
#include <array>
#include <cstdint>

namespace tetsuro {

enum LogicalKey : int {
    KEY_UP = 0,
    KEY_DOWN = 1,
    KEY_LEFT = 2,
    KEY_RIGHT = 3,
    KEY_SELECT = 4,
    KEY_CANCEL = 5,
    KEY_ASTERISK = 6,
    KEY_POUND = 7,
    KEY_SOFT1 = 8,
    KEY_SOFT2 = 9,
    KEY_DIGIT0 = 10,  // digits 0..9 are 10..19
    KEY_COUNT = 20
};

class KeyScanner {
public:
    KeyScanner() { initKey(); }

    // Fills the keypad bits each logical key watches.
    void initKey();
    // Updates the logical keys for ms elapsed milliseconds (at least 1) from
    // one reading of the keypad mask; returns the mask.
    int32_t scanKey(int ms, int32_t keypadMask);

    int event(int key) const { return m_sbaKey[key]; }
    void setEvent(int key, int8_t v) { m_sbaKey[key] = v; }
    int holdCounter(int key) const { return m_swaKey[key]; }

    bool isKeyUp() const { return m_sbaKey[KEY_UP] != 0; }
    bool isKeyDown() const { return m_sbaKey[KEY_DOWN] != 0; }
    bool isKeyLeft() const { return m_sbaKey[KEY_LEFT] != 0; }
    bool isKeyRight() const { return m_sbaKey[KEY_RIGHT] != 0; }
    bool isKeySelect() const { return m_sbaKey[KEY_SELECT] == 1; }
    bool isKeyCancel() const { return m_sbaKey[KEY_CANCEL] == 1; }

    std::array<int32_t, KEY_COUNT> m_iaKA{};
    std::array<int8_t, KEY_COUNT> m_sbaKey{};
    std::array<int16_t, KEY_COUNT> m_swaKey{};
};

}  // namespace tetsuro
