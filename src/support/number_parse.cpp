#include "support/number_parse.h"

#include "support/errors.h"
#include "support/j_string.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace tetsuro {

namespace {

[[noreturn]] void fail(std::string_view what, std::string_view text) {
    throw NumberFormatException(std::string(what) + ": \"" + std::string(text) + "\"");
}

std::string_view trimmed(std::string_view s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// Splits off the one allowed '-'. What remains must start like a number:
// std::from_chars would otherwise take a second '-' as the sign.
std::string_view unsigned_part(std::string_view s, bool& negative, std::string_view original) {
    negative = !s.empty() && s.front() == '-';
    if (negative) s.remove_prefix(1);
    if (s.empty() || s.front() == '-' || s.front() == '+') fail("not a number", original);
    return s;
}

std::string_view view(const J_String& s) {
    const auto& bytes = s.getBytes();
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), s.logicalSize());
}

}  // namespace

int32_t Integer::parseInt(std::string_view s, int radix) {
    if (radix < 2 || radix > 36) fail("radix out of range", s);
    bool negative = false;
    const std::string_view digits = unsigned_part(trimmed(s), negative, s);
    uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, radix);
    if (ec == std::errc::result_out_of_range) fail("number out of range", s);
    if (ec != std::errc() || end != digits.data() + digits.size()) fail("not a number", s);
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (magnitude > limit) fail("number out of range", s);
    const int64_t value = static_cast<int64_t>(magnitude);
    return static_cast<int32_t>(negative ? -value : value);
}

int32_t Integer::parseInt(const J_String& s, int radix) { return parseInt(view(s), radix); }

float Float::parseFloat(std::string_view s) {
    bool negative = false;
    const std::string_view digits = unsigned_part(trimmed(s), negative, s);
    // from_chars accepts "inf" and "nan"; a resource number never is one.
    const char c = digits.front();
    if (!((c >= '0' && c <= '9') || c == '.')) fail("not a number", s);
    float value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) fail("number out of range", s);
    if (ec != std::errc() || end != digits.data() + digits.size()) fail("not a number", s);
    return negative ? -value : value;
}

float Float::parseFloat(const J_String& s) { return parseFloat(view(s)); }

}  // namespace tetsuro
