#pragma once
// One row of the train list per train number 0..Train::m_max - 1.
#include <cstdint>

#include "support/j_string.h"

namespace tetsuro::Train {

// "NNN " (the number, three digits), then " --------- " when no train has
// that number, "  未配置   " when it is not placed, or "(" x "," y ")" with
// the mesh of the head car's centre, each right-aligned in four characters;
// then a blank and the name padded with blanks to 32 bytes.
J_String getListRow(int32_t number);

}  // namespace tetsuro::Train
