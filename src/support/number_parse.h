#pragma once
// Strict, locale-independent number parsing for resource files and input.
//
// Leading and trailing ASCII white space and control bytes (<= 0x20) are
// ignored; the rest must be one optional '-' followed by the number and
// nothing else. No '+', no second sign, no "inf"/"nan", no hexadecimal
// prefixes. A malformed text, or a value outside the result type, throws
// NumberFormatException.

#include <cstdint>
#include <string_view>

namespace tetsuro {

class J_String;

struct Integer {
    // radix 2..36 (letters either case); any other radix throws.
    static int32_t parseInt(std::string_view s, int radix = 10);
    static int32_t parseInt(const J_String& s, int radix = 10);
};

struct Float {
    // "." is the decimal point whatever the locale; exponents are allowed.
    static float parseFloat(std::string_view s);
    static float parseFloat(const J_String& s);
};

}  // namespace tetsuro
