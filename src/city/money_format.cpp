#include "city/money_format.h"

#include <algorithm>

namespace tetsuro {

void LongToFundJString(J_String& buffer, int64_t n, int32_t width) {
    // The magnitude as unsigned, so the most negative value has one too.
    uint64_t m = n < 0 ? uint64_t(0) - uint64_t(n) : uint64_t(n);
    char digits[32];
    int len = 0;
    int group = 0;
    do {
        if (group == 3) {
            digits[len++] = ',';
            group = 0;
        }
        digits[len++] = char('0' + m % 10);
        m /= 10;
        ++group;
    } while (m != 0);
    if (n < 0) digits[len++] = '-';
    const int total = std::max(len, std::clamp(width, 0, kMaxFundWidth));
    auto& bytes = buffer.mutableBytes();
    bytes.resize(size_t(total));
    const int pad = total - len;
    std::fill(bytes.begin(), bytes.begin() + pad, int8_t(' '));
    for (int i = 0; i < len; ++i) bytes[size_t(pad + i)] = int8_t(digits[len - 1 - i]);
}

J_String LongToFundString(int64_t n, int32_t width) {
    J_String s;
    LongToFundJString(s, n, width);
    return s;
}

}  // namespace tetsuro
