#include "game/key_scanner.h"

#include <gtest/gtest.h>

#include "game/input_state.h"

namespace tetsuro {

// A held key: one press, the first repeat 192 ms after it, then one every 32 ms.
TEST(KeyScanner, PressAndAutoRepeatTimeline) {
    KeyScanner k;
    const int32_t up = 1 << KEYPAD_UP;
    struct Step {
        int ms;
        int32_t mask;
        int event;
    };
    // The press scan counts its own 32 ms, so the repeat comes on the sixth
    // scan, when the counter reaches 192.
    const Step steps[] = {
        {32, up, 1}, {32, up, 0}, {32, up, 0}, {32, up, 0}, {32, up, 0},  // counter 32..160
        {32, up, 2}, {32, up, 2}, {16, up, 0}, {16, up, 2},               // then every 32 ms
        {32, 0, 0},  {32, up, 1},                                         // release, press again
    };
    int i = 0;
    for (const auto& s : steps) {
        k.scanKey(s.ms, s.mask);
        EXPECT_EQ(k.event(KEY_UP), s.event) << "step " << i;
        ++i;
    }
}

TEST(KeyScanner, LogicalKeysWatchTheirKeypadBits) {
    struct Case {
        int keyCode;
        std::initializer_list<int> keys;
    };
    const Case cases[] = {
        {keycode::Esc, {KEY_CANCEL, KEY_DIGIT0}},
        {keycode::X, {KEY_CANCEL, KEY_SOFT1}},
        {keycode::NumpadSlash, {KEY_CANCEL, KEY_SOFT1}},
        {keycode::Enter, {KEY_SELECT}},
        {keycode::NumpadPlus, {KEY_SOFT2}},
        {keycode::Up, {KEY_UP}},
        {keycode::F1, {KEY_DIGIT0 + 1}},
        {keycode::F10, {KEY_ASTERISK}},
    };
    for (const auto& c : cases) {
        RawInput in;
        in.keyDown(c.keyCode);
        KeyScanner k;
        k.scanKey(16, in.keypadState());
        for (int key = 0; key < KEY_COUNT; ++key) {
            const bool expected = std::find(c.keys.begin(), c.keys.end(), key) != c.keys.end();
            EXPECT_EQ(k.event(key) == 1, expected) << "code " << c.keyCode << " key " << key;
        }
    }
}

TEST(KeyScanner, SelectAndCancelCountOnlyFreshPresses) {
    KeyScanner k;
    const int32_t sel = 1 << KEYPAD_SELECT;
    k.scanKey(10, sel);
    EXPECT_TRUE(k.isKeySelect());
    for (int i = 0; i < 30; ++i) k.scanKey(32, sel);  // repeating now
    EXPECT_EQ(k.event(KEY_SELECT), 2);
    EXPECT_FALSE(k.isKeySelect());
}

TEST(RawInput, KeyCountSaturatesAndIgnoresOutOfRangeCodes) {
    RawInput in;
    for (int i = 0; i < 300; ++i) in.keyDown(keycode::Enter);
    EXPECT_EQ(in.key[keycode::Enter], 127);
    in.keyDown(512);
    in.keyDown(-1);
    in.keyUp(keycode::Enter);
    EXPECT_EQ(in.keypadState(), 0);
}

}  // namespace tetsuro
