#pragma once
// The raw input the host writes and the canvas reads: the key table, the
// mouse fields with their hold-time protocol, the wheel and the modifiers.
#include <array>
#include <cstdint>

namespace tetsuro {

// Keypad bits the logical keys watch.
enum KeypadBit : int {
    KEYPAD_0 = 0,  // digits 0..9 are bits 0..9
    KEYPAD_ASTERISK = 10,
    KEYPAD_POUND = 11,
    KEYPAD_LEFT = 16,
    KEYPAD_UP = 17,
    KEYPAD_RIGHT = 18,
    KEYPAD_DOWN = 19,
    KEYPAD_SELECT = 20,
    KEYPAD_SOFT1 = 21,
    KEYPAD_SOFT2 = 22,
};

// Key codes are hardware scan codes with the extended-key flag as 0x100.
namespace keycode {
inline constexpr int Esc = 0x01, Enter = 0x1C, Z = 0x2C, X = 0x2D, NumpadEnter = 0x11C, NumpadSlash = 0x135,
                     NumpadPlus = 0x4E, NumpadMinus = 0x4A, NumpadStar = 0x37, Left = 0x14B, Up = 0x148,
                     Right = 0x14D, Down = 0x150, F1 = 0x3B, F10 = 0x44, F11 = 0x57, Numpad0 = 0x52;
}

struct RawInput {
    // Per key code: 0 up, 1..127 down (counts key-down messages, saturating).
    std::array<int8_t, 512> key{};
    int mouseX = 0, mouseY = 0;
    // Button protocol: 0 idle; 1 at button-down, then growing by the frame's
    // milliseconds up to 4096 while held; -1 at button-up, then shrinking to
    // -4096; consumers write 2 / -2 to mark an event used.
    int mouseL = 0, mouseR = 0, mouseM = 0;
    bool ctrl = false, shift = false;

    void keyDown(int code) {
        if (code >= 0 && code < 512 && key[code] < 127) ++key[code];
    }
    void keyUp(int code) {
        if (code >= 0 && code < 512) key[code] = 0;
    }
    void releaseAll() { key.fill(0); }

    // The phone-keypad bit mask built from the key table.
    int32_t keypadState() const;
};

}  // namespace tetsuro
