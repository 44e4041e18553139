#include "game/input_state.h"

#include <initializer_list>

namespace tetsuro {

namespace {
struct KeypadMap {
    int bit;
    std::initializer_list<int> codes;
};

const KeypadMap kKeypad[] = {
    {0, {0x52, 0x01}},       {1, {0x4F, 0x3B}},           {2, {0x50, 0x3C}},       {3, {0x51, 0x3D}},
    {4, {0x4B, 0x3E}},       {5, {0x4C, 0x3F}},           {6, {0x4D, 0x40}},       {7, {0x47, 0x41}},
    {8, {0x48, 0x42}},       {9, {0x49, 0x43}},           {10, {0x37, 0x28, 0x44}}, {11, {0x4A, 0x04, 0x57}},
    {16, {0x14B}},           {17, {0x148}},               {18, {0x14D}},           {19, {0x150}},
    {20, {0x1C, 0x2C, 0x11C}}, {21, {0x135, 0x2D}},       {22, {0x4E}},
};
}  // namespace

int32_t RawInput::keypadState() const {
    int32_t mask = 0;
    for (const auto& m : kKeypad)
        for (int c : m.codes)
            if (key[c] != 0) {
                mask |= int32_t(1) << m.bit;
                break;
            }
    return mask;
}

}  // namespace tetsuro
