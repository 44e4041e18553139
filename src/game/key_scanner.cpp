#include "game/key_scanner.h"

#include <algorithm>

#include "game/input_state.h"

namespace tetsuro {

void KeyScanner::initKey() {
    auto bit = [](int b) { return int32_t(1) << b; };
    m_iaKA[KEY_UP] = bit(KEYPAD_UP);
    m_iaKA[KEY_DOWN] = bit(KEYPAD_DOWN);
    m_iaKA[KEY_LEFT] = bit(KEYPAD_LEFT);
    m_iaKA[KEY_RIGHT] = bit(KEYPAD_RIGHT);
    m_iaKA[KEY_SELECT] = bit(KEYPAD_SELECT);
    m_iaKA[KEY_CANCEL] = bit(KEYPAD_SOFT1) | bit(KEYPAD_0);
    m_iaKA[KEY_ASTERISK] = bit(KEYPAD_ASTERISK);
    m_iaKA[KEY_POUND] = bit(KEYPAD_POUND);
    m_iaKA[KEY_SOFT1] = bit(KEYPAD_SOFT1);
    m_iaKA[KEY_SOFT2] = bit(KEYPAD_SOFT2);
    for (int d = 0; d < 10; ++d) m_iaKA[KEY_DIGIT0 + d] = bit(KEYPAD_0 + d);
}

int32_t KeyScanner::scanKey(int ms, int32_t mask) {
    ms = std::max(ms, 1);
    for (int i = 0; i < KEY_COUNT; ++i) {
        const bool pressed = (mask & m_iaKA[i]) != 0;
        int32_t counter = m_swaKey[i];
        if (!pressed) {
            // Released: the counter measures the time since release.
            counter = counter > 0 ? 0 : std::max<int32_t>(counter - ms, -32768);
            m_sbaKey[i] = 0;
        } else if (m_sbaKey[i] == 0 && counter <= 0) {
            m_sbaKey[i] = 1;
            counter = std::min<int32_t>(ms, 32767);
        } else {
            counter = std::min<int32_t>(counter + ms, 32767);
            if (counter < 192) {
                m_sbaKey[i] = 0;
            } else {
                m_sbaKey[i] = 2;
                counter = 160;
            }
        }
        m_swaKey[i] = int16_t(counter);
    }
    return mask;
}

}  // namespace tetsuro
