#pragma once
// Money as the panels show it: digits with a comma before every group of
// three from the right, a leading minus sign, blanks on the left up to a
// width. -1234 at width 8 is "  -1,234".
#include <cstdint>

#include "support/j_string.h"

namespace tetsuro {

// Widths past this give no more blanks; no panel is wider.
inline constexpr int32_t kMaxFundWidth = 64;

// Writes the text into buffer, reusing its storage (the panels call this on
// every cash change, so it must not allocate once the buffer has grown).
// A width smaller than the text adds no blanks; 0 or less adds none.
void LongToFundJString(J_String& buffer, int64_t n, int32_t width);
J_String LongToFundString(int64_t n, int32_t width);

}  // namespace tetsuro
